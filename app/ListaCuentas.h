#pragma once
#include <QAbstractTableModel>
#include "util/ConjuntoTextos.h"
#include <QStringList>
#include <vector>

// The accounts of the grouping on screen: code, description and tick, in the
// order they were listed. A code is listed once; the list keeps its rows as
// plain values (a grouping may hold tens of thousands of accounts, and an
// item object per row is what made loading and freeing them slow).
class ListaCuentas : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Cuenta {
        QString codigo;
        QString descripcion;
        bool tildada = true;
    };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    int count() const { return int(filas_.size()); }
    const Cuenta& at(int fila) const { return filas_[size_t(fila)]; }
    // The row of a code, -1 when it is not listed.
    int fila(const QString& codigo) const;
    bool contiene(const QString& codigo) const { return fila(codigo) >= 0; }

    void vaciar();
    // Replaces the list; a code given twice is listed once, as first given.
    void cargar(std::vector<Cuenta> filas);
    // Adds a ticked account at the end; false (and nothing changes) when the
    // code is already listed, so that it keeps its tick.
    bool agregar(const QString& codigo, const QString& descripcion);
    void setTildada(int fila, bool tildada);
    void tildarTodas(bool tildada);
    QStringList tildadas() const;

private:
    std::vector<Cuenta> filas_;
    ConjuntoTextos codigos_;   // a code's position is its row: rows are only ever added
};
