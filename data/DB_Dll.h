#pragma once
#include "platform/Prompt.h"
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
    QString ArchivoErrores;   // overrides the error log path of TratamientoErrores
    // The last statement text sent to the engine by this object's operations,
    // as it was sent (after rewriting).
    QString ultimaSentencia;
    ZtFileDialog& CmdDlg();

    static QString pSQLOLEDB() { return QStringLiteral("SQLOLEDB"); }
    static QString pJETOLEDB40() { return QStringLiteral("Microsoft.Jet.OLEDB.4.0"); }
    static QString pJETOLEDB35() { return QStringLiteral("Microsoft.Jet.OLEDB.3.51"); }

    // Connection opening.
    void OpenServerADODB(bool PideParametrosSQL = false, long lCursor = 3, const QString& ConnString = {},
                         bool ValidaAdmin = true, bool MuestraError = true);
    void ReintentaConectar();
    void OpenLocalADODB(const QString& ConnString, const QString& CadenaID, const QString& CadenaPWD);
    // The connection string composed from the properties (and kept in gConnString).
    QString ComponerCadenaServidor();

    // Recordsets and statements. Statement texts are rewritten in place.
    void AbrirRecordset(QString& SentenciaSQL, ado::Recordset& Lrcs, ado::Connection* Conexionactiva = nullptr,
                        long CursorType = 0, long LockType = 1, long Options = -1, bool ConvOracle = true);
    void CierraRecordset(ado::Recordset& LrcsTemp);
    // When the error means the connection was lost, reopens it with the
    // operator's consent (No ends the program); otherwise does nothing.
    void ComprobarConexionPerdida(const VbError& e);
    void EjecutaConsultaSQL(QString& SentenciaSQL, long& RecordsAffected, ado::Recordset* Lrcs = nullptr);
    void EjecutaConsultaRSQL(QString& SentenciaSQL, long& RecordsAffected, ado::Recordset* Lrcs = nullptr);
    // Convenience for callers that keep neither the text nor the count.
    void EjecutaConsultaSQL(const QString& SentenciaSQL);
    void QConsulta(const QString& TB, ado::Recordset* Rsp, const QString& Cl1, const QString& Cl2,
                   const QString& CmpDisplay, const QString& SQLWHERE);
    void QGridConsulta(const QString& Sentencia, const QString& CampoDevuelto1, const QString& gCnnString,
                       const QString& CampoDevuelto2, const QString& CampoDevuelto3);

    // Statement rewriting.
    QString SS_TSinonimos(const QString& sql) const;
    QString ORACLE_Dicc(const QString& Valor) const;

    // Literals and names.
    static bool adodate(const ado::Variant& Qtype);
    static bool ADOText(const ado::Variant& Qtype);
    static bool ADONumeric(const ado::Variant& Qtype);
    static bool ADOCurrency(const ado::Variant& Qtype);
    static bool ADOBoolean(const ado::Variant& Qtype);
    static QString ADOComilla(const ado::Variant& Qtype);
    static ado::Variant SQLValue(const ado::Variant& Valor, const QString& Tipo = QStringLiteral("'"));
    static QString stSTF(QString& rsName, bool rnPart);
    static QString AddBrackets(const QString& rObjName);
    static QString StripConnect(const QString& rsTblName);
    static QString StripBrackets(const QString& rsObjName);
    static QString StripOwner(QString& rsTblName);
    static QString StripFileName(const QString& rsFileName);

    // Table lookups.
    bool ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado, const QString& Campo = QStringLiteral("Codigo"),
                       ado::Recordset* Lrcs = nullptr, const QString& Tipodato = QStringLiteral("8"),
                       const QString& Condicion = {}, bool SoloLectura = true);
    bool ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado, const QString& Campo = QStringLiteral("Codigo"),
                         ado::Recordset* Lrcs = nullptr, const QString& Tipodato = QStringLiteral("8"),
                         const QString& Condicion = {}, bool SoloLectura = false);
    ado::Variant DatosTabla(const QString& Tabla, const QString& ValorBuscado, const QString& CampoDevuelto,
                            const QString& Campo = QStringLiteral("Codigo"), const QString& Tipodato = QStringLiteral("8"),
                            const QString& Condicion = {}, bool UsaTrim = true, bool IgnoraError = false);
    ado::Variant BuscaMaximo(const QString& QueTabla, const QString& QueCampo, const ado::Variant& Tipo = {},
                             QString* Condicion = nullptr);
    ado::Variant BuscaMinimo(const QString& QueTabla, const QString& QueCampo, const ado::Variant& Tipo = {},
                             const QString* Condicion = nullptr);
    ado::Variant BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo, const QString& Tipo = QStringLiteral("8"),
                                   const QString& Condicion = {});

    // Schema.
    bool ExisteTablaDB(const QString& Tabla);
    bool ExisteCampoDB(const QString& Tabla, const QString& Campo);
    void AddField(const QString& Tabla, const QString& Campo, const QString& Tipo, bool PermiteNulos,
                  const ado::Variant& ValorDefault = {});
    bool VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar, const QString& Tipo, bool PermiteNulos,
                    const ado::Variant& ValorDefault = {});

    // The error report of this class (log in the program folder or ArchivoErrores).
    int TratamientoErrores(const VbError& error, int buttons = vb::AbortRetryIgnore | vb::Critical, const QString& routine = {});
    void TratamientoErrores(const VbError& error, int buttons, const QString& routine, int& respuesta);

private:
    bool MostrarFormularioConexion();
    void ValidarAdministrador(bool MuestraError);
    QString MensajeErrorConexion(const ado::ErrorItem& e) const;
    void Ejecutar(QString& sql, long& affected, ado::Recordset* lrcs, bool mostrar);
    void EjecutarScriptOracle(QString& sql, long& affected);
    void RecuperarConexionPerdida();
    bool esOracle() const;
    bool Existe(const QString& sql, ado::Recordset* Lrcs, bool SoloLectura, bool traducir, ado::Connection& cn);

    std::unique_ptr<ZtFileDialog> cmdDlg_;
};

DB_Dll& DB();
// A new process-wide object, as at process start (for tests).
void reiniciarDB();

// Numeric form of a key value: its leading number in invariant text.
QString formaNumerica(const QString& valor);
// A text placed between apostrophes, with its own apostrophes doubled.
QString entreComillas(const QString& valor);

// The statement AddField runs.
QString SentenciaAddField(const QString& Tabla, const QString& Campo, const QString& Tipo, bool PermiteNulos,
                          const ado::Variant& ValorDefault);

// Pure forms of the rewriting, for a given administrator flag and settings.
QString SinonimosSS(const QString& sql, bool esAdmin, bool confidencialidad, const QString& programa);
QString DiccionarioOracle(const QString& valor);
// The Oracle script runner's pieces: the normalised text, then each piece in order.
QString NormalizarScriptOracle(const QString& sql);
QStringList PiezasScriptOracle(const QString& normalizado);
QString FiltroOracle(const QString& sentencia);
// The marker and synonym rewriting of EjecutaConsultaSQL.
QString ReescrituraEjecucion(const QString& sql, const DB_Dll& db);

// Writes one AUX_ERR row for a failed script statement. An empty process
// text is set to the executable name and handed back.
void RegistraErrorSQL(const QString& sql, QString& proceso, long numero, const QString& descripcion);
