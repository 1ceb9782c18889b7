#pragma once
#include "lookup/Lib_ClsCons3.h"
#include "platform/ado/Recordset.h"
#include <QDialog>
#include <QHash>

class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;

// The tree lookup dialog: the rows of a statement arranged by code, a code's
// parent being a shorter code that it continues (product families ask the
// database for each family's parent).
class Lib_FrmCons3Tree : public QDialog {
    Q_OBJECT
public:
    explicit Lib_FrmCons3Tree(const PedidoConsulta& pedido, QWidget* parent = nullptr);

    void Cargar();
    void ArmarTreeVFamilias();
    void NuevaConsulta();   // F5
    void Aceptar();
    void Cancelar();
    void reject() override;

    QTreeWidget* TreeV() const { return arbol_; }
    QComboBox* CmbSearch() const { return caja_; }
    QString sql() const { return sql_; }
    QTreeWidgetItem* nodo(const QString& clave) const { return nodos_.value(clave.toUpper()); }
    RespuestaConsulta respuesta() const { return respuesta_; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void ArmarTreeVAutomatico();
    void iniciarArbol();
    void recorrer(ado::Recordset& rs, bool familias);
    void busquedaInstantanea();
    void propagar(QTreeWidgetItem* it, Qt::CheckState estado, int niveles);
    static QString codigoDe(const QTreeWidgetItem* it);

    PedidoConsulta p_;
    QString sql_;
    QTreeWidget* arbol_;
    QComboBox* caja_;
    QHash<QString, QTreeWidgetItem*> nodos_;   // upper-cased key -> node
    RespuestaConsulta respuesta_;
    bool propagando_ = false;
};

RespuestaConsulta MostrarConsultaArbol(const PedidoConsulta& p);
// The window layer's single entry for every lookup: tree or list.
RespuestaConsulta MostrarConsulta(const PedidoConsulta& p);
