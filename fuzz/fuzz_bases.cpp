// BASES.TXT of any bytes: read without failing; every registration read is
// written back and read again unchanged.
#include "FuzzComun.h"
#include "data/BasesRegistradas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n) {
    const QString f = fuzz::escribir(QStringLiteral("BASES.TXT"), fuzz::bytes(d, n));
    const std::vector<BaseRegistrada> leidas = LeerBases(f);
    const QString g = fuzz::carpeta() + QStringLiteral("BASES2.TXT");
    QFile::remove(g);
    std::vector<BaseRegistrada> escritas;
    for (const BaseRegistrada& b : leidas)
        if (AgregarBase(g, b)) escritas.push_back(b);
    const std::vector<BaseRegistrada> otra = LeerBases(g);
    AGR_CHECK(otra.size() == escritas.size(), fuzz::texto(d, n), QString::number(otra.size()));
    for (size_t i = 0; i < otra.size(); ++i) {
        const BaseRegistrada &a = escritas[i], &b = otra[i];
        AGR_CHECK(a.nombre == b.nombre && a.base == b.base && a.usuario == b.usuario && a.servidor == b.servidor,
                  a.nombre + u'|' + a.base + u'|' + a.usuario + u'|' + a.servidor,
                  b.nombre + u'|' + b.base + u'|' + b.usuario + u'|' + b.servidor);
        AGR_CHECK(a.clave == b.clave, a.clave, b.clave);
    }
    return 0;
}
