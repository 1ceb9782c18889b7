#include "app/Programas.h"
#include "app/Sesion.h"
#include "data/DB_Dll.h"
#include "platform/ProgramFolder.h"
#include "platform/Prompt.h"
#include "util/ErrorTrap.h"
#include "util/ReportaError.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"
#include <QProcess>

QString ArgumentosCompania(const QString& parametro) {
    const DB_Dll& db = DB();
    return QStringLiteral(" ; @server=") + db.gServidor + QStringLiteral("; @dbname=") + db.gDBName + QStringLiteral("; @usuario=") +
           db.gUsuario + QStringLiteral("; @Password=") + db.gUserPassWord + QStringLiteral("; @ParametroAdicional=") + parametro +
           QStringLiteral("; ziro@ ; @UsuarioLogeado = ") + Session.UsuarioLogeado + QStringLiteral("; @Caja=") + Session.Caja +
           QStringLiteral(";");
}

void MenuExes(const QString& programa, QString& parametro, qint64& pid) {
    QString comando;
    const TrapReport report = [](const VbError& e) { return ReportaError(e, vb::AbortRetryIgnore | vb::Critical, QStringLiteral("MenuExes")); };
    runTrapped(report, {
        [&] {
            const int blanco = parametro.indexOf(u' ');
            if (blanco >= 0) parametro = parametro.mid(blanco + 1);
        },
        [&] {
            // A program named with its folder ("\" or, here, "/") is taken as
            // it stands after its six-character prefix ("SHELL:").
            if (programa.contains(u'\\') || programa.contains(u'/')) comando = programa.mid(6);
            else {
                const QString carpeta = Utilidades().AddBackslash(programFolder());
                comando = carpeta + (vbtext::Contains(programa, QStringLiteral("SHELL")) ? programa.mid(6) : programa);
            }
        },
        [&] {
            pid = 0;
            qint64 id = 0;
            // The argument string is one text, as the companion reads it.
            if (QProcess::startDetached(comando, {ArgumentosCompania(parametro).mid(1)}, QString(), &id)) pid = id;
            if (pid == 0)
                MsgBox(QStringLiteral("Opcion no Implementada!") + u'\r' + QStringLiteral("Comuniquese con su proveedor de sistemas"),
                       vb::Critical, QStringLiteral("Atención"));
        },
    });
}
