#include "app/ListaCuentas.h"

int ListaCuentas::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }

int ListaCuentas::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant ListaCuentas::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count()) return {};
    const Cuenta& c = at(index.row());
    if (role == Qt::DisplayRole) return index.column() == 0 ? c.codigo : c.descripcion;
    if (role == Qt::CheckStateRole && index.column() == 0) return c.tildada ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool ListaCuentas::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != 0 || role != Qt::CheckStateRole || index.row() >= count()) return false;
    setTildada(index.row(), Qt::CheckState(value.toInt()) == Qt::Checked);
    return true;
}

Qt::ItemFlags ListaCuentas::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    const Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return index.column() == 0 ? f | Qt::ItemIsUserCheckable : f;
}

QVariant ListaCuentas::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return section == 0 ? QStringLiteral("Codigo") : QStringLiteral("Descripcion");
}

int ListaCuentas::fila(const QString& codigo) const { return codigos_.posicion(codigo); }

void ListaCuentas::vaciar() {
    beginResetModel();
    filas_.clear();
    codigos_.clear();
    endResetModel();
}

void ListaCuentas::cargar(std::vector<Cuenta> filas) {
    beginResetModel();
    filas_.clear();
    filas_.reserve(filas.size());
    codigos_ = ConjuntoTextos(filas.size());
    for (Cuenta& c : filas)
        if (codigos_.agregar(c.codigo) >= 0) filas_.push_back(std::move(c));
    endResetModel();
}

bool ListaCuentas::agregar(const QString& codigo, const QString& descripcion) {
    const int n = count();
    // The index is not part of what the views see: it may change first.
    if (codigos_.agregar(codigo) < 0) return false;
    beginInsertRows({}, n, n);
    filas_.push_back({codigo, descripcion, true});
    endInsertRows();
    return true;
}

void ListaCuentas::setTildada(int fila, bool tildada) {    if (fila < 0 || fila >= count() || filas_[size_t(fila)].tildada == tildada) return;
    filas_[size_t(fila)].tildada = tildada;
    const QModelIndex i = index(fila, 0);
    Q_EMIT dataChanged(i, i, {Qt::CheckStateRole});
}

void ListaCuentas::tildarTodas(bool tildada) {
    if (filas_.empty()) return;
    for (Cuenta& c : filas_) c.tildada = tildada;
    Q_EMIT dataChanged(index(0, 0), index(count() - 1, 0), {Qt::CheckStateRole});
}

QStringList ListaCuentas::tildadas() const {
    QStringList out;
    out.reserve(count());
    for (const Cuenta& c : filas_)
        if (c.tildada) out << c.codigo;
    return out;
}
