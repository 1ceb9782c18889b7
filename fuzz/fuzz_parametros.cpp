// The parameter string of start-up and the server name's reduction.
#include "FuzzComun.h"
#include "app/CargaParametros.h"
#include "util/Formatos.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n) {
    const QString s = fuzz::texto(d, n);
    QString sinIgual = s;
    sinIgual.remove(u'=');
    for (const char* clave : {"@Server", "@DbName", "@Usuario", "@Password", "@ParametroAdicional", "@Caja", "@Menu", "="}) {
        for (bool hastaElFinal : {false, true}) {
            const QString v = LeerParametro(s, QString::fromLatin1(clave), QStringLiteral("\x01"), hastaElFinal);
            if (v == QStringLiteral("\x01")) continue;
            // A value is a piece of the string, trimmed, without "=".
            AGR_CHECK(!v.contains(u'='), s, v);
            AGR_CHECK(sinIgual.contains(v), s, v);
            AGR_CHECK(!v.startsWith(u' ') && !v.endsWith(u' '), s, v);
        }
    }
    const QString srv = ExtraeServidor(s);
    AGR_CHECK(!srv.contains(u':'), s, srv);
    AGR_CHECK(s.contains(srv), s, srv);
    return 0;
}
