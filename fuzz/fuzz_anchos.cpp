// The column widths file of any bytes: read without failing; saving one
// table's widths reads back exactly and leaves every other table's as it was.
#include "FuzzComun.h"
#include "lookup/AnchosColumnas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n) {
    const QString f = fuzz::escribir(QStringLiteral("CONSULTASLEN.VLM"), fuzz::bytes(d, n));
    const auto antes = LeerAnchos(f, QStringLiteral("MA_CUENTAS"));
    LeerAnchos(f, QStringLiteral("Stk_ma_articulos"));
    const std::vector<double> nuevos{1500, 3000.5, 120};
    AGR_CHECK(GuardarAnchos(f, QStringLiteral("ZZ_FUZZ"), nuevos), f, QString());
    const auto leidos = LeerAnchos(f, QStringLiteral("zz_fuzz"));
    AGR_CHECK(leidos && *leidos == nuevos, fuzz::texto(d, n), QString::number(leidos ? leidos->size() : -1));
    const auto despues = LeerAnchos(f, QStringLiteral("MA_CUENTAS"));
    const auto texto = [](const std::optional<std::vector<double>>& v) {
        QString t = v ? QString() : QStringLiteral("(ninguno)");
        if (v)
            for (double x : *v) t += QString::number(x) + u'|';
        return t;
    };
    AGR_CHECK(antes == despues, texto(antes), texto(despues));
    return 0;
}
