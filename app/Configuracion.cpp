#include "app/Configuracion.h"
#include "app/Sesion.h"
#include "data/Ajustes.h"
#include "data/DB_Dll.h"
#include "platform/ProgramFolder.h"
#include "util/ErrorTrap.h"
#include "util/ReportaError.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"
#include <cstdlib>
#include <ctime>

namespace {
// The suite's sales and order programs, whose own decimals replace the
// general setting. This program is none of them.
const QStringList kProgramasVentas = {};

bool si(const QString& v) { return vbtext::Equals(v, QStringLiteral("SI")); }
bool noEsNo(const QString& v) { return !vbtext::Trim(v).isEmpty() && !vbtext::Equals(vbtext::Trim(v), QStringLiteral("NO")); }
int16_t entero16(const QString& v) {
    const double d = vbtext::Val(v);
    return int16_t(d > 32767 ? 32767 : d < -32768 ? -32768 : std::lround(d));
}
uint32_t color(const QString& v) {
    const double d = Utilidades().TextToCurrency(v);
    if (d < 0 || d > 4294967295.0) throw VbError(6, QStringLiteral("Overflow"));
    return uint32_t(std::llround(d));
}
} // namespace

void ConectaEstadisticas() {
    Session.TimeOut = 360;
    DB_Dll& e = DBEstadisticas();
    int16_t t = 360;
    bool abierta = false;
    runTrapped(trap::skipAll, {
        [&] {
            if (e.gCnn.State() == ado::ad::StateOpen) e.gCnn.Close();
        },
        [&] {
            e.gProveedor = DB().gProveedor;
            e.gServidor = DB().gServidor;
            e.gDBName = QStringLiteral("VM_ESTADISTICAS");
            e.gUsuario = QStringLiteral("VM_ESTADISTICAS");
            e.gUserPassWord = ClaveEstadisticas();
        },
        // A statistics database that cannot be opened leaves the default
        // time-out, without asking anything of the operator.
        [&] {
            e.OpenServerADODB(false, 3, QString(), true, false);
            abierta = e.gOpenFlag;
        },
        [&] {
            if (abierta) e.gCnn.setDefaultDatabase(QStringLiteral("VM_ESTADISTICAS"));
        },
        [&] {
            if (!abierta) return;
            t = entero16(CfgVM(QStringLiteral("TimeOut")));
            if (t == 0) {
                GuardaCfgEstadisticas(QStringLiteral("TimeOut"), QStringLiteral("0"), QString(), false, QStringLiteral("BaseDeDatos"), true);
                t = 360;
            }
        },
    });
    Session.TimeOut = t;
}

