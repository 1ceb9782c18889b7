#include "data/DB_Dll.h"
#include "data/FormularioConexion.h"
#include "platform/ProgramFolder.h"
#include "platform/Prompt.h"
#include "util/ErrorTrap.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"

namespace {
const QString CR = QStringLiteral("\r");
const QString CRLF = QStringLiteral("\r\n");

// A value that would end its pair early (";") or be read as quoted is put in
// double quotes; plain values are written as they are.
QString valorCadena(const QString& v) {
    if (!v.contains(u';') && !v.startsWith(u'"') && !v.startsWith(u'\'')) return v;
    QString q = v;
    q.remove(u'"');
    return u'"' + q + u'"';
}
} // namespace

QString DB_Dll::ComponerCadenaServidor() {
    if (vbtext::Contains(gServidor, QStringLiteral("#"))) {
        gConnString = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=") + valorCadena(gDBName) +
                      QStringLiteral(";User Id=") + valorCadena(gUsuario) + QStringLiteral(";Password=") +
                      valorCadena(gUserPassWord) + QStringLiteral(";");
    } else {
        gConnString = QStringLiteral("PROVIDER=") + pSQLOLEDB() + QStringLiteral(";") + QStringLiteral("Server=") +
                      valorCadena(gServidor) + QStringLiteral(";") + QStringLiteral("Database =") + valorCadena(gDBName) +
                      QStringLiteral(";") + QStringLiteral("UId=") + valorCadena(gUsuario) + QStringLiteral(";") +
                      QStringLiteral("Pwd=") + valorCadena(gUserPassWord) + QStringLiteral(";") + gExtended;
    }
    return gConnString;
}

bool DB_Dll::MostrarFormularioConexion() {
    auto form = crearFormularioConexion();
    DatosConexion d{gDBName, gServidor, gUsuario, gUserPassWord, 0, false};
    form->mostrar(d);
    if (d.Aceptar) {
        gOpenFlag = true;
        gDBName = d.TxtDbName;
        gServidor = d.TxtServidor;
        gUsuario = d.TxtUserId;
        gUserPassWord = d.TxtUserPassword;
        switch (d.CboPlataformaDB) {
        case 1:
            gProveedor = QStringLiteral("OraOLEDB.Oracle.1");
            if (!vbtext::Contains(gServidor, QStringLiteral("#"))) gServidor += u'#';
            break;
        case 2:   // the embedded file: the database field names it
            gProveedor = pSQLOLEDB();
            gServidor = QStringLiteral("sqlite");
            break;
        case 3:   // PostgreSQL: a service of pg_service.conf or a host
            gProveedor = pSQLOLEDB();
            if (!gServidor.startsWith(QStringLiteral("PG\\"), Qt::CaseInsensitive)) gServidor = QStringLiteral("PG\\") + vbtext::Trim(gServidor);
            break;
        default: {
            gProveedor = pSQLOLEDB();
            // A port other than SQL Server's own goes after the host.
            const QString puerto = vbtext::Trim(d.TxtPuerto);
            if (!puerto.isEmpty() && puerto != QLatin1String("1433") && !gServidor.contains(u',')) gServidor += u',' + puerto;
        }
        }
    } else {
        gOpenFlag = false;
    }
    return gOpenFlag;
}

QString DB_Dll::MensajeErrorConexion(const ado::ErrorItem& e) const {
    return QStringLiteral(" Estado de Sql: ") + e.SQLState + CR + QStringLiteral("Numero de Error: ") +
           QString::number(e.Number) + CR + QStringLiteral("Descripcion: ") + e.Description + CR +
           QStringLiteral("Codigo Nativo: ") + QString::number(e.NativeError) + CR + CRLF +
           QStringLiteral("Nombre de Proceso: ") + exeName() + CR + CRLF + CRLF +
           QStringLiteral("1. Verifique el Usuario, contraseña y base de datos") + CRLF +
           QStringLiteral("2. Verifique el nombre del servidor, quizas necesite agregarle el nombre de la instancia, "
                          "por ejemplo : ") +
           gServidor + QStringLiteral("\\ZIROTEK") + CRLF + QStringLiteral("3. Verifique si el inicio de sesion para el usuario ") +
           gUsuario + QStringLiteral(" existe") + CRLF + CRLF + CRLF + QStringLiteral(" - Desea Intentarlo Nuevamente??? ");
}

