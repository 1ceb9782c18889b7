#include "app/CargaParametros.h"
#include "app/Auditoria.h"
#include "app/Configuracion.h"
#include "app/Sesion.h"
#include "data/DB_Dll.h"
#include "lookup/Lib_ClsCons3.h"
#include "platform/ProcessEnd.h"
#include "platform/ProgramFolder.h"
#include "util/ErrorTrap.h"
#include "util/Formatos.h"
#include "util/VbText.h"
#include "util/ZtIni.h"
#include "util/ZtUtil.h"
#include "util/ZtWorkstation.h"
#include <QFileInfo>

QString ClavePorDefecto() { return QStringLiteral("zirotek"); }

QString LeerParametro(const QString& s, const QString& clave, const QString& siFalta, bool hastaElFinal) {
    const int p = vbtext::InStr(s, clave);
    if (p == 0) return siFalta;
    const int inicio = p + int(clave.size());   // 1-based, right after the key
    const int fin = vbtext::InStr(s, QStringLiteral(";"), p);
    QString crudo;
    if (fin == 0) {
        if (!hastaElFinal) return {};
        crudo = s.mid(inicio - 1);
    } else {
        crudo = fin > inicio ? s.mid(inicio - 1, fin - inicio) : QString();
    }
    return vbtext::Trim(Utilidades().RemoveText(crudo, QStringLiteral("=")));
}