void CargaConfiguracion(const QString& carpeta) {
    AjustesSesion& a = Ajustes;
    auto txt = [](const char* k) { return vbtext::Trim(Cfg(QString::fromLatin1(k))); };
    auto sn = [](const char* k) { return si(Cfg(QString::fromLatin1(k))); };
    auto nn = [](const char* k) { return noEsNo(Cfg(QString::fromLatin1(k))); };
    runTrapped(trap::skipAll, {
        [&] { std::srand(unsigned(std::time(nullptr))); },
        [&] { a.TablaConfiguracion = QStringLiteral("ta_configuracion"); },
        [&] { a.MostrarStockenConsultas = sn("MostrarStockenConsultas"); },
        [&] { a.TituloClientes = txt("TituloClientes"); },
        [&] { a.TituloProveedores = txt("TituloProveedores"); },
        [&] { a.ExigeClaveConsultaLikeArticulos = sn("EXIGECLAVECONSULTALIKEARTICULOS"); },
        [&] { a.UsaConsultaLike = sn("UsaConsultaLike"); },
        [&] { a.CantidadDecimales = Cfg(QStringLiteral("CantidadDecimales")); },
        [&] { a.SS_CONFIDENCIALIDAD = sn("SS_CONFIDENCIALIDAD"); },
        [&] {
            const QString v = Cfg(QStringLiteral("CantidadDecimalesVentas"));
            if (vbtext::Val(v) > 0 && kProgramasVentas.contains(exeName(), Qt::CaseInsensitive)) a.CantidadDecimales = v;
        },
        [&] { a.UsaMultilesMonedas = sn("UsaMultilesMonedas"); },
        [&] { a.UsaFacturaProforma = sn("UsaFacturaProforma"); },
        [&] { a.UsaCCosto = sn("USACCOSTO"); },
        [&] { a.UsaStkStockUdKg = sn("USA_STK_STOCK_UDKG"); },
        [&] {
            DB_Dll& db = DB();
            ado::Recordset rs;
            QString sql = QStringLiteral("Select * from ta_usuarios  with(nolock)  where Nombre = '") +
                          entreComillas(Session.UsuarioLogeado) + u'\'';
            db.AbrirRecordset(sql, rs, &db.gCnn, 0, 1, -1, true);
            if (rs.State() == ado::ad::StateOpen && !rs.Eof()) {
                a.UnidadNegocio = Utilidades().NullToText(rs[QStringLiteral("UNegocio")]);
                if (a.UsaFacturaProforma) a.UnidadNegocio = Utilidades().NullToText(rs[QStringLiteral("verproforma")]);
            }
            db.CierraRecordset(rs);
        },
        [&] {
            if (vbtext::Trim(a.UnidadNegocio).isEmpty()) a.UnidadNegocio = QStringLiteral("   1");
        },
        [&] { a.UnidadDeMedidaM3 = txt("UNIDADDEMEDIDA_M3"); },
        [&] { a.UnidadDeMedidaBL = txt("UNIDADDEMEDIDA_BL"); },
        [&] { a.UnidadDeMedidaKG = txt("UNIDADDEMEDIDA_KG"); },
        [&] { a.Periodo = entero16(Cfg(QStringLiteral("PERIODO"))); },
        [&] { a.RazonSocialPorUneg = si(txt("RazonSocialPorUneg")); },
        [&] { a.ValidaCodigoBarra = sn("VALIDACODIGOBARRA"); },
        [&] {
            const uint32_t c = color(Cfg(QStringLiteral("CFondo")));
            Session.ColorFondo = c == 0 ? 16776960u : c;
        },
        [&] { Session.ColorLetra = color(Cfg(QStringLiteral("CLetra"))); },
        [&] { a.ModuloOrdenDeTrabajo = !vbtext::Equals(txt("ModuloOrdenDeTrabajo"), QStringLiteral("NO")); },
        [&] { a.V_ModificaCPrecio = nn("V_ModificaCPrecio"); },
        [&] { a.C_ModificaCPrecio = nn("C_ModificaCPrecio"); },
        [&] { a.Maderera = nn("MADERERA"); },
        [&] { a.MadTiras = txt("MAD_TIRAS"); },
        [&] { a.MadP2 = txt("MAD_P2"); },
        [&] { a.MadML = txt("MAD_ML"); },
        [&] { a.MadM2 = txt("MAD_M2"); },
        [&] { a.MadHojas = txt("MAD_HOJAS"); },
        [&] { a.MadMLP2 = txt("MAD_ML_P2"); },
        [&] { a.MadM2P2 = txt("MAD_M2_P2"); },
        [&] { a.MadMLM2 = txt("MAD_ML_M2"); },
        [&] { a.CuentaCtroDist = txt("CuentaCtroDist"); },
        [&] { a.MaxDto = Utilidades().TextToCurrency(txt("MaxDto")); },
        [&] { a.MaxDtoProforma = Utilidades().TextToCurrency(txt("MaxDtoProforma")); },
        [&] { a.PideClaveStockNeg = nn("PideClave_StockNeg"); },
        [&] { a.PideClaveMarkUpBase = nn("PideClave_MarkUpBase"); },
        [&] { a.PideClaveLimiteCredito = nn("PideClave_LimiteCredito"); },
        [&] { a.SS_BloqueoActivo = sn("SS_BloqueoActivo"); },
        [&] { a.UtilizarFechaDia = sn("UTILIZARFECHADIA"); },
        [&] { a.AsignacionAutomaticaDeLoteING = sn("AsignacionAutomaticaDeLoteING"); },
        [&] { a.AsignacionAutomaticaDeLoteINGOP = sn("AsignacionAutomaticaDeLoteINGOP"); },
        [&] {
            a.CondIvaEmpresa = entero16(Cfg(QStringLiteral("CONDIVAEMPRESA")));
            if (a.CondIvaEmpresa == 0) a.CondIvaEmpresa = entero16(Cfg(QStringLiteral("CONDIVA")));
            if (a.CondIvaEmpresa == 0) a.CondIvaEmpresa = 1;
        },
        [&] {
            a.TopDefault = Cfg(QStringLiteral("Top_Default"));
            if (vbtext::Trim(a.TopDefault).isEmpty()) a.TopDefault = QStringLiteral("1000");
        },
        [&] { a.ArchivoTareas = carpeta + QStringLiteral("VMDOCTareas.vlm"); },
    });
}
