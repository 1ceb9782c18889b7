#pragma once
#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QStringList>
#include <vector>

// The rows of a list lookup: the cells' texts row after row, a tick per row
// when the lookup has check boxes, and a colour per row when it shows stock
// levels. Plain values, not an item object per row: a lookup may list a
// hundred thousand accounts, and the items were most of its time and memory.
class FilasConsulta : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Stable, by the cells' texts compared as the list always compared them
    // (exactly, character by character).
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    void vaciar();
    // Empties the list and gives it these columns.
    void setCabeceras(const QStringList& cabeceras);
    QString cabecera(int columna) const { return cabeceras_.value(columna); }
    void setCasillas(bool casillas) { casillas_ = casillas; }
    void setFuenteColor(const QFont& f) { fuenteColor_ = f; }
    // The rows' cells row after row (columnCount() each), their ticks (empty:
    // none ticked) and colours (empty, or an invalid colour: the list's own).
    void cargar(std::vector<QString> celdas, std::vector<char> tildes, std::vector<QColor> colores);

    int count() const { return int(tildes_.size()); }
    const QString& texto(int fila, int columna) const { return celdas_[size_t(fila) * size_t(columnas_) + size_t(columna)]; }
    void setTexto(int fila, int columna, const QString& texto);
    bool tildada(int fila) const { return tildes_[size_t(fila)] != 0; }
    void setTildada(int fila, bool tildada);
    void tildarTodas(bool tildada);
    void invertirTildes();
    QColor color(int fila) const { return colores_.empty() ? QColor() : colores_[size_t(fila)]; }
    // The first row whose column, without its blanks, starts with the text
    // regardless of case; -1 when none.
    int buscar(int columna, const QString& texto) const;

private:
    int columnas_ = 0;
    QStringList cabeceras_;
    bool casillas_ = false;
    QFont fuenteColor_;
    std::vector<QString> celdas_;
    std::vector<char> tildes_;
    std::vector<QColor> colores_;
};
