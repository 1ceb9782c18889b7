#include "lookup/Lib_ClsCons3.h"
#include "data/Cfg.h"
#include "data/DB_Dll.h"
#include "lookup/AnchosColumnas.h"
#include "lookup/MascaraConsultas.h"
#include <QFile>
#include "platform/Prompt.h"
#include "util/ErrorTrap.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"
#include <QFileInfo>
#include <memory>

namespace {
MostradorConsulta gMostrador;
std::unique_ptr<Lib_ClsCons3> gClsCons;

bool tiene(const QString& s, const char* t) { return vbtext::Contains(s, QLatin1String(t)); }
QString limpiar(const QString& s) { return vbtext::Trim(Utilidades().RemoveText(s, QString(QChar(0)), QString(QChar(0xFF)))); }
}

void setMostradorConsulta(MostradorConsulta m) { gMostrador = std::move(m); }

Lib_ClsCons3& ClsCons() {
    if (!gClsCons) gClsCons = std::make_unique<Lib_ClsCons3>();
    return *gClsCons;
}

void reiniciarClsCons() { gClsCons.reset(); }

Lib_ClsCons3::Lib_ClsCons3() {
    // Settings read once, when the object is made; a missing key gives "".
    auto nivel = [](const char* k) {
        const QString v = vbtext::Trim(Cfg(QString::fromLatin1(k)));
        return v.isEmpty() ? ado::Variant(0) : ado::Variant(v);
    };
    runTrapped(trap::skipAll, {
        [&] { StkNivel1 = nivel("Stk_Nivel1"); },
        [&] { StkNivel2 = nivel("Stk_Nivel2"); },
        [&] { StkNivel3 = nivel("Stk_Nivel3"); },
        [&] { StkNivel4 = nivel("Stk_Nivel4"); },
        [&] { MuestraStock = Cfg(QStringLiteral("MostrarStockenConsultas")); },
        [&] { usaConsultaLike_ = vbtext::Equals(Cfg(QStringLiteral("UsaConsultaLike")), QStringLiteral("SI")); },
    });
}

void Lib_ClsCons3::ArmarConsultaDefault(QString& sql, QString& CampoBusqueda, const QString& Where,
                                        const QString& SentenciaOpcional, const QString& limite) {
    if (!SentenciaOpcional.isEmpty()) {
        sql = SentenciaOpcional;
        return;
    }
    const QString nombre = sql;
    QString columnas;
    if (vbtext::Equals(nombre, QStringLiteral("V_TA_DEPOSITO"))) {
        columnas = QStringLiteral("Descripcion,IdDeposito,UnidadNegocio,");
        CampoBusqueda = QStringLiteral("IDDEPOSITO");
    } else {
        DB_Dll& db = DB();
        ado::Recordset rs;
        QString s = QStringLiteral("select top 1 * from ") + nombre;
        runTrapped(trap::skipAll, {
            [&] { db.AbrirRecordset(s, rs); },
            [&] {
                if (rs.State() != ado::ad::StateOpen) return;
                const bool conId = vbtext::Equals(nombre, QStringLiteral("v_mv_mutuales")) || vbtext::Equals(nombre, QStringLiteral("V_MV_TROPA_STOCK"));
                for (int i = 0; i < rs.FieldCount(); ++i) {
                    const QString f = rs.Fields(i).Name();
                    const bool id = vbtext::Equals(f, QStringLiteral("ID")) || vbtext::Equals(f, QStringLiteral("FECHAHORA_MODIFICACION")) ||
                                    vbtext::Equals(f, QStringLiteral("FECHAHORA_GRABACION"));
                    if (id) {
                        if (!conId) continue;
                        columnas = f + u',' + columnas;
                        CampoBusqueda = f;
                    } else if (vbtext::Equals(f, QStringLiteral("DESCRIPCION")) || vbtext::Equals(f, QStringLiteral("NOMBRE")) ||
                               vbtext::Equals(f, QStringLiteral("DETALLE"))) {
                        columnas = f + u',' + columnas;
                        CampoBusqueda = f;
                    } else {
                        const bool vacia = columnas.isEmpty();
                        columnas = f + u',' + columnas;
                        if (vacia) CampoBusqueda = f;
                    }
                }
            },
            [&] { db.CierraRecordset(rs); },
        });
    }
    columnas = vbtext::Trim(columnas).isEmpty() ? QStringLiteral(" * ") : columnas.left(columnas.size() - 1);
    const QString filtro = QStringLiteral(" ") + Where;
    sql = QStringLiteral("SELECT TOP ") + limite + u' ' + columnas + QStringLiteral(" FROM ") + nombre +
          (vbtext::Trim(filtro).isEmpty() ? QString() : QStringLiteral(" WHERE ")) + filtro + QStringLiteral(" ORDER BY ") + CampoBusqueda;
}