void CargaParametros(bool UsarIni, const QString& Parametros, const QString& ConnString, long Cursor) {
    ZtUtil& u = Utilidades();
    DB_Dll& db = DB();
    QString parametros;
    QString servidor, base, usuario, clave;
    bool yaConectado = false;

    auto desdeIni = [&] {
        const QString seccion = Puesto().ComputerName().toUpper() + u'|' + Puesto().WorkstationUser().toUpper() +
                                QStringLiteral("BaseDeDatos");
        const QString ini = QStringLiteral("CN000pr.INI");
        QString s = Ini().ReadIniValue(ini, seccion, QStringLiteral("Servidor"), QString());
        QString d = Ini().ReadIniValue(ini, seccion, QStringLiteral("DbName"), QString());
        QString us = u.Unscramble(Ini().ReadIniValue(ini, seccion, QStringLiteral("Usuario"), u.Scramble(QStringLiteral("ValMore"))));
        QString pw = u.Unscramble(Ini().ReadIniValue(ini, seccion, QStringLiteral("UserPassWord"), u.Scramble(ClavePorDefecto())));
        s = u.RemoveText(s, QStringLiteral("|"));
        d = u.RemoveText(d, QStringLiteral("|"));
        us = u.RemoveText(us, QStringLiteral("|"));
        pw = u.RemoveText(pw, QStringLiteral("|"));
        parametros = QStringLiteral("@server=") + s + QStringLiteral("; @dbname= ") + d + QStringLiteral("; @usuario= ") + us +
                     QStringLiteral("; @Password= ") + pw + QStringLiteral("; @ParametroAdicional=; @Caja=1;ziro@");
    };

    runTrapped(trap::skipInvalidArguments, {
        [&] {
            Session.CarpetaPrograma = u.AddBackslash(programFolder());
            Session.ArchivoAyuda = Session.CarpetaPrograma + QStringLiteral("htmlhelp/zirotekplus.chm");
        },
        [&] {
            Session.ColorLetra = 0;
            Session.ColorFondo = 0xFFFFFF;
        },
        [&] { parametros = !Parametros.isEmpty() ? Parametros : lineaDeComandos(); },
        [&] {
            if (vbtext::Trim(parametros).isEmpty() && UsarIni) desdeIni();
        },
        [&] {
            QString id = Puesto().ComputerName().toUpper() + u'|' + Puesto().WorkstationUser().toUpper();
            if (vbtext::Trim(id).size() > 50) id = id.left(50);
            Session.IdPuesto = id;
        },
        [&] {
            Session.FlatToolbars = vbtext::Val(Ini().ReadIniValue(QStringLiteral("CN000pr.INI"), Session.IdPuesto,
                                                                  QStringLiteral("FlatToolbars"), QStringLiteral("1")));
        },
        [&] { yaConectado = db.gOpenFlag; },
        [&] {
            if (yaConectado) return;
            Session.ParametroAdicional = LeerParametro(parametros, QStringLiteral("@ParametroAdicional"), QString(), true);
            Session.Menu = LeerParametro(parametros, QStringLiteral("@Menu"), QString(), false);
            servidor = LeerParametro(parametros, QStringLiteral("@Server"), QString(), false);
            base = LeerParametro(parametros, QStringLiteral("@DbName"), QString(), false);
            usuario = LeerParametro(parametros, QStringLiteral("@Usuario"), QString(), false);
            clave = LeerParametro(parametros, QStringLiteral("@Password"), QString(), false);
            Session.UsuarioLogeado = LeerParametro(parametros, QStringLiteral("@UsuarioLogeado"), QString(), false);
            Session.Caja = LeerParametro(parametros, QStringLiteral("@Caja"), QStringLiteral("1"), false);
        },
        [&] {
            if (yaConectado) return;
            db.gUsuario = usuario;
            db.gDBName = base;
            db.gUserPassWord = clave;
            db.gServidor = ExtraeServidor(servidor);
        },
        [&] {
            if (yaConectado) return;
            const bool pide = vbtext::Trim(servidor).isEmpty() || vbtext::Trim(usuario).isEmpty();
            db.OpenServerADODB(pide, Cursor, ConnString, true, true);
        },
        [&] {
            if (yaConectado) return;
            if (!db.gOpenFlag) TerminarProceso(0);
        },
        [&] {
            if (!yaConectado) ConectaEstadisticas();
        },
        [&] {
            if (!yaConectado) Session.UsuarioLogeado = db.gUsuario;
        },
        [&] {
            if (yaConectado) return;
            db.gCnn.CommandTimeout = Session.TimeOut;
            db.gCnn.setIsolationLevel(ado::ad::XactReadUncommitted);
        },
        [&] {
            if (db.gDBName.isEmpty()) return;
            Session.CadenaODBC = QStringLiteral("DSN=") + db.gDBName + QStringLiteral("; UID=") + db.gUsuario +
                                 QStringLiteral("; PWD=") + db.gUserPassWord;
        },
        // The suite's second closed component only received the program folder;
        // nothing here needs it.
        [&] {
            if (!db.gDBName.isEmpty()) db.gCnn.setDefaultDatabase(db.gDBName);
        },
        [&] {
            if (db.gDBName.isEmpty()) return;
            ClsCons().gConnString = db.gConnString;
            ClsCons().gUsarMascarasConsultas = true;
            ClsCons().gRutaMascaraConsultas = Session.CarpetaPrograma + QStringLiteral("consultas.vlm");
        },
        [&] {
            if (!db.gDBName.isEmpty() && !QFileInfo(ClsCons().gRutaMascaraConsultas).isFile() && !CrearMascarasConsultas())
                MsgBox(QStringLiteral("No se pudo crear el archivo de consultas %1: la carpeta del programa no admite escritura.\r\n"
                                      "Las consultas se muestran sin máscaras y no se guardarán los anchos de sus columnas ni el registro de errores.")
                           .arg(ClsCons().gRutaMascaraConsultas),
                       vb::OKOnly | vb::Exclamation, QStringLiteral("Aviso al Operador..."));
        },
        [&] {
            if (!db.gDBName.isEmpty()) db.gCnn.setDefaultDatabase(db.gDBName);
        },
        [&] {
            if (!db.gDBName.isEmpty()) CargaConfiguracion(Session.CarpetaPrograma);
        },
        [&] { RegistraAcceso(QString()); },
    });
}
