#include "platform/ado/Variant.h"
#include <cmath>

namespace ado {

double vbVal(const QString& text) {
    // Val skips blanks, tabs and line feeds anywhere in the number and stops at
    // the first character that cannot continue it.
    QString digits;
    bool seenDot = false, seenExp = false, seenDigit = false;
    int i = 0;
    const int n = text.size();
    auto isBlank = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; };
    while (i < n && isBlank(text[i])) ++i;
    if (i + 1 < n && text[i] == u'&' && (text[i + 1] == u'H' || text[i + 1] == u'h')) {
        bool ok = false;
        QString hex;
        for (i += 2; i < n && QStringLiteral("0123456789abcdefABCDEF").contains(text[i]); ++i) hex += text[i];
        qint64 v = hex.toLongLong(&ok, 16);
        return ok ? double(v) : 0.0;
    }
    if (i < n && (text[i] == u'-' || text[i] == u'+')) digits += text[i++];
    for (; i < n; ++i) {
        QChar c = text[i];
        if (isBlank(c)) continue;
        if (c.isDigit() && c.unicode() < 128) { digits += c; seenDigit = true; continue; }
        if (c == u'.' && !seenDot && !seenExp) { digits += c; seenDot = true; continue; }
        if ((c == u'e' || c == u'E' || c == u'd' || c == u'D') && seenDigit && !seenExp) {
            // An exponent only counts when digits follow it.
            int j = i + 1;
            QString exp = QStringLiteral("e");
            if (j < n && (text[j] == u'-' || text[j] == u'+')) exp += text[j++];
            if (j < n && text[j].isDigit()) {
                digits += exp;
                seenExp = true;
                i = j - 1;
                continue;
            }
        }
        break;
    }
    bool ok = false;
    double d = digits.toDouble(&ok);
    return ok && std::isfinite(d) ? d : 0.0;
}

static QString dateText(const QDateTime& d) {
    if (!d.isValid()) return {};
    if (d.time() == QTime(0, 0)) return d.date().toString(QStringLiteral("dd/MM/yyyy"));
    return d.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

static QString doubleText(double d) {
    if (d == std::floor(d) && std::fabs(d) < 1e15) return QString::number(qint64(d));
    return QString::number(d, 'g', 15);
}

QString Variant::toText() const {
    switch (kind()) {
    case Kind::Empty:
    case Kind::Null: return {};
    case Kind::Text: return std::get<QString>(v_);
    case Kind::Integer: return QString::number(std::get<qint64>(v_));
    case Kind::Double: return doubleText(std::get<double>(v_));
    case Kind::Boolean: return std::get<bool>(v_) ? QStringLiteral("True") : QStringLiteral("False");
    case Kind::Date: return dateText(std::get<QDateTime>(v_));
    }
    return {};
}

double Variant::toDouble() const {
    switch (kind()) {
    case Kind::Integer: return double(std::get<qint64>(v_));
    case Kind::Double: return std::get<double>(v_);
    case Kind::Boolean: return std::get<bool>(v_) ? -1.0 : 0.0;
    case Kind::Text: return vbVal(std::get<QString>(v_));
    default: return 0.0;
    }
}

qint64 Variant::toLongLong() const {
    if (kind() == Kind::Integer) return std::get<qint64>(v_);
    double d = toDouble();
    if (!std::isfinite(d) || std::fabs(d) > 9.2e18) return 0;
    return qint64(std::llround(d));
}

bool Variant::toBool() const {
    switch (kind()) {
    case Kind::Boolean: return std::get<bool>(v_);
    case Kind::Text: {
        const QString t = std::get<QString>(v_).trimmed();
        if (t.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0) return true;
        if (t.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0) return false;
        return vbVal(t) != 0.0;
    }
    default: return toDouble() != 0.0;
    }
}

QDateTime Variant::toDateTime() const {
    if (kind() == Kind::Date) return std::get<QDateTime>(v_);
    if (kind() == Kind::Text) {
        const QString t = std::get<QString>(v_).trimmed();
        for (const char* f : {"yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss",
                              "yyyy-MM-dd", "dd/MM/yyyy HH:mm:ss", "dd/MM/yyyy", "d/M/yyyy", "dd/MM/yy"}) {
            QDateTime d = QDateTime::fromString(t, QString::fromLatin1(f));
            if (d.isValid()) return d;
        }
    }
    return {};
}

bool Variant::operator==(const Variant& o) const { return v_ == o.v_; }

} // namespace ado
