#include "lookup/gui/FilasConsulta.h"
#include <QBrush>
#include <algorithm>
#include <numeric>

namespace {

// VB's Trim: blanks only, not other white space.
QStringView sinBlancos(QStringView s) {
    qsizetype a = 0, b = s.size();
    while (a < b && s[a] == u' ') ++a;
    while (b > a && s[b - 1] == u' ') --b;
    return s.mid(a, b - a);
}

} // namespace

int FilasConsulta::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }

int FilasConsulta::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columnas_; }

QString FilasConsulta::texto(int fila, int columna) const {
    const size_t f = leida(fila);
    if (!editados_.isEmpty()) {
        const auto it = editados_.constFind(qint64(f) * columnas_ + columna);
        if (it != editados_.cend()) return *it;
    }
    const ado::Variant& v = filas_->rows[f][size_t(columna)];
    const QString t = v.toText();   // Null: ""
    if (!recortar_ || t.isEmpty() || (t.front() != u' ' && t.back() != u' ')) return t;
    return sinBlancos(t).toString();
}

QVariant FilasConsulta::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count() || index.column() >= columnas_) return {};
    const int f = index.row();
    switch (role) {
    case Qt::DisplayRole: return texto(f, index.column());
    case Qt::CheckStateRole:
        if (casillas_ && index.column() == 0) return tildada(f) ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::ForegroundRole:
        if (color(f).isValid()) return QBrush(color(f));
        return {};
    case Qt::FontRole:
        if (color(f).isValid()) return fuenteColor_;
        return {};
    default: return {};
    }
}

bool FilasConsulta::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!casillas_ || !index.isValid() || index.column() != 0 || role != Qt::CheckStateRole || index.row() >= count()) return false;
    setTildada(index.row(), Qt::CheckState(value.toInt()) == Qt::Checked);
    return true;
}

Qt::ItemFlags FilasConsulta::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    const Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return casillas_ && index.column() == 0 ? f | Qt::ItemIsUserCheckable : f;
}

QVariant FilasConsulta::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return cabecera(section);
}

void FilasConsulta::vaciarFilas() {
    filas_.reset();
    recortar_ = true;
    orden_.clear();
    tildes_.clear();
    colores_.clear();
    editados_.clear();
}

void FilasConsulta::vaciar() {
    beginResetModel();
    vaciarFilas();
    endResetModel();
}

void FilasConsulta::setCabeceras(const QStringList& cabeceras) {
    beginResetModel();
    cabeceras_ = cabeceras;
    columnas_ = int(cabeceras.size());
    vaciarFilas();
    endResetModel();
}

void FilasConsulta::cargar(std::shared_ptr<const ado::ResultSet> filas, std::vector<char> tildes, std::vector<QColor> colores) {
    beginResetModel();
    vaciarFilas();
    // Rows with fewer cells than the list has columns are not listed.
    const size_t n = filas && filas->rows.width() >= size_t(columnas_) ? filas->rows.size() : 0;
    filas_ = std::move(filas);
    orden_.resize(n);
    std::iota(orden_.begin(), orden_.end(), 0);
    tildes_ = std::move(tildes);
    tildes_.resize(n, 0);
    colores_ = std::move(colores);
    if (!colores_.empty()) colores_.resize(n);
    endResetModel();
}

void FilasConsulta::cargarTextos(const QStringList& textos, std::vector<char> tildes) {
    auto r = std::make_shared<ado::ResultSet>();
    r->hasRows = true;
    r->rows.setWidth(1);
    r->rows.reserve(size_t(textos.size()));
    for (const QString& t : textos) r->rows.push_back(std::vector<ado::Variant>{ado::Variant(t)});
    cargar(std::move(r), std::move(tildes), {});
    recortar_ = false;
}

void FilasConsulta::setTexto(int fila, int columna, const QString& texto) {
    if (fila < 0 || fila >= count() || columna < 0 || columna >= columnas_) return;
    editados_.insert(qint64(leida(fila)) * columnas_ + columna, texto);
    const QModelIndex i = index(fila, columna);
    Q_EMIT dataChanged(i, i, {Qt::DisplayRole});
}

void FilasConsulta::setTildada(int fila, bool tildada) {
    if (fila < 0 || fila >= count() || (tildes_[leida(fila)] != 0) == tildada) return;
    tildes_[leida(fila)] = tildada;
    const QModelIndex i = index(fila, 0);
    Q_EMIT dataChanged(i, i, {Qt::CheckStateRole});
}

void FilasConsulta::tildarTodas(bool tildada) {
    // Nothing to tell the view when no tick changes (a lookup that opens
    // with every row unticked clears them all again).
    if (std::find(tildes_.begin(), tildes_.end(), char(!tildada)) == tildes_.end()) return;
    std::fill(tildes_.begin(), tildes_.end(), char(tildada));
    Q_EMIT dataChanged(index(0, 0), index(count() - 1, 0), {Qt::CheckStateRole});
}

void FilasConsulta::invertirTildes() {
    if (tildes_.empty()) return;
    for (char& t : tildes_) t = !t;
    Q_EMIT dataChanged(index(0, 0), index(count() - 1, 0), {Qt::CheckStateRole});
}

int FilasConsulta::buscar(int columna, const QString& texto) const {
    if (columna < 0 || columna >= columnas_) return -1;
    const QStringView t = sinBlancos(texto);
    for (int f = 0; f < count(); ++f) {
        const ado::Variant& v = filas_->rows[leida(f)][size_t(columna)];
        // Text cells are compared where they are; others (and edited ones) as shown.
        if (v.kind() == ado::Variant::Kind::Text && editados_.isEmpty()) {
            if (sinBlancos(v.textRef()).startsWith(t, Qt::CaseInsensitive)) return f;
        } else if (sinBlancos(this->texto(f, columna)).startsWith(t, Qt::CaseInsensitive)) {
            return f;
        }
    }
    return -1;
}

void FilasConsulta::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columnas_) return;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList antes = persistentIndexList();
    std::vector<int> leidasAntes;
    for (const QModelIndex& i : antes) leidasAntes.push_back(orden_[size_t(i.row())]);
    std::vector<QString> clave(orden_.size());
    for (size_t i = 0; i < orden_.size(); ++i) clave[size_t(orden_[i])] = texto(int(i), column);
    std::stable_sort(orden_.begin(), orden_.end(), [&](int a, int b) {
        const int c = clave[size_t(a)].compare(clave[size_t(b)]);
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    // The current row and the selection stay on the same rows.
    std::vector<int> posicion(orden_.size());
    for (size_t i = 0; i < orden_.size(); ++i) posicion[size_t(orden_[i])] = int(i);
    QModelIndexList despues;
    for (size_t k = 0; k < size_t(antes.size()); ++k) despues << index(posicion[size_t(leidasAntes[k])], antes[qsizetype(k)].column());
    changePersistentIndexList(antes, despues);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
