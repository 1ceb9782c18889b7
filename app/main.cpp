#include "accounting/gui/Lbf_CtrlDisplay.h"
#include "app/Frm_AgrupCuentas.h"
#include "app/Programas.h"
#include "app/frmAcceso.h"
#include "lookup/gui/Lib_FrmCons3.h"
#include "lookup/gui/Lib_FrmCons3Tree.h"
#include "platform/ProcessEnd.h"
#include "platform/gui/QtPrompt.h"
#include "util/ZtUtil.h"
#include <QApplication>
#include <QTimer>
#include <cstdio>

namespace {
// --help and --version answer without a window or a database.
bool ayuda(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--version") {
            std::printf("agrupcuentas %d.%d.%d\n", AGR_VERSION_MAJOR, AGR_VERSION_MINOR, AGR_VERSION_PATCH);
            return true;
        }
        if (a == "--help" || a == "-h") {
            std::printf("%s", "Uso: agrupcuentas \"PARAMETROS\"\n\n"
                              "Mantiene las agrupaciones de cuentas del plan de cuentas.\n"
                              "PARAMETROS son pares clave=valor separados por \";\":\n"
                              "  @Server              servidor: sqlite (archivo local), PG\\servicio (PostgreSQL),\n"
                              "                       un origen ODBC o un SQL Server (host, host\\instancia, host,puerto)\n"
                              "  @DbName              base de datos (con sqlite: DEMO es DEMO.db en la carpeta del programa)\n"
                              "  @Usuario, @Password  usuario y contraseña de la base\n"
                              "  @ParametroAdicional  código de la agrupación a abrir\n"
                              "  @Caja                número de caja (1 si falta)\n\n"
                              "Ejemplo:\n"
                              "  agrupcuentas \"@server=sqlite; @dbname=DEMO; @usuario=ADMIN; @Password=; @ParametroAdicional=0003; @Caja=1;\"\n\n"
                              "Sin servidor o sin usuario se pide la conexión en \"Control de Acceso\".\n");
            return true;
        }
    }
    return false;
}
}

int main(int argc, char** argv) {
    if (ayuda(argc, argv)) return 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("agrupcuentas"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3").arg(AGR_VERSION_MAJOR).arg(AGR_VERSION_MINOR).arg(AGR_VERSION_PATCH));
    static QtPrompt prompt;
    setPromptHandler(&prompt);
    ZtUtil::setBusyHandler([](bool busy) {
        if (busy) QApplication::setOverrideCursor(Qt::WaitCursor);
        else QApplication::restoreOverrideCursor();
    });
    setFabricaFormularioConexion([] { return std::unique_ptr<FormularioConexion>(std::make_unique<FormularioAcceso>()); });
    setMostradorConsulta(MostrarConsulta);
    static Dll_Display cartel;   // the progress notice of the accounting services
    setDisplay(&cartel);
    setAbrirMantenimiento([](const QString& programa, QString& parametro) {
        qint64 pid = 0;
        MenuExes(programa, parametro, pid);
    });
    Frm_AgrupCuentas w;
    w.Form_Load();
    w.show();
    // For the start-up benchmark: the time to a shown window, then out.
    if (qEnvironmentVariableIsSet("AGR_SALIR_AL_MOSTRAR")) QTimer::singleShot(0, &app, &QApplication::quit);
    return app.exec();
}
