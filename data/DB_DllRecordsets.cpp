#include "data/DB_Dll.h"
#include "platform/ProcessEnd.h"
#include "util/ErrorTrap.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"
#include <climits>

namespace {
const QString CRLF = QStringLiteral("\r\n");
const QStringList kClavesOracle = {QStringLiteral("INSERT "), QStringLiteral("DELETE "), QStringLiteral("UPDATE "),
                                   QStringLiteral("CREATE "), QStringLiteral("DROP "), QStringLiteral("ALTER "),
                                   QStringLiteral("SET TRANSACTION"), QStringLiteral("COMMIT"), QStringLiteral("ROLLBACK"),
                                   QStringLiteral("IF NOT EXIST"), QStringLiteral("IF EXIST"), QStringLiteral("GRANT ")};
constexpr int kNinguna = 1999999;

// Smallest 1-based position at or after `desde` of any keyword; kNinguna when none.
int proximaClave(const QString& s, int desde) {
    int mejor = kNinguna;
    for (const QString& k : kClavesOracle) {
        const int p = vbtext::InStr(s, k, desde);
        if (p > 0 && p < mejor) mejor = p;
    }
    return mejor;
}

bool esNumeroIgnorado(long n) {
    using namespace ado::err;
    return n == Unspecified || n == IntegrityViolation || n == NoSuchTable || n == CommandTextError;
}
} // namespace

QString NormalizarScriptOracle(const QString& sql) {
    const std::pair<QString, QString> reglas[] = {
        {QStringLiteral("SET NOCOUNT ON"), {}},          {QStringLiteral("SET NOCOUNT OFF"), {}},
        {QStringLiteral(" GO "), QStringLiteral(" ")},  {CRLF + QStringLiteral("GO "), QStringLiteral(" ")},
        {CRLF + QStringLiteral("GO "), QStringLiteral(" ")}, {CRLF + QStringLiteral("GO") + CRLF, QStringLiteral(" ")},
        // Line pairs go before lone CRs, and lone LFs too, so that no line
        // break is left inside a piece ("SET TRANSACTION" must stand alone).
        {CRLF, QStringLiteral(" ")}, {QStringLiteral("\r"), QStringLiteral(" ")}, {QStringLiteral("\n"), QStringLiteral(" ")},
        {QStringLiteral("BEGIN TRANSACTION"), QStringLiteral("SET TRANSACTION")},
        {QStringLiteral("BEGIN TRANS"), QStringLiteral("SET TRANSACTION")},
        {QStringLiteral("COMMIT TRANSACTION"), QStringLiteral("COMMIT")}, {QStringLiteral("COMMIT TRANS"), QStringLiteral("COMMIT")},
        {QStringLiteral("ROLLBACK TRANSACTION"), QStringLiteral("ROLLBACK")},
        {QStringLiteral("ROLLBACK TRANS"), QStringLiteral("ROLLBACK")}};
    QString s = sql;
    for (const auto& [de, a] : reglas) s = vbtext::ReplaceAll(s, de, a);
    return s;
}

QStringList PiezasScriptOracle(const QString& normalizado) {
    QStringList piezas;
    QString s = normalizado;
    int inicio = proximaClave(s, 1);
    while (inicio != kNinguna) {
        const int siguiente = proximaClave(s, inicio + 1);
        const int fin = siguiente == kNinguna ? kNinguna : siguiente - 1;
        piezas << vbtext::Trim(fin == kNinguna ? s.mid(inicio - 1) : s.mid(inicio - 1, fin - inicio + 1));
        s = fin == kNinguna ? QString() : vbtext::Trim(s.mid(fin));
        inicio = proximaClave(s, 1);
    }
    return piezas;
}

QString FiltroOracle(const QString& sentencia) {
    if (vbtext::Contains(sentencia, QStringLiteral("SET NOCOUNT")) || vbtext::Contains(sentencia, QStringLiteral("IF NOT EXIST")))
        return {};
    return sentencia;
}

QString ReescrituraEjecucion(const QString& sql, const DB_Dll& db) {
    const auto tiene = [&](const char* s) { return vbtext::Contains(sql, QLatin1String(s)); };
    const QString sinMarca = vbtext::ReplaceAll(sql, QStringLiteral("@Admin_"), QString());
    if (tiene("DROP") && tiene("CREATE")) {
        if (tiene("DELETE")) return tiene("@ADMIN_") ? sinMarca : sql;
        return tiene("@ADMIN_") ? sinMarca : db.SS_TSinonimos(sql);
    }
    return sinMarca;
}

bool DB_Dll::esOracle() const { return vbtext::Contains(gCnn.ConnectionString, QStringLiteral("ORACLE")); }

void DB_Dll::CierraRecordset(ado::Recordset& rs) {
    const TrapReport report = [&](const VbError& e) {
        if (e.number() == ado::err::NotAllowedInContext) {
            // A pending edit: drop it and close.
            try {
                rs.CancelUpdate();
                if (rs.State() != ado::ad::StateClosed) rs.Close();
            } catch (const VbError&) {
            }
            return int(vb::Ignore);
        }
        return TratamientoErrores(e, vb::AbortRetryIgnore | vb::Critical, QStringLiteral("CierraRecordset"));
    };
    runTrapped(report, {[&] {
        if (rs.State() != ado::ad::StateClosed) rs.Close();
    }});
}

