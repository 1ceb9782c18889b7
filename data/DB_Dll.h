#pragma once
#include "platform/VbError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "util/ZtFileDialog.h"
#include <QString>
#include <memory>

// The data-access class: the one gateway between the program and its
// database. DB() is the process-wide instance; the statistics connection is a
// second instance of its own.
class DB_Dll {
public:
    DB_Dll();

    bool gOpenFlag = false;
    ado::Variant gIgnoraPassWord;
    ado::Connection gCnn;
    ado::Recordset glrcs;
    ado::Variant gCursorLocation;
    QString gProveedor;
    QString gDsn;
    QString gServidor;
    QString gDBName;
    QString gUsuario;
    bool gEsAdmin = false;
    QString gUserPassWord;
    QString gConnString;
    QString gExtended;
    QString gLogErr;
    bool ParametrosSQL = false;
    double gVMTimeOut = 0;
    ZtFileDialog& CmdDlg();

    static QString pSQLOLEDB() { return QStringLiteral("SQLOLEDB"); }
    static QString pJETOLEDB40() { return QStringLiteral("Microsoft.Jet.OLEDB.4.0"); }
    static QString pJETOLEDB35() { return QStringLiteral("Microsoft.Jet.OLEDB.3.51"); }

    // Connection opening.
    void OpenServerADODB(bool PideParametrosSQL = false, long lCursor = 3, const QString& ConnString = {},
                         bool ValidaAdmin = true, bool MuestraError = true);
    void ReintentaConectar();
    void OpenLocalADODB(const QString& ConnString, const QString& CadenaID, const QString& CadenaPWD);

    // Recordsets and statements.
    void AbrirRecordset(QString& SentenciaSQL, ado::Recordset& Lrcs, ado::Connection* Conexionactiva = nullptr,
                        long CursorType = 0, long LockType = 1, long Options = -1, bool ConvOracle = true);
    void CierraRecordset(ado::Recordset& LrcsTemp);

    // Statement rewriting.
    QString SS_TSinonimos(const QString& sql) const;
    QString ORACLE_Dicc(const QString& Valor) const;

    // Table lookups and schema.
    ado::Variant DatosTabla(const QString& Tabla, const QString& ValorBuscado, const QString& CampoDevuelto,
                            const QString& Campo = QStringLiteral("Codigo"), const QString& Tipodato = QStringLiteral("8"),
                            const QString& Condicion = {}, bool UsaTrim = true, bool IgnoraError = false);
    bool ExisteTablaDB(const QString& Tabla);

    // The error report of this class; the answer comes back as for ReportError.
    int TratamientoErrores(const VbError& error, int buttons = 18, const QString& routine = {});

    // The connection string composed from the properties (and kept in gConnString).
    QString ComponerCadenaServidor();

private:
    bool MostrarFormularioConexion();
    void ValidarAdministrador(bool MuestraError);
    QString MensajeErrorConexion(const ado::ErrorItem& e) const;

    std::unique_ptr<ZtFileDialog> cmdDlg_;
};

DB_Dll& DB();
// A new process-wide object, as at process start (for tests).
void reiniciarDB();

// Numeric form of a key value: its leading number in invariant text.
QString formaNumerica(const QString& valor);
