#include "platform/ado/Recordset.h"

namespace ado {

namespace {
const QString kClosed = QStringLiteral("No se permite realizar esta operación si el objeto está cerrado.");
const QString kNoCurrent = QStringLiteral("BOF o EOF es True, o el registro actual se eliminó. "
                                          "La operación solicitada requiere un registro actual.");
const QString kNotInContext = QStringLiteral("No se permite la operación en este contexto.");
// The collection has no field of that name or ordinal.
[[noreturn]] void noSuchField(const QString& nameOrOrdinal) {
    raise(err::ItemNotFound, QStringLiteral("No se encontró el elemento en la colección que corresponde al nombre "
                                            "o al ordinal solicitado (%1).").arg(nameOrOrdinal));
}
const QString kRowChanged = QStringLiteral("No se encuentra la fila para actualizarla: otro usuario la modificó o la "
                                           "eliminó desde que se leyó.");

bool comparable(int adoType) {
    // Floating values and long texts do not survive a round trip through a
    // literal exactly; they are never used to find a row again.
    return adoType != 4 && adoType != 5 && adoType != 201 && adoType != 203 && adoType != 205;
}
} // namespace

QString Field::Name() const { return rs_->data_->columns[size_t(index_)].name; }
int Field::Type() const { return rs_->data_->columns[size_t(index_)].adoType; }
long Field::DefinedSize() const { return rs_->data_->columns[size_t(index_)].definedSize; }

Variant Field::Value() const {
    if (rs_->editMode_ != ad::EditNone) return rs_->buffer_[size_t(index_)];
    rs_->requireCurrent();
    return rs_->data_->rows[size_t(rs_->pos_)][size_t(index_)];
}

const Variant& Recordset::Celda(int columna) const {
    requireOpen();
    if (editMode_ != ad::EditNone) raise(err::NotAllowedInContext, kNotInContext);
    requireCurrent();
    const RowTable::Row fila = data_->rows[size_t(pos_)];
    if (columna < 0 || columna >= int(fila.size())) noSuchField(QString::number(columna));
    return fila[size_t(columna)];
}

Variant Field::OriginalValue() const {
    if (rs_->editMode_ == ad::EditAdd) return {};
    rs_->requireCurrent();
    return rs_->data_->rows[size_t(rs_->pos_)][size_t(index_)];
}

void Field::setValue(const Variant& v) {
    Recordset& r = *rs_;
    r.requireUpdatable();
    if (r.editMode_ == ad::EditNone) {
        r.requireCurrent();
        r.buffer_ = r.data_->rows[size_t(r.pos_)].toVector();
        r.changed_.assign(r.buffer_.size(), false);
        r.editMode_ = ad::EditInProgress;
    }
    r.buffer_[size_t(index_)] = v;
    r.changed_[size_t(index_)] = true;
}

void Recordset::Open(const QString& source, Connection* connection, int cursorType, int lockType, int) {
    if (open_) raise(err::ObjectOpen, QStringLiteral("No se permite realizar esta operación si el objeto está abierto."));
    if (!connection) raise(err::ConnectionInvalid, QStringLiteral("No hay una conexión activa para el Recordset."));
    if (cursorType >= 0) CursorType = cursorType;
    if (lockType >= 0) LockType = lockType;
    ResultSet rs = connection->run(source, false);
    if (!rs.hasRows) {
        // A statement without rows leaves the recordset closed, as in ADO.
        conn_ = connection;
        source_ = source;
        return;
    }
    assign(std::move(rs), connection, source);
}

void Recordset::assign(ResultSet rs, Connection* conn, const QString& source) {
    data_ = std::make_shared<ResultSet>(std::move(rs));
    names_.clear();
    namesBuilt_ = false;
    conn_ = conn;
    source_ = source;
    pos_ = 0;
    currentDeleted_ = false;
    editMode_ = ad::EditNone;
    open_ = true;
}

void Recordset::detach() {
    if (data_.use_count() > 1) data_ = std::make_shared<ResultSet>(*data_);
}

void Recordset::Close() {
    requireOpen();
    if (editMode_ != ad::EditNone)
        raise(err::NotAllowedInContext, kNotInContext);
    open_ = false;
    data_.reset();
    names_.clear();
    namesBuilt_ = false;
}

void Recordset::requireOpen() const {
    if (!open_) raise(err::ObjectClosed, kClosed);
}

void Recordset::requireCurrent() const {
    requireOpen();
    if (currentDeleted_ || pos_ < 0 || pos_ >= long(data_->rows.size())) raise(err::BofOrEof, kNoCurrent);
}

void Recordset::requireUpdatable() const {
    requireOpen();
    if (LockType == ad::LockReadOnly)
        raise(err::NotUpdatable, QStringLiteral("El Recordset actual no admite actualizaciones. Puede deberse a una "
                                                "limitación del proveedor o del tipo de bloqueo seleccionado."));
}

void Recordset::requireBackward() const {
    if (CursorType == ad::OpenForwardOnly && !(conn_ && conn_->CursorLocation == ad::UseClient))
        raise(err::NoBackwardFetch, QStringLiteral("El conjunto de filas no admite recuperaciones hacia atrás."));
}

bool Recordset::Bof() const {
    requireOpen();
    return pos_ < 0 || data_->rows.empty();
}

bool Recordset::Eof() const {
    requireOpen();
    return pos_ >= long(data_->rows.size());
}

void Recordset::MoveFirst() {
    requireOpen();
    if (editMode_ != ad::EditNone) Update();
    pos_ = 0;
    currentDeleted_ = false;
}

void Recordset::MoveNext() {
    requireOpen();
    if (editMode_ != ad::EditNone) Update();
    if (Eof()) raise(err::BofOrEof, kNoCurrent);
    if (currentDeleted_) currentDeleted_ = false;   // the next row already stands at this position
    else ++pos_;
}

void Recordset::MoveLast() {
    requireOpen();
    if (editMode_ != ad::EditNone) Update();
    pos_ = long(data_->rows.size()) - 1;
    if (pos_ < 0) pos_ = 0;
    currentDeleted_ = false;
}

void Recordset::MovePrevious() {
    requireOpen();
    requireBackward();
    if (editMode_ != ad::EditNone) Update();
    if (Bof()) raise(err::BofOrEof, kNoCurrent);
    currentDeleted_ = false;
    --pos_;
}

long Recordset::RecordCount() const {
    requireOpen();
    if (CursorType == ad::OpenForwardOnly && !(conn_ && conn_->CursorLocation == ad::UseClient)) return -1;
    return long(data_->rows.size());
}

int Recordset::FieldCount() const {
    requireOpen();
    return int(data_->columns.size());
}

namespace {

bool ascii(const QString& s) {
    for (QChar c : s)
        if (c.unicode() >= 0x80) return false;
    return true;
}

bool asciiEqualNoCase(const QString& a, const QString& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x >= u'A' && x <= u'Z') x += 32;
        if (y >= u'A' && y <= u'Z') y += 32;
        if (x != y) return false;
    }
    return true;
}

} // namespace