void DB_Dll::RecuperarConexionPerdida() {
    ReintentaConectar();
    while (!gOpenFlag) {
        const QString texto = CRLF + CRLF + CRLF + QStringLiteral("Se perdio la conexion con la base de datos ") + gDBName + CRLF +
                              QStringLiteral(" Servidor ") + gServidor + CRLF + CRLF +
                              QStringLiteral("Elija SI para reintentar conectarse") + CRLF +
                              QStringLiteral("Elija NO para cerrar la aplicacion") + CRLF + CRLF + CRLF;
        if (MsgBox(texto, vb::YesNo | vb::Critical, QStringLiteral("AVISO AL OPERADOR")) != vb::Yes) TerminarProceso(0);
        ReintentaConectar();
    }
}

void DB_Dll::ComprobarConexionPerdida(const VbError& e) {
    if ((e.number() == ado::err::Unspecified || e.number() == ado::err::ConnectionInvalid) && gCnn.errors().Count() > 0)
        RecuperarConexionPerdida();
}

void DB_Dll::AbrirRecordset(QString& SentenciaSQL, ado::Recordset& Lrcs, ado::Connection* Conexionactiva, long CursorType,
                            long LockType, long Options, bool ConvOracle) {
    QString texto;
    const TrapReport report = [&](const VbError& e) {
        ComprobarConexionPerdida(e);
        return TratamientoErrores(e, vb::AbortRetryIgnore | vb::Critical, QStringLiteral("AbrirRecordset"));
    };
    runTrapped(report, {
        [&] { CierraRecordset(Lrcs); },
        [&] { SentenciaSQL = SS_TSinonimos(SentenciaSQL); },
        [&] { texto = (vbtext::InStr(gCnn.ConnectionString, QStringLiteral("ORACLE")) > 1 && ConvOracle) ? ORACLE_Dicc(SentenciaSQL) : SentenciaSQL; },
        [&] {
            ultimaSentencia = texto;
            Lrcs.Open(texto, Conexionactiva ? Conexionactiva : &gCnn, int(CursorType), int(LockType), int(Options));
        },
    });
}

void DB_Dll::EjecutarScriptOracle(QString& sql, long& affected) {
    const QStringList piezas = PiezasScriptOracle(NormalizarScriptOracle(sql));
    sql.clear();
    for (const QString& pieza : piezas) {
        long local = 0;
        if (vbtext::Equals(pieza, QStringLiteral("SET TRANSACTION"))) gCnn.BeginTrans();
        else if (vbtext::Equals(pieza, QStringLiteral("COMMIT"))) gCnn.CommitTrans();
        else if (vbtext::Equals(pieza, QStringLiteral("ROLLBACK"))) gCnn.RollbackTrans();
        else {
            const QString s = FiltroOracle(ORACLE_Dicc(pieza));
            if (!vbtext::Trim(s).isEmpty()) {
                ultimaSentencia = s;
                gCnn.Execute(s, &local, -1);
            }
        }
        affected += local;
    }
    if (gCnn.errors().Count() == 1 && gCnn.errors().Item(0).Number == 265929) gCnn.errors().Clear();
}

void DB_Dll::Ejecutar(QString& sql, long& affected, ado::Recordset* lrcs, bool mostrar) {
    sql = ReescrituraEjecucion(sql, *this);
    const bool trans = vbtext::Contains(sql, QStringLiteral("TRANS"));
    auto limpiarTruncado = [&](long maximo) {
        const long n = gCnn.errors().Count();
        if (n >= 1 && n <= maximo && !trans && gCnn.errors().Item(0).NativeError == ado::native::Truncation) gCnn.errors().Clear();
    };
    try {
        if (esOracle()) EjecutarScriptOracle(sql, affected);
        else {
            ultimaSentencia = sql;
            gCnn.Execute(sql, &affected, -1, lrcs);
        }
        limpiarTruncado(2);
    } catch (const VbError& e) {
        limpiarTruncado(LONG_MAX);
        if (mostrar && !esNumeroIgnorado(e.number()) && !trans)
            MsgBox(e.description(), vb::Critical, QStringLiteral("Aviso al operador!!!"));
    }
}

void DB_Dll::EjecutaConsultaSQL(QString& SentenciaSQL, long& RecordsAffected, ado::Recordset* Lrcs) {
    Ejecutar(SentenciaSQL, RecordsAffected, Lrcs, false);
}

void DB_Dll::EjecutaConsultaRSQL(QString& SentenciaSQL, long& RecordsAffected, ado::Recordset* Lrcs) {
    Ejecutar(SentenciaSQL, RecordsAffected, Lrcs, true);
}

void DB_Dll::EjecutaConsultaSQL(const QString& SentenciaSQL) {
    QString s = SentenciaSQL;
    long n = 0;
    EjecutaConsultaSQL(s, n, nullptr);
}

void DB_Dll::QConsulta(const QString&, ado::Recordset*, const QString&, const QString&, const QString&, const QString&) {}
void DB_Dll::QGridConsulta(const QString&, const QString&, const QString&, const QString&, const QString&) {}
