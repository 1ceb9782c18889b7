#pragma once
#include "platform/ado/Recordset.h"
#include <QMainWindow>

class QLineEdit;
class QTreeWidget;

// The account grouping window. Its load runs the whole start-up; it then
// shows the grouping named on the command line, if any.
class Frm_AgrupCuentas : public QMainWindow {
    Q_OBJECT
public:
    explicit Frm_AgrupCuentas(QWidget* parent = nullptr);
    void Form_Load();

protected:
    void closeEvent(class QCloseEvent* e) override;

private:
    void MostrarAgrupacion(const QString& codigo);

    QString TablaPrincipal;
    ado::Recordset rsAgrupacion;
    QLineEdit* txtCodigo_;
    QLineEdit* txtDescripcion_;
    QTreeWidget* LstTodo_;
};

QIcon iconoPrograma();
