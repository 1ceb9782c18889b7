// INI files of any bytes: read without failing, and a key appended at the end
// is always found.
#include "FuzzComun.h"
#include "platform/ProgramFolder.h"
#include "util/ZtIni.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n) {
    setProgramFolder(fuzz::carpeta());
    QByteArray b = fuzz::bytes(d, n);
    fuzz::escribir(QStringLiteral("CN000pr.INI"), b);
    const QString t = fuzz::texto(d, n);
    for (const char* sec : {"BaseDeDatos", "USER_DATABASEStyles", ""})
        for (const char* key : {"Servidor", "Styles", ""}) Ini().ReadIniValue(QStringLiteral("cn000pr.ini"), QString::fromLatin1(sec), QString::fromLatin1(key), QStringLiteral("x"));
    if (t.contains(QStringLiteral("zzfuzz"), Qt::CaseInsensitive)) return 0;
    b += "\n[ZZFUZZ]\nClave=valor final\n";
    fuzz::escribir(QStringLiteral("CN000pr.INI"), b);
    const QString v = Ini().ReadIniValue(QStringLiteral("CN000PR.ini"), QStringLiteral("zzfuzz"), QStringLiteral("CLAVE"), QStringLiteral("falta"));
    AGR_CHECK(v == QStringLiteral("valor final"), t, v);
    return 0;
}