int Recordset::indexOf(const QString& name) const {
    requireOpen();
    // A few columns asked for by an ASCII name are compared in place, without
    // lowering a copy of the name at every call. A column named beyond ASCII
    // goes to the index below, whose lower case may match it otherwise.
    if (data_->columns.size() <= 16 && ascii(name)) {
        bool todas = true;
        for (size_t i = 0; i < data_->columns.size() && todas; ++i) {
            const QString& c = data_->columns[i].name;
            todas = ascii(c);
            if (todas && asciiEqualNoCase(c, name)) return int(i);
        }
        if (todas) noSuchField(name);
    }
    if (!namesBuilt_) {
        // From the last column to the first: of two columns of one name, the first is found.
        for (int i = int(data_->columns.size()) - 1; i >= 0; --i) names_.insert(data_->columns[size_t(i)].name.toLower(), i);
        namesBuilt_ = true;
    }
    const auto it = names_.constFind(name.toLower());
    if (it == names_.constEnd()) noSuchField(name);
    return it.value();
}

Field Recordset::Fields(const QString& name) { return Field(this, indexOf(name)); }

Field Recordset::Fields(int index) {
    requireOpen();
    if (index < 0 || index >= int(data_->columns.size())) noSuchField(QString::number(index));
    return Field(this, index);
}

QString Recordset::table() const {
    const QString t = SqlDialect::simpleSelectTable(source_);
    if (t.isEmpty())
        raise(err::Unspecified, QStringLiteral("Información de tabla base insuficiente para actualizar o actualizar "
                                               "la vista de los datos."));
    return t;
}

