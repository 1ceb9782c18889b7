#include "data/DB_Dll.h"
#include "platform/Prompt.h"
#include "util/ErrorTrap.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"

namespace {

// The report of the existence checks and DatosTabla: Abort/Retry/Ignore.
int avisoOperador(const VbError& e) {
    const int r = MsgBox(e.description(), vb::AbortRetryIgnore | vb::Critical, QStringLiteral("Aviso al Operador"));
    return r == vb::Retry ? int(vb::Retry) : r == vb::Ignore ? int(vb::Ignore) : 0;
}

bool esNumerico(const QString& tipo) { return tipo == QLatin1String("3") || tipo == QLatin1String("5") || tipo == QLatin1String("4"); }

QString condicionClave(const QString& tipo, const QString& campo, const QString& valor, bool recortar, const char* igual) {
    if (tipo == QLatin1String("8"))
        return recortar ? QStringLiteral("LTRIM(RTRIM(") + campo + QStringLiteral(")) ='") + entreComillas(vbtext::Trim(valor)) + u'\''
                        : campo + QLatin1String(igual) + entreComillas(valor) + u'\'';
    if (tipo == QLatin1String("7")) return campo + QStringLiteral(" = ") + vbtext::Trim(valor) + u' ';
    if (esNumerico(tipo)) return campo + QStringLiteral(" = ") + formaNumerica(valor);
    return campo + QStringLiteral(" = ") + valor;
}

QString juntaCondicion(const QString& condicion) {
    return (vbtext::Contains(condicion, QStringLiteral(" WHERE ")) ? QStringLiteral(" ") : QStringLiteral(" WHERE ")) + condicion;
}

} // namespace

bool DB_Dll::Existe(const QString& sql, ado::Recordset* Lrcs, bool SoloLectura, bool traducir, ado::Connection& cn) {
    bool existe = false;
    ado::Recordset privado;
    ado::Recordset& rs = Lrcs ? *Lrcs : privado;
    int cursor = 0, bloqueo = 1;
    runTrapped(avisoOperador, {
        [&] {
            if (rs.State() != ado::ad::StateClosed) rs.Close();
        },
        [&] {
            if (Lrcs && !SoloLectura) {
                cursor = Lrcs->CursorType;
                bloqueo = Lrcs->LockType;
            }
        },
        [&] {
            ultimaSentencia = traducir ? ORACLE_Dicc(sql) : sql;
            rs.Open(ultimaSentencia, &cn, cursor, bloqueo, -1);
        },
        [&] { existe = rs.State() == ado::ad::StateOpen && !rs.Bof(); },
        [&] {
            if (!Lrcs && rs.State() != ado::ad::StateClosed) rs.Close();
        },
    });
    return existe;
}

bool DB_Dll::ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado, const QString& Campo, ado::Recordset* Lrcs,
                           const QString& Tipodato, const QString& Condicion, bool SoloLectura) {
    QString sql;
    if (!Condicion.isEmpty()) {
        sql = QStringLiteral("SELECT TOP 1 * FROM ") + Tabla + QStringLiteral(" with(nolock) ") + juntaCondicion(Condicion);
    } else {
        const QString tipo = vbtext::Trim(Tipodato);
        const QString cabeza = tipo == QLatin1String("8") ? QStringLiteral("SELECT TOP 1  * FROM ") : QStringLiteral("SELECT TOP 1 * FROM ");
        sql = cabeza + Tabla + QStringLiteral(" with(nolock)  WHERE ") + condicionClave(tipo, Campo, ValorBuscado, true, " ='");
    }
    sql = SS_TSinonimos(sql);
    // Only the private recordset gets the Oracle translation.
    return Existe(sql, Lrcs, SoloLectura, Lrcs == nullptr, gCnn);
}

bool DB_Dll::ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado, const QString& Campo, ado::Recordset* Lrcs,
                             const QString& Tipodato, const QString& Condicion, bool SoloLectura) {
    QString sql;
    if (!Condicion.isEmpty()) {
        sql = QStringLiteral("SELECT * FROM ") + Tabla + QStringLiteral(" with(nolock)  ") + juntaCondicion(Condicion);
    } else {
        const QString tipo = vbtext::Trim(Tipodato);
        sql = QStringLiteral("SELECT * FROM ") + Tabla + QStringLiteral(" with(nolock)   WHERE ") +
              condicionClave(tipo, Campo, ValorBuscado, false, " ='");
    }
    // Always the process-wide connection, whichever object is asked.
    return Existe(sql, Lrcs, SoloLectura, false, DB().gCnn);
}

