// The query mask file of any bytes and length: one record per 1202 bytes (a
// short last one padded), each record written back byte for byte.
#include "FuzzComun.h"
#include "lookup/MascaraConsultas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n) {
    const QString f = fuzz::escribir(QStringLiteral("consultas.vlm"), fuzz::bytes(d, n));
    const auto m = LeerMascaras(f);
    AGR_CHECK(m.has_value(), f, QString());
    const size_t esperados = (n + MascaraConsulta::kLargo - 1) / MascaraConsulta::kLargo;
    AGR_CHECK(m->size() == esperados, QString::number(n), QString::number(m->size()));
    for (const MascaraConsulta& r : *m) {
        const QByteArray b = r.aBytes();
        AGR_CHECK(b.size() == MascaraConsulta::kLargo, r.TituloMascara, QString::number(b.size()));
        const MascaraConsulta otra = MascaraConsulta::deBytes(b);
        AGR_CHECK(otra.TituloMascara == r.TituloMascara && otra.VistaMascara == r.VistaMascara &&
                      otra.CamposMascara == r.CamposMascara && otra.FiltroMascara == r.FiltroMascara,
                  r.TituloMascara + r.VistaMascara, otra.TituloMascara + otra.VistaMascara);
    }
    // Appending keeps every record before it.
    if (n < 8 * MascaraConsulta::kLargo) {
        AGR_CHECK(AgregarMascaras(f, MascarasPorDefecto()), f, QString());
        const auto despues = LeerMascaras(f);
        AGR_CHECK(despues && despues->size() >= m->size() + MascarasPorDefecto().size() - (n % MascaraConsulta::kLargo ? 1 : 0),
                  QString::number(m->size()), QString::number(despues ? despues->size() : 0));
    }
    return 0;
}