std::optional<QString> Lib_ClsCons3::ArmarSentencia(QString sql, QString& CampoBusqueda, QString& Where,
                                                    const QString& SentenciaOpcional) {
    if (vbtext::Trim(Where).size() > 1 && !Where.startsWith(u'(')) Where = QStringLiteral(" (") + Where + QStringLiteral(") ");
    const double tope = vbtext::Val(Cfg(QStringLiteral("TopConsArt")));
    const QString limite = tope == 0 ? QStringLiteral("1000") : QString::number(tope, 'g', 15);

    const bool porSentencia = tiene(sql, "SELECT") || !gUsarMascarasConsultas;
    if (porSentencia) {
        if (!tiene(sql, "SELECT")) {
            ArmarConsultaDefault(sql, CampoBusqueda, Where, SentenciaOpcional, limite);
            return sql;
        }
        if (tiene(sql, "V_MA_ARTICULOS")) sql = Utilidades().ReplaceName(sql, QStringLiteral("V_MA_ARTICULOS"), QStringLiteral("VT_MA_ARTICULOS"));
        if (!vbtext::Trim(Where).isEmpty()) {
            if (!tiene(Where, "WHERE")) Where = QStringLiteral(" WHERE ") + Where;
            sql += Where;
        }
        return sql;
    }
    if (!QFileInfo(gRutaMascaraConsultas).isFile()) return sql;
    const auto mascaras = LeerMascaras(gRutaMascaraConsultas);
    if (mascaras) {
        for (const MascaraConsulta& m : *mascaras) {
            QString vista = limpiar(m.VistaMascara);
            if (!vbtext::Equals(vista, vbtext::Trim(sql))) continue;
            QString columnas = vbtext::Trim(Utilidades().ReplaceText(m.CamposMascara, QStringLiteral("|"), QStringLiteral(",")));
            if (columnas.startsWith(u',')) columnas = columnas.mid(1);
            if (columnas.endsWith(u',')) columnas.chop(1);
            if (vbtext::Trim(columnas).isEmpty()) columnas = QStringLiteral("*");
            if (CampoBusqueda.isEmpty()) {
                if (!columnas.contains(u',')) {
                    MsgBox(QStringLiteral("Debe configurar la consulta para esta tabla"), vb::OKOnly | vb::Information,
                           QStringLiteral("Aviso al operador"));
                    return std::nullopt;
                }
                CampoBusqueda = columnas.left(columnas.indexOf(u','));
            }
            QString filtro = limpiar(m.FiltroMascara);
            if (filtro.isEmpty() && !vbtext::Trim(Where).isEmpty()) filtro = Where;
            if (vbtext::Equals(vista, QStringLiteral("VT_PROVEEDORES")) || vbtext::Equals(vista, QStringLiteral("VT_CLIENTES"))) {
                if (filtro.isEmpty()) filtro = QStringLiteral("Dada_De_Baja = 0");
            } else if (vbtext::Equals(vista, QStringLiteral("V_MA_ARTICULOS"))) {
                vista = QStringLiteral("VT_MA_ARTICULOS");
                if (filtro.isEmpty()) filtro = QStringLiteral("SUSPENDIDO = 0");
            }
            const QString donde = vbtext::Trim(filtro).isEmpty() ? QString() : QStringLiteral(" WHERE ");
            if (CampoBusqueda.isEmpty())
                return QStringLiteral("SELECT TOP ") + limite + u' ' + columnas + QStringLiteral(" FROM ") + vista +
                       QStringLiteral(" with(nolock) ") + donde + filtro;
            return QStringLiteral("SELECT TOP ") + limite + u' ' + columnas + QStringLiteral(" FROM ") + vista +
                   QStringLiteral("  with(nolock) ") + donde + filtro + QStringLiteral(" ORDER BY ") + CampoBusqueda;
        }
    }
    ArmarConsultaDefault(sql, CampoBusqueda, Where, SentenciaOpcional, limite);
    return sql;
}

