#include "lookup/gui/FilasConsulta.h"
#include <QBrush>
#include <algorithm>
#include <numeric>

int FilasConsulta::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }

int FilasConsulta::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columnas_; }

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

void FilasConsulta::vaciar() {
    beginResetModel();
    celdas_.clear();
    tildes_.clear();
    colores_.clear();
    endResetModel();
}

void FilasConsulta::setCabeceras(const QStringList& cabeceras) {
    beginResetModel();
    cabeceras_ = cabeceras;
    columnas_ = int(cabeceras.size());
    celdas_.clear();
    tildes_.clear();
    colores_.clear();
    endResetModel();
}

void FilasConsulta::cargar(std::vector<QString> celdas, std::vector<char> tildes, std::vector<QColor> colores) {
    beginResetModel();
    const size_t filas = columnas_ > 0 ? celdas.size() / size_t(columnas_) : 0;
    celdas_ = std::move(celdas);
    celdas_.resize(filas * size_t(columnas_));
    tildes_ = std::move(tildes);
    tildes_.resize(filas, 0);
    colores_ = std::move(colores);
    if (!colores_.empty()) colores_.resize(filas);
    endResetModel();
}

void FilasConsulta::setTexto(int fila, int columna, const QString& texto) {
    if (fila < 0 || fila >= count() || columna < 0 || columna >= columnas_) return;
    celdas_[size_t(fila) * size_t(columnas_) + size_t(columna)] = texto;
    const QModelIndex i = index(fila, columna);
    Q_EMIT dataChanged(i, i, {Qt::DisplayRole});
}

void FilasConsulta::setTildada(int fila, bool tildada) {
    if (fila < 0 || fila >= count() || (tildes_[size_t(fila)] != 0) == tildada) return;
    tildes_[size_t(fila)] = tildada;
    const QModelIndex i = index(fila, 0);
    Q_EMIT dataChanged(i, i, {Qt::CheckStateRole});
}

void FilasConsulta::tildarTodas(bool tildada) {
    if (tildes_.empty()) return;
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
    const QStringView t = QStringView(texto).trimmed();
    for (int f = 0; f < count(); ++f)
        if (QStringView(this->texto(f, columna)).trimmed().startsWith(t, Qt::CaseInsensitive)) return f;
    return -1;
}

void FilasConsulta::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columnas_) return;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> orden(static_cast<size_t>(count()));
    std::iota(orden.begin(), orden.end(), 0);
    std::stable_sort(orden.begin(), orden.end(), [&](int a, int b) {
        const int c = texto(a, column).compare(texto(b, column));
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    std::vector<QString> celdas;
    celdas.reserve(celdas_.size());
    std::vector<char> tildes;
    tildes.reserve(tildes_.size());
    std::vector<QColor> colores;
    colores.reserve(colores_.size());
    for (int f : orden) {
        for (int c = 0; c < columnas_; ++c) celdas.push_back(std::move(celdas_[size_t(f) * size_t(columnas_) + size_t(c)]));
        tildes.push_back(tildes_[size_t(f)]);
        if (!colores_.empty()) colores.push_back(colores_[size_t(f)]);
    }
    // Keep the current row and selection on the same rows.
    std::vector<int> nueva(orden.size());
    for (size_t i = 0; i < orden.size(); ++i) nueva[size_t(orden[i])] = int(i);
    const QModelIndexList antes = persistentIndexList();
    QModelIndexList despues;
    for (const QModelIndex& i : antes) despues << index(nueva[size_t(i.row())], i.column());
    celdas_ = std::move(celdas);
    tildes_ = std::move(tildes);
    colores_ = std::move(colores);
    changePersistentIndexList(antes, despues);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
