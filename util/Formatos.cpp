#include "util/Formatos.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"
#include <cmath>

QString FormatoFechaHora() { return QStringLiteral("dd/mm/yy hh:mm"); }
QString FormatoFecha() { return QStringLiteral("dd/mm/yy"); }
QString FormatoHora() { return QStringLiteral("hh:mm"); }

QString FormatearVB(const QDateTime& m, const QString& patron) {
    QString out;
    bool trasHora = false;
    for (int i = 0; i < patron.size();) {
        auto run = [&](QChar c) {
            int n = 0;
            while (i + n < patron.size() && patron[i + n].toLower() == c) ++n;
            return n;
        };
        const QChar c = patron[i].toLower();
        int n = 1;
        if (c == u'd') {
            n = run(u'd');
            out += m.toString(n >= 2 ? QStringLiteral("dd") : QStringLiteral("d"));
        } else if (c == u'm') {
            n = run(u'm');
            out += trasHora ? m.toString(n >= 2 ? QStringLiteral("mm") : QStringLiteral("m"))
                            : m.toString(n >= 2 ? QStringLiteral("MM") : QStringLiteral("M"));
            trasHora = false;
        } else if (c == u'n') {
            n = run(u'n');
            out += m.toString(QStringLiteral("mm"));
        } else if (c == u'y') {
            n = run(u'y');
            out += m.toString(n >= 4 ? QStringLiteral("yyyy") : QStringLiteral("yy"));
        } else if (c == u'h') {
            n = run(u'h');
            out += m.toString(n >= 2 ? QStringLiteral("HH") : QStringLiteral("H"));
            trasHora = true;
        } else if (c == u's') {
            n = run(u's');
            out += m.toString(n >= 2 ? QStringLiteral("ss") : QStringLiteral("s"));
        } else {
            out += patron[i];
        }
        i += n;
    }
    return out;
}

namespace {
QString ceros(const QString& texto, int ancho) {
    const qint64 v = vbtext::CLng64(vbtext::Val(texto));
    const QString digitos = QString::number(v < 0 ? -v : v).rightJustified(ancho, u'0');
    return v < 0 ? u'-' + digitos : digitos;
}
}

QString FormatoNroComprobante(const QString& puntoVenta, const QString& numero, const QString& letra) {
    return ceros(puntoVenta, 4) + u'-' + ceros(numero, 8) + Utilidades().FitText(letra, 1);
}

QString ExtraeServidor(const QString& servidor) {
    QString s = servidor;
    const int slash = s.indexOf(u'/');
    if (slash >= 0) s = s.mid(slash + 1);
    const int colon = s.indexOf(u':');
    if (colon >= 0) s = s.left(colon);
    return s;
}