QString Recordset::whereForRow(const std::vector<Variant>& original, const std::vector<bool>& compare,
                               const QStringList& keys) const {
    const SqlDialect& d = conn_->dialect();
    QStringList terms;
    for (size_t i = 0; i < data_->columns.size(); ++i) {
        const ColumnInfo& c = data_->columns[i];
        const bool isKey = keys.contains(c.name, Qt::CaseInsensitive);
        if (!isKey && !(compare[i] && comparable(c.adoType))) continue;
        const Variant& v = original[i];
        terms << (v.isNull() || v.isEmpty() ? d.quoteIdent(c.name) + QStringLiteral(" IS NULL")
                                            : d.quoteIdent(c.name) + QStringLiteral(" = ") + d.literal(v));
    }
    if (terms.isEmpty()) raise(err::Unspecified, QStringLiteral("No hay columnas para ubicar la fila."));
    return terms.join(QStringLiteral(" AND "));
}

void Recordset::AddNew() {
    requireUpdatable();
    if (editMode_ != ad::EditNone) Update();
    buffer_.assign(data_->columns.size(), Variant());
    changed_.assign(data_->columns.size(), false);
    posBeforeAdd_ = pos_;
    editMode_ = ad::EditAdd;
}

void Recordset::CancelUpdate() {
    requireOpen();
    if (editMode_ == ad::EditAdd) pos_ = posBeforeAdd_;
    editMode_ = ad::EditNone;
    buffer_.clear();
    changed_.clear();
}

void Recordset::Update() {
    requireUpdatable();
    if (editMode_ == ad::EditNone) return;
    const SqlDialect& d = conn_->dialect();
    const QString t = table();
    if (editMode_ == ad::EditAdd) {
        QStringList cols, vals;
        for (size_t i = 0; i < buffer_.size(); ++i)
            if (changed_[i]) {
                cols << d.quoteIdent(data_->columns[i].name);
                vals << d.literal(buffer_[i]);
            }
        QString sql;
        if (d.engine() == SqlDialect::Engine::TSql)
            sql = cols.isEmpty() ? QStringLiteral("INSERT INTO %1 OUTPUT INSERTED.* DEFAULT VALUES").arg(d.quoteIdent(t))
                                 : QStringLiteral("INSERT INTO %1 (%2) OUTPUT INSERTED.* VALUES (%3)")
                                       .arg(d.quoteIdent(t), cols.join(u','), vals.join(u','));
        else
            sql = cols.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES RETURNING *").arg(d.quoteIdent(t))
                                 : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING *")
                                       .arg(d.quoteIdent(t), cols.join(u','), vals.join(u','));
        const ResultSet r = conn_->runNative(sql);
        std::vector<Variant> row = buffer_;
        if (!r.rows.empty()) {
            // Values the database set (identities, defaults) come back with the row.
            for (size_t i = 0; i < data_->columns.size(); ++i)
                for (size_t j = 0; j < r.columns.size(); ++j)
                    if (r.columns[j].name.compare(data_->columns[i].name, Qt::CaseInsensitive) == 0) row[i] = r.rows[0][j];
        }
        detach();
        data_->rows.push_back(std::move(row));
        pos_ = long(data_->rows.size()) - 1;
    } else {
        requireCurrent();
        const std::vector<Variant> original = data_->rows[size_t(pos_)].toVector();
        QStringList sets;
        for (size_t i = 0; i < buffer_.size(); ++i)
            if (changed_[i]) sets << d.quoteIdent(data_->columns[i].name) + QStringLiteral(" = ") + d.literal(buffer_[i]);
        if (!sets.isEmpty()) {
            const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                                    .arg(d.quoteIdent(t), sets.join(QStringLiteral(", ")),
                                         whereForRow(original, changed_, conn_->primaryKey(t)));
            const ResultSet r = conn_->runNative(sql);
            if (r.affected == 0) raise(err::RowChanged, kRowChanged);
        }
        detach();
        data_->rows.setRow(size_t(pos_), buffer_);
    }
    editMode_ = ad::EditNone;
    buffer_.clear();
    changed_.clear();
}

void Recordset::Delete() {
    requireUpdatable();
    if (editMode_ == ad::EditAdd) {
        CancelUpdate();
        return;
    }
    editMode_ = ad::EditNone;
    requireCurrent();
    const QString t = table();
    const std::vector<Variant> original = data_->rows[size_t(pos_)].toVector();
    const QStringList keys = conn_->primaryKey(t);
    const std::vector<bool> all(original.size(), keys.isEmpty());
    const SqlDialect& d = conn_->dialect();
    const ResultSet r = conn_->runNative(QStringLiteral("DELETE FROM %1 WHERE %2").arg(d.quoteIdent(t), whereForRow(original, all, keys)));
    if (r.affected == 0) raise(err::RowChanged, kRowChanged);
    detach();
    data_->rows.erase(size_t(pos_));
    currentDeleted_ = true;
}

} // namespace ado
