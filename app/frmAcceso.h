#pragma once
#include "data/BasesRegistradas.h"
#include "data/FormularioConexion.h"
#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

// "Control de Acceso": the connection parameters typed or picked from the
// registered connections of BASES.TXT, a Register button that tests and
// records the typed connection, and a desktop launcher for the program.
class frmAcceso : public QDialog {
    Q_OBJECT
public:
    explicit frmAcceso(QWidget* parent = nullptr);

    bool Aceptar = false;
    QLineEdit* TxtServidor;
    QLineEdit* TxtDbName;
    QLineEdit* TxtUserId;
    QLineEdit* TxtUserPassword;
    QLineEdit* TxtPuerto;
    QComboBox* CboPlataformaDB;
    QListWidget* lstBases;
    QPushButton* bcAceptar;
    QPushButton* bcCancelar;
    QPushButton* CmdRegistrar;
    QPushButton* CmdLineaComando;

    void llenarlist();
    bool DatosBase(const QString& nombre);
    void AsignarDatosBase();
    bool ExisteBaseDeDatos(const QString& Servidor, const QString& Dbname, const QString& Usuario, const QString& Password,
                           const QString& Proveedor);
    void MensajeInicial(QLineEdit* ObjTxt);
    bool EjecutarCmdRegDB(const QString& Archivo, QString& ErrDevuelto);
    void CmdRegistrar_Click();
    // Writes the desktop launcher; returns its path ("" when it could not).
    QString CmdLineaComando_Click();

    // The text of a field, "" while it shows its hint.
    QString valor(QLineEdit* campo) const;
    static QString pista(const QString& control);
    const BaseRegistrada& leida() const { return leida_; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QString archivo_;
    BaseRegistrada leida_;
    QString puertoLeido_;
    bool poniendoPista_ = false;
};

// The connection open's form, shown modally.
class FormularioAcceso final : public FormularioConexion {
public:
    void mostrar(DatosConexion& datos) override;
};
