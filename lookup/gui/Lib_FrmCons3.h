#pragma once
#include "lookup/Lib_ClsCons3.h"
#include "platform/ado/Recordset.h"
#include <QDialog>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QTreeView;
class FilasConsulta;

// The list lookup dialog: the rows of one statement in columns, a search box
// over each column (typing selects the first row that starts with the text,
// F5 narrows the statement with a LIKE condition), and the chosen row's value
// or the ticked rows' values back to the request object.
class Lib_FrmCons3 : public QDialog {
    Q_OBJECT
public:
    explicit Lib_FrmCons3(const PedidoConsulta& pedido, QWidget* parent = nullptr);

    // Loading (also run again by F5 and "Nueva Busqueda").
    void Cargar();
    void Encolumnar();
    void Leer();
    void CalcularAncho();
    // Index (0-based) of the first row whose column starts with the text; -1 when none.
    int Busqueda(int Clave, const QString& QueValor) const;
    // 1-based index of the column with this header; column count + 1 when none.
    int IndiceColumna(const QString& Columna) const;
    void NuevaConsulta(int caja);   // F5 in search box `caja`
    void NuevaBusqueda();
    void Aceptar();
    void Cancelar();
    void Marcar();
    // Quantity keys of the list (Insert, Shift+Insert, Delete).
    void Cantidad(int tecla, bool shift);
    // F12 on an article list: report the article as short of stock.
    void InformarFaltante();
    void done(int r) override;
    void reject() override;

    RespuestaConsulta respuesta() const { return respuesta_; }
    QString sql() const { return sql_; }
    // The statement the last F5 built, before loading read it.
    QString sqlNueva() const { return sqlNueva_; }
    QTreeView* ListView1() const { return lista_; }
    FilasConsulta* Filas() const { return filas_; }
    // The row under the cursor, -1 when none.
    int filaActual() const;
    QComboBox* CmbSearch(int i) const { return cajas_.at(size_t(i)); }
    int cantidadCajas() const { return int(cajas_.size()); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    QComboBox* caja(int i);
    void CargarFijas();
    void AplicarAnchos();
    void GuardarAnchosColumnas();
    QString valorColumna(int fila, int columna1) const;
    void irAFila(int fila);
    void busquedaInstantanea(int caja);

    PedidoConsulta p_;
    QString sql_;
    QString primera_;
    QString sqlNueva_;
    QString tabla_;
    bool esArticulos_ = false;
    int cajaActual_ = 0;
    ado::Recordset rs_;
    RespuestaConsulta respuesta_;
    QWidget* campos_;
    QScrollArea* desplazar_;
    QTreeView* lista_;
    FilasConsulta* filas_;
    std::vector<QComboBox*> cajas_;
    QPushButton* aceptar_;
    QPushButton* cancelar_;
    QPushButton* nueva_;
    QPushButton* nuevo_;
    QPushButton* marcar_;
    Qt::SortOrder orden_ = Qt::AscendingOrder;
};

// Starts the maintenance program of the listed table (the window layer's
// MenuExes): program text and parameter.
void setAbrirMantenimiento(std::function<void(const QString&, QString&)> f);
// The maintenance program and parameter of a listed table.
std::pair<QString, QString> ProgramaMantenimiento(const QString& tabla);

// Shows a lookup in a fresh dialog, modally, and returns its answer.
RespuestaConsulta MostrarConsultaLista(const PedidoConsulta& p);