void Lib_ClsCons3::ConsultaSearch(QString sql, QStringList* CmpsDevueltos, const QString& Clave, QString& CampoBusqueda,
                                  QString& Where, const QString& SentenciaOpcional, bool TreeView, const QString& ValoresDefault) {
    const std::optional<QString> sentencia = ArmarSentencia(sql, CampoBusqueda, Where, SentenciaOpcional);
    if (!sentencia) return;   // the configuration message stops the lookup as it is
    PedidoConsulta p;
    p.sql = *sentencia;
    p.CampoDevuelto = CampoDevuelto;
    p.CheckBoxes = Checks;
    p.TreeView = TreeView;
    p.StkNivel1 = StkNivel1;
    p.StkNivel2 = StkNivel2;
    p.StkNivel3 = StkNivel3;
    p.StkNivel4 = StkNivel4;
    p.MuestraStock = MuestraStock;
    p.CfgUsaConsultaLIKE = usaConsultaLike_;
    p.OrdenarPorLwv = !tiene(p.sql, "ORDER BY");
    p.FiltroInicial = Clave;
    p.CampoBusqueda = CampoBusqueda;
    if (gConnString.isEmpty()) gConnString = DB().gConnString;
    p.gConnString = gConnString;
    p.UsaCantidades = UsaCantidades;
    p.ValoresDefault = ValoresDefault;
    p.DestildarTodo = Checks && !TreeView;
    if (CmpsDevueltos) p.CmpsDevueltos = *CmpsDevueltos;
    Valores.reset();
    Cantidades.reset();
    RespuestaConsulta r;
    if (gMostrador) r = gMostrador(p);
    Checks = false;
    ValorDevuelto = r.ValorDevuelto;
    Valores = std::move(r.Valores);
    Cantidades = std::move(r.Cantidades);
    // Clean-up: one-shot settings reset, the caller's collection emptied.
    CampoDevuelto.clear();
    if (CmpsDevueltos) CmpsDevueltos->clear();
}

namespace {
RespuestaConsulta mostrarFijas(PedidoConsulta p) {
    p.filasFijas = true;
    p.ocultarNueva = true;
    p.OrdenarPorLwv = true;
    p.CampoDevuelto = p.Titulo;
    return gMostrador ? gMostrador(p) : RespuestaConsulta{};
}
}

QString Lib_ClsCons3::CheckOpciones(const QString& Titulo, QStringList*, const QStringList& Opc) {
    PedidoConsulta p;
    p.Titulo = Titulo;
    p.CheckBoxes = true;
    // A list of a single option shows no rows, as the suite's programs expect.
    if (Opc.size() > 1)
        for (const QString& o : Opc) {
            p.filas << o.mid(1);
            p.tildadas << o.startsWith(u'1');
        }
    Valores = mostrarFijas(p).Valores;
    return {};
}

QString Lib_ClsCons3::MenuOpciones(const QString& Titulo, const QStringList& Opc) {
    PedidoConsulta p;
    p.Titulo = Titulo;
    if (Opc.size() > 1) p.filas = Opc;
    return mostrarFijas(p).ValorDevuelto.toText();
}

QString Lib_ClsCons3::ConsultaDesdeArchivo(const QString& Titulo, const QString& QueArchivo, const QString&) {
    if (!ExisteArchivo(QueArchivo)) {
        MsgBox(QStringLiteral("No existe el archivo ") + QueArchivo + QStringLiteral(" que desea consultar consulta "), vb::OKOnly);
        return {};
    }
    QString ruta = QueArchivo;
    ruta.remove(u'"');
    QFile f(ruta);
    PedidoConsulta p;
    p.Titulo = Titulo;
    if (f.open(QIODevice::ReadOnly | QIODevice::Text))
        while (!f.atEnd()) {
            QString linea = QString::fromUtf8(f.readLine());
            while (linea.endsWith(u'\n') || linea.endsWith(u'\r')) linea.chop(1);
            p.filas << linea;
        }
    return mostrarFijas(p).ValorDevuelto.toText();
}

bool CrearMascarasConsultas() { return AgregarMascaras(ClsCons().gRutaMascaraConsultas, MascarasPorDefecto()); }
