#include "util/VbText.h"
#include "platform/VbError.h"
#include <cmath>

namespace vbtext {

QString LTrim(const QString& s) {
    int i = 0;
    while (i < s.size() && s[i] == u' ') ++i;
    return s.mid(i);
}

QString RTrim(const QString& s) {
    int i = s.size();
    while (i > 0 && s[i - 1] == u' ') --i;
    return s.left(i);
}

QString Trim(const QString& s) {
    // Most texts have no blanks at either end: shared as they are, without
    // the two intermediate copies (this runs for every cell of a lookup).
    if (s.isEmpty() || (s.front() != u' ' && s.back() != u' ')) return s;
    return LTrim(RTrim(s));
}

int InStr(const QString& s, const QString& what, int start) {
    if (start < 1) start = 1;
    if (what.isEmpty()) return start <= s.size() + 1 ? start : 0;
    const int p = s.indexOf(what, start - 1, Qt::CaseInsensitive);
    return p < 0 ? 0 : p + 1;
}

bool Contains(const QString& s, const QString& what) { return s.contains(what, Qt::CaseInsensitive); }
bool Equals(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

QString ReplaceAll(const QString& s, const QString& what, const QString& with) {
    if (what.isEmpty()) return s;
    QString r = s;
    r.replace(what, with, Qt::CaseInsensitive);
    return r;
}

QStringList CamposConComillas(const QString& linea) {
    QStringList out;
    QString cur;
    bool comillas = false;
    for (QChar c : linea) {
        if (c == u'"') comillas = !comillas;
        else if (c == u',' && !comillas) {
            out << cur;
            cur.clear();
        } else cur += c;
    }
    out << cur;
    return out;
}

int CInt(double d) {
    const double r = std::nearbyint(d);   // banker's rounding, as VB
    if (!std::isfinite(r) || r < -32768 || r > 32767) throw VbError(6, QStringLiteral("Overflow"));
    return int(r);
}

qint64 CLng64(double d) {
    if (!std::isfinite(d) || std::fabs(d) >= 9.2e18) throw VbError(6, QStringLiteral("Overflow"));
    return qint64(std::llround(d));
}

} // namespace vbtext
