// The synonym rewriting, the Oracle dictionary and adaptation, and the Oracle
// script runner's normaliser, splitter and filter.
#include "FuzzComun.h"
#include "data/DB_Dll.h"
#include "data/SentenciasSQL.h"
#include "platform/ado/SqlTokenizer.h"
#include "util/VbText.h"

namespace {
// A literal holding none of the names the synonym rules rewrite is left alone.
bool tocadoPorReglas(const QString& lit) {
    for (const char* n : {"MA_CUENTAS", "V_TA_DEPOSITO", "MV_ASIENTOS", "V_TA_FAMILIAS", "V_TA_CAJAS", "AC_CUENTASDIARIO", "@Admin_"})
        if (lit.contains(QLatin1String(n), Qt::CaseInsensitive)) return true;
    return false;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n) {
    const QString sql = fuzz::texto(d, n);
    for (bool admin : {false, true})
        for (bool conf : {false, true}) {
            const QString r = SinonimosSS(sql, admin, conf, QStringLiteral("AGRUPCUENTAS"));
            for (const ado::SqlToken& k : ado::tokenizeSql(sql))
                if (k.kind == ado::SqlToken::Kind::String && !tocadoPorReglas(k.text)) AGR_CHECK(r.contains(k.text), sql, r);
        }
    DiccionarioOracle(sql);
    AdaptaSentenciaOracle(sql);
    const QString normal = NormalizarScriptOracle(sql);
    // No line break is left to split a statement's keyword from its rest.
    AGR_CHECK(!normal.contains(u'\n') && !normal.contains(u'\r'), sql, normal);
    const QStringList piezas = PiezasScriptOracle(normal);
    int largo = 0;
    for (const QString& p : piezas) {
        AGR_CHECK(!p.isEmpty() && normal.contains(p), normal, p);
        largo += int(p.size());
        FiltroOracle(p);
    }
    AGR_CHECK(largo <= normal.size(), normal, QString::number(largo));
    return 0;
}
