#include "data/BasesRegistradas.h"
#include "platform/ProgramFolder.h"
#include "util/Cp1252.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

QString texto(const QByteArray& raw) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString s = utf8(raw);
    return utf8.hasError() ? cp1252::decode(raw) : s;
}
}

QString ArchivoBases() { return Utilidades().AddBackslash(programFolder()) + QStringLiteral("BASES.TXT"); }

QString NombreRegistro(const QString& base, const QString& servidor) {
    QString s = vbtext::Trim(servidor).toUpper();
    const int p = s.indexOf(u':');
    if (p >= 0) s = s.left(p);
    return vbtext::Trim(base).toUpper() + QStringLiteral(" / ") + s;
}

std::vector<BaseRegistrada> LeerBases(const QString& archivo) {
    std::vector<BaseRegistrada> out;
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly)) return out;
    for (QString linea : texto(f.read(16 * 1024 * 1024)).split(u'\n')) {
        if (linea.endsWith(u'\r')) linea.chop(1);
        const QStringList c = vbtext::CamposConComillas(linea);
        if (c.size() < 5 || vbtext::Trim(c[0]).isEmpty()) continue;
        out.push_back({vbtext::Trim(c[0]), vbtext::Trim(c[1]), vbtext::Trim(c[2]), Utilidades().Unscramble(vbtext::Trim(c[3])),
                       vbtext::Trim(c[4])});
    }
    return out;
}

bool AgregarBase(const QString& archivo, const BaseRegistrada& b) {
    QByteArray antes;
    {
        QFile f(archivo);
        if (f.exists()) {
            if (!f.open(QIODevice::ReadOnly)) return false;
            antes = f.readAll();
        }
    }
    if (!antes.isEmpty() && !antes.endsWith('\n')) antes += "\r\n";
    QStringList campos{vbtext::Trim(b.nombre), vbtext::Trim(b.base), vbtext::Trim(b.usuario),
                       vbtext::Trim(Utilidades().Scramble(b.clave)), vbtext::Trim(b.servidor)};
    for (QString& c : campos) {
        // The reader has no escape for a double quote or a line break: such a
        // field would shift every field after it, so it is refused.
        if (c.contains(u'"') || c.contains(u'\n') || c.contains(u'\r')) return false;
        if (c.contains(u',')) c = u'"' + c + u'"';
    }
    const QString linea = campos.join(u',') + QStringLiteral("\r\n");
    QSaveFile out(archivo);
    if (!out.open(QIODevice::WriteOnly)) return false;
    out.write(antes);
    out.write(linea.toUtf8());
    return out.commit();
}
