#include "data/Cfg.h"
#include "data/Ajustes.h"
#include "data/DB_Dll.h"
#include "util/ErrorTrap.h"
#include "util/ReportaError.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"
#include <memory>

namespace {
std::unique_ptr<DB_Dll> gEstadisticas;

QString tablaConfiguracion() {
    if (vbtext::Trim(Ajustes.TablaConfiguracion).isEmpty()) Ajustes.TablaConfiguracion = QStringLiteral("TA_CONFIGURACION");
    return Ajustes.TablaConfiguracion;
}
QString leer(DB_Dll& db, bool exigeAbierta, const QString& clave, QString& valorAux, const QString& rutina) {
    if (exigeAbierta && (!db.gOpenFlag || db.gCnn.State() != ado::ad::StateOpen)) return {};
    QString sql = QStringLiteral("SELECT VALOR, valoraux FROM ") + tablaConfiguracion() + QStringLiteral(" with(nolock)  WHERE CLAVE = '") +
                  entreComillas(vbtext::Trim(clave)) + u'\'';
    const QString k = vbtext::Trim(clave);
    if (vbtext::Equals(k, QStringLiteral("[FECHA HASTA]")) || vbtext::Equals(k, QStringLiteral("[FECHA DESDE]"))) sql = sql.toUpper();
    ado::Recordset rs;
    QString resultado;
    bool dejar = false;
    const TrapReport report = [&](const VbError& e) {
        const int r = ReportaError(e, vb::AbortRetryIgnore | vb::Critical, rutina);
        if (r == vb::Ignore) return int(vb::Ignore);
        dejar = true;
        return 0;
    };
    runTrapped(report, {
        [&] { db.AbrirRecordset(sql, rs, &db.gCnn, 0, 1, -1, true); },
        [&] {
            // A statement that could not be opened has been reported already.
            if (rs.State() != ado::ad::StateOpen) {
                dejar = true;
                return;
            }
            if (rs.Bof()) {
                resultado = QStringLiteral(" ");
                valorAux.clear();
            } else {
                resultado = Utilidades().NullToText(rs[QStringLiteral("Valor")]);
                valorAux = Utilidades().NullToText(rs[QStringLiteral("ValorAux")]);
            }
        },
        [&] { db.CierraRecordset(rs); },
    });
    if (dejar) {
        try { db.CierraRecordset(rs); } catch (const VbError&) {}
        return {};
    }
    if (vbtext::Equals(k, QStringLiteral("THEME")) && vbtext::Trim(resultado).isEmpty()) resultado = QStringLiteral("1");
    return resultado;
}

} // namespace

DB_Dll& DBEstadisticas() {
    if (!gEstadisticas) gEstadisticas = std::make_unique<DB_Dll>();
    return *gEstadisticas;
}

void reiniciarDBEstadisticas() { gEstadisticas.reset(); }

QString ClaveEstadisticas() { return QStringLiteral("Vm3st4d1st1c4s!"); }

QString Cfg(const QString& clave, QString& valorAux) { return leer(DB(), true, clave, valorAux, QStringLiteral("Cfg")); }
QString Cfg(const QString& clave) {
    QString aux;
    return Cfg(clave, aux);
}
QString CfgVM(const QString& clave, QString& valorAux) { return leer(DBEstadisticas(), false, clave, valorAux, QStringLiteral("CfgVM")); }
QString CfgVM(const QString& clave) {
    QString aux;
    return CfgVM(clave, aux);
}

void GuardaCfgEstadisticas(const QString& clave, const QString& valor, const QString& valorAux, bool politica,
                           const QString& grupo, bool recortar) {
    DB_Dll& db = DBEstadisticas();
    ado::Recordset rs;
    QString sql = QStringLiteral("SELECT * FROM ") + tablaConfiguracion() + QStringLiteral(" with(nolock)  WHERE CLAVE = '") +
                  entreComillas(clave) + u'\'';
    runTrapped(trap::skipAll, {
        [&] { db.AbrirRecordset(sql, rs, &db.gCnn, ado::ad::OpenDynamic, ado::ad::LockOptimistic, -1, true); },
        [&] {
            if (rs.Eof()) rs.AddNew();
            else rs.MoveFirst();
        },
        [&] { rs.Fields(QStringLiteral("Grupo")).setValue(grupo); },
        [&] { rs.Fields(QStringLiteral("Clave")).setValue(vbtext::Trim(clave).toUpper()); },
        [&] { rs.Fields(QStringLiteral("Valor")).setValue(recortar ? vbtext::Trim(valor) : valor); },
        [&] { rs.Fields(QStringLiteral("PoliticaNegocio")).setValue(politica); },
        [&] {
            if (!valorAux.isEmpty()) rs.Fields(QStringLiteral("ValorAux")).setValue(vbtext::Trim(valorAux));
        },
        [&] { rs.Update(); },
        [&] {
            if (rs.State() == ado::ad::StateOpen && rs.EditMode() != ado::ad::EditNone) rs.CancelUpdate();
        },
        [&] { db.CierraRecordset(rs); },
    });
}

