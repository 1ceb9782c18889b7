#pragma once
#include "platform/ado/Backend.h"
#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QStringList>
#include <memory>
#include <vector>

// The rows of a list lookup: the statement's rows as read (shared with the
// recordset that read them, not copied), a tick per row when the lookup has
// check boxes, and a colour per row when it shows stock levels. A cell shows
// its value as text without its blanks at either end. Sorting reorders a
// list of row numbers, not the rows. A lookup may list a hundred thousand
// accounts: an item object per row, or a second copy of every cell, was most
// of its time and memory.
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
    // The rows (at least columnCount() cells each), their ticks (empty: none
    // ticked) and colours (empty, or an invalid colour: the list's own), by
    // row as read.
    void cargar(std::shared_ptr<const ado::ResultSet> filas, std::vector<char> tildes, std::vector<QColor> colores);
    // Rows of one text each, shown as given (blanks and all).
    void cargarTextos(const QStringList& textos, std::vector<char> tildes);

    int count() const { return int(orden_.size()); }
    QString texto(int fila, int columna) const;
    void setTexto(int fila, int columna, const QString& texto);
    bool tildada(int fila) const { return tildes_[leida(fila)] != 0; }
    void setTildada(int fila, bool tildada);
    void tildarTodas(bool tildada);
    void invertirTildes();
    QColor color(int fila) const { return colores_.empty() ? QColor() : colores_[leida(fila)]; }
    // The first row whose column, without its blanks, starts with the text
    // regardless of case; -1 when none.
    int buscar(int columna, const QString& texto) const;

private:
    size_t leida(int fila) const { return size_t(orden_[size_t(fila)]); }   // the row as read
    void vaciarFilas();

    int columnas_ = 0;
    QStringList cabeceras_;
    bool casillas_ = false;
    bool recortar_ = true;   // cells shown without their blanks at either end
    QFont fuenteColor_;
    std::shared_ptr<const ado::ResultSet> filas_;
    std::vector<int> orden_;                 // list row -> row as read
    std::vector<char> tildes_;
    std::vector<QColor> colores_;
    QHash<qint64, QString> editados_;        // row as read * columns + column -> text changed on screen
};
