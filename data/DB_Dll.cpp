#include "data/DB_Dll.h"
#include "platform/ProgramFolder.h"
#include "util/ReportaError.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"

namespace { std::unique_ptr<DB_Dll> gDB; }

DB_Dll& DB() {
    if (!gDB) gDB = std::make_unique<DB_Dll>();
    return *gDB;
}

void reiniciarDB() { gDB.reset(); }

DB_Dll::DB_Dll() = default;

ZtFileDialog& DB_Dll::CmdDlg() {
    if (!cmdDlg_) cmdDlg_ = std::make_unique<ZtFileDialog>();
    return *cmdDlg_;
}

int DB_Dll::TratamientoErrores(const VbError& error, int buttons, const QString& routine) {
    if (error.number() == 0) return 0;
    QString titulo = error.source();
    if (!routine.isEmpty()) titulo += QStringLiteral(" - ") + routine;
    titulo += QStringLiteral(" Aviso al operador!!! - 5 ");
    const QString mensaje = MensajeError(error);
    const int respuesta = MsgBox(mensaje, buttons, titulo);
    // The log is opened only once the operator has answered.
    const QString archivo = ArchivoErrores.isEmpty() ? programFolder() + QStringLiteral("VMERR.LOG") : ArchivoErrores;
    EscribirLineaLog(archivo, routine, mensaje, respuesta);
    return respuesta;
}

void DB_Dll::TratamientoErrores(const VbError& error, int buttons, const QString& routine, int& respuesta) {
    respuesta = TratamientoErrores(error, buttons, routine);
}

QString formaNumerica(const QString& valor) { return QString::number(vbtext::Val(valor), 'g', 15); }

QString entreComillas(const QString& valor) {
    QString v = valor;
    v.replace(u'\'', QStringLiteral("''"));
    return v;
}
