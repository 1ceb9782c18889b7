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

int main(int argc, char** argv) {
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
    return app.exec();
}