ado::Variant DB_Dll::DatosTabla(const QString& Tabla, const QString& ValorBuscado, const QString& CampoDevuelto,
                                const QString& Campo, const QString& Tipodato, const QString& Condicion, bool UsaTrim,
                                bool IgnoraError) {
    QString sql = QStringLiteral("SELECT TOP 1 * FROM ") + Tabla + QStringLiteral(" with(nolock)  WHERE ");
    const QString tipo = vbtext::Trim(Tipodato);
    if (tipo == QLatin1String("8")) sql += condicionClave(tipo, Campo, ValorBuscado, UsaTrim, " ='") + u' ';
    else if (tipo == QLatin1String("7")) sql += Campo + QStringLiteral(" = #") + vbtext::Trim(ValorBuscado) + QStringLiteral("# ");
    else sql += condicionClave(tipo, Campo, ValorBuscado, false, " ='");
    sql += (vbtext::Trim(Condicion).isEmpty() ? QString() : QStringLiteral(" AND ")) + Condicion;

    ado::Recordset rs;
    ado::Variant resultado;
    bool perdida = false;
    const TrapReport report = [&](const VbError& e) {
        if (IgnoraError) {
            resultado = QString();
            return 0;
        }
        return avisoOperador(e);
    };
    runTrapped(report, {
        [&] { AbrirRecordset(sql, rs, &gCnn, 0, 1, -1, true); },
        [&] { perdida = !gOpenFlag; },
        [&] {
            if (perdida) return;
            resultado = (rs.State() == ado::ad::StateOpen && !rs.Bof())
                            ? ado::Variant(Utilidades().NullToText(rs.Fields(CampoDevuelto).Value()))
                            : ado::Variant(QString());
        },
        [&] { CierraRecordset(rs); },
    });
    if (perdida) return {};
    return resultado;
}

ado::Variant DB_Dll::BuscaMaximo(const QString& QueTabla, const QString& QueCampo, const ado::Variant& Tipo, QString* Condicion) {
    QString propia;   // the condition when the caller gave none
    for (;;) {
        QString sql = QStringLiteral("SELECT MAX(") + QueCampo + QStringLiteral(") AS MAYOR FROM ") + QueTabla;
        // A blank condition adds no WHERE, which would leave the statement unfinished.
        if (Condicion && !vbtext::Trim(*Condicion).isEmpty()) sql += QStringLiteral(" WHERE ") + vbtext::Trim(*Condicion);
        ado::Recordset rs;
        ultimaSentencia = sql;
        rs.Open(sql, &gCnn, 0, 1, -1);
        if (rs.Bof()) return {};
        const QString mayor = Utilidades().NullToText(rs[QStringLiteral("MAYOR")]);
        if (vbtext::Equals(QueTabla, QStringLiteral("V_MA_ARTICULOS")) && vbtext::Trim(mayor).startsWith(u'0')) {
            // Codes with a leading zero are left out and the search repeated.
            QString& c = Condicion ? *Condicion : propia;
            const bool vacia = !Condicion || vbtext::Trim(c).isEmpty();
            c = vacia ? QStringLiteral(" substring(ltrim(idarticulo),1,1)<>'0'")
                      : c + QStringLiteral(" and substring(ltrim(idarticulo),1,1)<>'0'");
            if (!Condicion) Condicion = &c;
            continue;
        }
        if (vbtext::Trim(Tipo.toText()) == QLatin1String("7")) return mayor;
        return vbtext::Val(mayor);
    }
}

ado::Variant DB_Dll::BuscaMinimo(const QString& QueTabla, const QString& QueCampo, const ado::Variant&, const QString* Condicion) {
    QString sql = QStringLiteral("SELECT MIN(") + QueCampo + QStringLiteral(") AS MENOR FROM ") + QueTabla + QStringLiteral("  with(nolock) ");
    if (Condicion && !vbtext::Trim(*Condicion).isEmpty()) sql += QStringLiteral(" WHERE ") + vbtext::Trim(*Condicion);
    ado::Recordset rs;
    ultimaSentencia = sql;
    rs.Open(sql, &gCnn, 0, 1, -1);
    if (rs.Bof()) return {};
    return vbtext::Val(Utilidades().NullToText(rs[QStringLiteral("MENOR")]));
}

ado::Variant DB_Dll::BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo, const QString&, const QString& Condicion) {
    QString sql = QStringLiteral("SELECT MAX(") + QueCampo + QStringLiteral(") AS MAYOR FROM ") + QueTabla;
    if (!vbtext::Trim(Condicion).isEmpty()) sql += QStringLiteral(" WHERE ") + Condicion;
    ado::Recordset rs;
    ultimaSentencia = sql;
    rs.Open(sql, &gCnn, 0, 1, -1);
    if (rs.Bof()) return {};
    return vbtext::Val(Utilidades().NullToText(rs[QStringLiteral("MAYOR")]));
}
