#include "app/Auditoria.h"
#include "app/Sesion.h"
#include "data/DB_Dll.h"
#include "data/SentenciasSQL.h"
#include "platform/ProgramFolder.h"
#include "util/ErrorTrap.h"
#include "util/Formatos.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"
#include "util/ZtWorkstation.h"
#include <QHash>

namespace {
// The suite's programs whose audit rows are recorded under another name
// (program -> process), those recorded without a task, and the one that
// records nothing. This program is in none of them; the suite's names are
// filled in when its programs are.
const QHash<QString, QString> kVariantes;
const QStringList kSinTarea;
const QStringList kSinRegistro;

enum class Clase { Normal, SinTarea, SinRegistro };

std::pair<QString, Clase> proceso(const QString& nombre) {
    for (auto it = kVariantes.cbegin(); it != kVariantes.cend(); ++it)
        if (vbtext::Equals(nombre, it.key())) return {it.value(), Clase::Normal};
    if (kSinTarea.contains(nombre, Qt::CaseInsensitive)) return {nombre, Clase::SinTarea};
    if (kSinRegistro.contains(nombre, Qt::CaseInsensitive)) return {nombre, Clase::SinRegistro};
    return {nombre, Clase::Normal};
}
} // namespace

void RegistraAcceso(const QString& formulario) {
    DB_Dll& db = DB();
    const ZtUtil& u = Utilidades();
    QString nombre, tarea, sql;
    std::pair<QString, Clase> p;
    ado::Recordset rs;
    QStringList sentencias;
    runTrapped(trap::skipAll, {
        [&] {
            nombre = formulario.isEmpty() ? exeName() : formulario;
            Session.UsuarioLogeado = db.gUsuario;
        },
        [&] { p = proceso(nombre); },
    });
    if (p.second == Clase::SinRegistro) return;
    runTrapped(trap::skipAll, {
        [&] {
            if (p.second == Clase::SinTarea) return;
            QString s = QStringLiteral("SELECT TA_TAREAS.USUARIO, TA_MENU.Proceso, TA_MENU.Clave , TA_MENU.Nombre ") +
                        QStringLiteral(" FROM TA_TAREAS  with(nolock) INNER JOIN TA_MENU ON TA_TAREAS.TAREA = TA_MENU.Clave ") +
                        // No blank before the closing apostrophe: only SQL Server's
                        // padded comparison would still match the user with it.
                        QStringLiteral(" WHERE (TA_TAREAS.USUARIO = '") + entreComillas(Session.UsuarioLogeado) +
                        QStringLiteral("') AND (TA_MENU.Proceso LIKE '%") + entreComillas(p.first) + QStringLiteral("%')");
            ado::Recordset t;
            db.AbrirRecordset(s, t);
            const QString exe = exeName();
            if (t.State() == ado::ad::StateOpen && !t.Eof()) tarea = u.NullToText(t[QStringLiteral("Nombre")]);
            else if (vbtext::Equals(exe, QStringLiteral("CN000PR"))) tarea = QStringLiteral("Menu Principal");
            else if (!vbtext::Equals(Session.UsuarioLogeado, db.gDBName) && !vbtext::Equals(Session.UsuarioLogeado, QStringLiteral("SUPERVISOR VALMORE MC")))
                tarea = exe;
            db.CierraRecordset(t);
        },
        [&] {
            sql = AdaptaSentenciaOracle(QStringLiteral("Select TOP 1 * from Control_Acceso  with(nolock) "));
            db.AbrirRecordset(sql, rs);
        },
        [&] {
            const QString ahora = FormatearVB(QDateTime::currentDateTime(), FormatoFecha() + u' ' + FormatoHora());
            AgregaCampo(QStringLiteral("Maquina"), vbtext::Trim(Puesto().ComputerName()).toUpper(), QStringLiteral("'"), true);
            AgregaCampo(QStringLiteral("Usuario"), vbtext::Trim(Session.UsuarioLogeado).toUpper(), QStringLiteral("'"), false);
            AgregaCampo(QStringLiteral("Formulario"), vbtext::Trim(p.first).toUpper(), QStringLiteral("'"), false);
            AgregaCampo(QStringLiteral("Tarea"), vbtext::Trim(tarea).toUpper(), QStringLiteral("'"), false);
            AgregaCampo(QStringLiteral("Ingreso"), ahora, QStringLiteral("'"), false);
            AgregaCampo(QStringLiteral("NombreUsuario"), Session.UsuarioLogeado, QStringLiteral("'"), false);
            QString donde;
            ArmaSentenciaSQL(CamposSQL(), sentencias, QStringLiteral("Control_Acceso"), false, donde, false);
        },
        [&] { GActualizarDatoScript(sentencias, false, false, true); },
        [&] {
            Session.IdAcceso = (rs.State() == ado::ad::StateOpen && !rs.Eof()) ? int32_t(rs[QStringLiteral("Id")].toLongLong()) : 0;
        },
        [&] { db.CierraRecordset(rs); },
    });
}