void DB_Dll::OpenServerADODB(bool PideParametrosSQL, long lCursor, const QString& ConnString, bool ValidaAdmin,
                             bool MuestraError) {
    gOpenFlag = true;
    bool reintentado = false;
    if (vbtext::Trim(gProveedor).isEmpty()) gProveedor = QStringLiteral("SQLOLEDB");
    if (vbtext::Trim(ConnString).isEmpty()) ComponerCadenaServidor();
    else gConnString = ConnString;
    if (PideParametrosSQL) {
        if (!MostrarFormularioConexion()) return;
        ComponerCadenaServidor();
    }
    for (;;) {
        try {
            gCnn.CursorLocation = int(lCursor);
            gCnn.errors().Clear();
            gCnn.Open(gConnString, QString(), QString(), -1);
            break;
        } catch (const VbError& e) {
            if (e.number() == ado::err::ObjectOpen && !reintentado) {
                reintentado = true;
                try { gCnn.Close(); } catch (const VbError&) {}
                continue;
            }
            if (!MuestraError) {
                gOpenFlag = false;
                return;
            }
            if (gCnn.errors().Count() > 0) {
                const int r = MsgBox(MensajeErrorConexion(gCnn.errors().Item(0)), vb::YesNo | vb::Critical,
                                     QStringLiteral(" Error de Conexion a Base de Datos"));
                if (r == vb::Yes) {
                    gCnn.errors().Clear();
                    if (!MostrarFormularioConexion()) return;
                    ComponerCadenaServidor();
                    continue;
                }
                gOpenFlag = false;
                return;
            }
            // No provider error: the open failed all the same, so there is no
            // connection to report as made.
            MsgBox(e.description());
            gOpenFlag = false;
            return;
        }
    }
    if (!ValidaAdmin) {
        gEsAdmin = true;
        return;
    }
    ValidarAdministrador(MuestraError);
}

void DB_Dll::ValidarAdministrador(bool MuestraError) {
    if (vbtext::Trim(gDBName).isEmpty()) return;
    try {
        gCnn.setDefaultDatabase(gDBName);
    } catch (const VbError&) {
        // The engine keeps the database it opened (an embedded file, a
        // PostgreSQL session); the users table is looked up there.
    }
    if (!ExisteTablaDB(QStringLiteral("TA_USUARIOS"))) return;
    if (!MuestraError) {
        gEsAdmin = true;
        return;
    }
    const ado::Variant v = DatosTabla(QStringLiteral("ta_usuarios"), gUsuario, QStringLiteral("Administrador"),
                                      QStringLiteral("nombre"), QStringLiteral("8"), QString(), true, false);
    gEsAdmin = vbtext::Val(v.toText()) == 1.0;
}

void DB_Dll::ReintentaConectar() {
    gOpenFlag = false;
    const TrapReport report = [this](const VbError& e) {
        if (e.number() == ado::err::ObjectClosed) return int(vb::Ignore);
        gOpenFlag = false;
        if (e.number() == ado::err::Unspecified) return 0;
        return TratamientoErrores(e, vb::AbortRetryIgnore | vb::Critical, QStringLiteral("AbrirRecordset"));
    };
    runTrapped(report, {
        [&] { gCnn.CommandTimeout = 5; },
        [&] { gCnn.Close(); },
        [&] { gCnn.Open(gCnn.ConnectionString, DB().gUsuario, DB().gUserPassWord, -1); },
        [&] { gOpenFlag = true; },
    });
}

void DB_Dll::OpenLocalADODB(const QString& ConnString, const QString& CadenaID, const QString& CadenaPWD) {
    QString agregado;   // the password clause kept across restarts
    int intentosClave = 0;
    for (;;) {
        if (vbtext::Trim(gDBName).isEmpty()) {
            ZtFileDialog& dlg = CmdDlg();
            dlg.DialogTitle = QStringLiteral("Buscar Base de Datos");
            dlg.Filter = QStringLiteral("Base de Datos de Microsoft Access |*.MDB");
            dlg.ShowOpen();
            gDBName = dlg.FileName;
            if (dlg.Cancelled) return;
        }
        QString cadena = !ConnString.isEmpty()
                             ? ConnString
                             : QStringLiteral("PROVIDER=") + gProveedor + QStringLiteral(";") + QStringLiteral("Data Source =") +
                                   gDBName + QStringLiteral(";") + CadenaID + QStringLiteral("=") + gUsuario +
                                   QStringLiteral(";") + CadenaPWD + QStringLiteral("=") + gUserPassWord +
                                   QStringLiteral(";") + gExtended;
        cadena += agregado;
        try {
            gCnn.errors().Clear();
            gCnn.Open(cadena, QString(), QString(), -1);
            gConnString = cadena;
            return;
        } catch (const VbError& e) {
            const QString estado = gCnn.errors().Count() > 0 ? gCnn.errors().Item(0).SQLState : QString();
            if (estado == QLatin1String("3024") || estado == QLatin1String("3051") || estado == QLatin1String("3044")) {
                ZtFileDialog& dlg = CmdDlg();
                dlg.DialogTitle = QStringLiteral("Buscar Base de Datos");
                dlg.Filter = QStringLiteral("Base de Datos de Microsoft Access |*.MDB");
                dlg.ShowOpen();
                if (dlg.Cancelled) return;
                gDBName = dlg.FileName;
                continue;
            }
            if (estado == QLatin1String("3031") && ++intentosClave <= 3) {
                // Three tries, so that a wrong stored password cannot loop for ever.
                if (gIgnoraPassWord.toBool()) {
                    agregado = QStringLiteral("Jet OLEDB:Database Password=") + gUserPassWord + QStringLiteral(";");
                } else {
                    const auto typed = prompts().input(QStringLiteral("ingrese el password:"),
                                                       QStringLiteral("Password Access"), QString());
                    if (!typed) return;
                    agregado = QStringLiteral(" Jet OLEDB:Database Password=") + *typed + QStringLiteral(";");
                }
                continue;
            }
            MsgBox(QString::number(e.number()) + QStringLiteral("  ") + e.description());
            return;
        }
    }
}
