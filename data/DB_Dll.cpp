#include "data/DB_Dll.h"
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
    return Utilidades().ReportError(error, buttons, routine);
}

QString DB_Dll::SS_TSinonimos(const QString& sql) const {
    // The "@Admin_" marker names the real table; it never reaches the engine.
    return vbtext::ReplaceAll(sql, QStringLiteral("@Admin_"), QString());
}

QString DB_Dll::ORACLE_Dicc(const QString& Valor) const { return Valor; }

QString formaNumerica(const QString& valor) { return QString::number(vbtext::Val(valor), 'g', 15); }
