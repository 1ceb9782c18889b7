#include "data/DB_Dll.h"
#include "platform/Prompt.h"
#include "util/ErrorTrap.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"

void DB_Dll::CierraRecordset(ado::Recordset& LrcsTemp) {
    if (LrcsTemp.State() != ado::ad::StateClosed) LrcsTemp.Close();
}

void DB_Dll::AbrirRecordset(QString& SentenciaSQL, ado::Recordset& Lrcs, ado::Connection* Conexionactiva,
                            long CursorType, long LockType, long Options, bool ConvOracle) {
    CierraRecordset(Lrcs);
    SentenciaSQL = SS_TSinonimos(SentenciaSQL);
    const bool oracle = vbtext::InStr(gCnn.ConnectionString, QStringLiteral("ORACLE")) > 1 && ConvOracle;
    const QString texto = oracle ? ORACLE_Dicc(SentenciaSQL) : SentenciaSQL;
    Lrcs.Open(texto, Conexionactiva ? Conexionactiva : &gCnn, int(CursorType), int(LockType), int(Options));
}

ado::Variant DB_Dll::DatosTabla(const QString& Tabla, const QString& ValorBuscado, const QString& CampoDevuelto,
                                const QString& Campo, const QString& Tipodato, const QString& Condicion, bool UsaTrim,
                                bool IgnoraError) {
    QString sql = QStringLiteral("SELECT TOP 1 * FROM ") + Tabla + QStringLiteral(" with(nolock)  WHERE ");
    const QString tipo = vbtext::Trim(Tipodato);
    if (tipo == QLatin1String("8")) {
        sql += UsaTrim ? QStringLiteral("LTRIM(RTRIM(") + Campo + QStringLiteral(")) ='") + vbtext::Trim(ValorBuscado) + QStringLiteral("' ")
                       : Campo + QStringLiteral(" ='") + ValorBuscado + QStringLiteral("' ");
    } else if (tipo == QLatin1String("7")) {
        sql += Campo + QStringLiteral(" = #") + vbtext::Trim(ValorBuscado) + QStringLiteral("# ");
    } else if (tipo == QLatin1String("3") || tipo == QLatin1String("5") || tipo == QLatin1String("4")) {
        sql += Campo + QStringLiteral(" = ") + formaNumerica(ValorBuscado);
    } else {
        sql += Campo + QStringLiteral(" = ") + ValorBuscado;
    }
    sql += (vbtext::Trim(Condicion).isEmpty() ? QString() : QStringLiteral(" AND ")) + Condicion;

    ado::Recordset rs;
    ado::Variant resultado;
    bool sinConexion = false;
    const TrapReport report = [&](const VbError& e) {
        if (IgnoraError) {
            resultado = QString();
            return 0;
        }
        const int r = MsgBox(e.description(), vb::AbortRetryIgnore | vb::Critical, QStringLiteral("Aviso al Operador"));
        return r == vb::Retry ? int(vb::Retry) : r == vb::Ignore ? int(vb::Ignore) : 0;
    };
    runTrapped(report, {
        [&] { AbrirRecordset(sql, rs, &gCnn, 0, 1, -1, true); },
        [&] { sinConexion = !gOpenFlag; },
        [&] {
            if (sinConexion) return;
            resultado = (rs.State() == ado::ad::StateOpen && !rs.Bof())
                            ? ado::Variant(Utilidades().NullToText(rs.Fields(CampoDevuelto).Value()))
                            : ado::Variant(QString());
        },
        [&] { CierraRecordset(rs); },
    });
    if (sinConexion) return {};
    return resultado;
}

bool DB_Dll::ExisteTablaDB(const QString& Tabla) {
    bool existe = false;
    ado::Recordset rs;
    const TrapReport report = [this](const VbError& e) {
        return TratamientoErrores(e, vb::AbortRetryIgnore | vb::Critical, QStringLiteral("VerificaCampos"));
    };
    const bool ok = runTrapped(report, {
        [&] { gCnn.OpenSchema(ado::ad::SchemaTables, rs); },
        [&] {
            if (rs.State() != ado::ad::StateOpen || rs.Bof()) return;
            for (; !rs.Eof(); rs.MoveNext())
                if (vbtext::Equals(vbtext::Trim(rs.Fields(QStringLiteral("TABLE_NAME")).Value().toText()), vbtext::Trim(Tabla))) {
                    existe = true;
                    break;
                }
        },
    });
    return ok && existe;
}
