#pragma once
// Shared pieces of the fuzz targets: the input as text, a scratch file, and
// a property check that stops the run with the failing values.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline QByteArray bytes(const uint8_t* d, size_t n) { return QByteArray(reinterpret_cast<const char*>(d), qsizetype(n)); }
inline QString texto(const uint8_t* d, size_t n) { return QString::fromUtf8(bytes(d, n)); }

// Splits the input at its first NUL byte into two texts (for functions of two arguments).
inline std::pair<QString, QString> dos(const uint8_t* d, size_t n) {
    const QByteArray b = bytes(d, n);
    const qsizetype p = b.indexOf('\0');
    if (p < 0) return {QString::fromUtf8(b), QString()};
    return {QString::fromUtf8(b.left(p)), QString::fromUtf8(b.mid(p + 1))};
}

// A scratch folder of this process, made once.
inline QString carpeta() {
    static const QString dir = [] {
        const QString d = QDir::tempPath() + QStringLiteral("/agr-fuzz-%1").arg(QCoreApplication::applicationPid());
        QDir().mkpath(d);
        return d + u'/';
    }();
    return dir;
}

inline QString escribir(const QString& nombre, const QByteArray& contenido) {
    const QString ruta = carpeta() + nombre;
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    f.write(contenido);
    return ruta;
}

[[noreturn]] inline void falla(const char* propiedad, const QString& a, const QString& b = {}) {
    std::fprintf(stderr, "propiedad violada: %s\n  [%s]\n  [%s]\n", propiedad, a.toUtf8().constData(), b.toUtf8().constData());
    std::abort();
}

#define AGR_CHECK(cond, a, b)                         \
    do {                                              \
        if (!(cond)) ::fuzz::falla(#cond, (a), (b)); \
    } while (0)

} // namespace fuzz
