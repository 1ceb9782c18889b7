#include "util/ZtUtil.h"
#include "util/VbText.h"
#include <QDate>
#include <QObject>
#include <QRegularExpression>
#include <cmath>

namespace {
std::function<void(bool)> gBusy;
// Key of the reversible scrambling of stored names and passwords. It keeps
// them from being read at a glance; it is not encryption.
const QByteArray kKey = QByteArrayLiteral("Zt2!Agrupa#Cuentas");
}

ZtUtil& Utilidades() {
    static ZtUtil u;
    return u;
}

void ZtUtil::setBusyHandler(std::function<void(bool)> handler) { gBusy = std::move(handler); }

QString ZtUtil::FitText(const QString& text, int n) const {
    if (n <= 0) return {};
    return text.left(n).leftJustified(n, u' ');
}

QString ZtUtil::LimitText(const QString& text, int n) const { return n <= 0 ? QString() : text.left(n); }

double ZtUtil::TextToCurrency(const QString& textIn) const {
    QString t = vbtext::Trim(textIn);
    if (t.isEmpty()) return 0.0;
    // The workstation writes amounts with "," as the decimal separator and "."
    // between thousands; a text with "." alone is read as a decimal point.
    if (t.contains(u',')) {
        t.remove(u'.');
        t.replace(u',', u'.');
    }
    t.remove(u' ');
    if (t.startsWith(u'$')) t = t.mid(1);
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (!ok || !std::isfinite(d)) throw VbError(vberr::TypeMismatch, QStringLiteral("Type mismatch"));
    return std::round(d * 10000.0) / 10000.0;
}

qint32 ZtUtil::TextToLong(const QString& text) const {
    const double d = vbtext::Val(text);
    if (d >= 2147483647.0) return 2147483647;
    if (d <= -2147483648.0) return qint32(-2147483647 - 1);
    return qint32(std::llround(d));
}

QString ZtUtil::NullToText(const ado::Variant& v) const { return v.toText(); }

int ZtUtil::WordCount(const QString& text) const {
    int n = 0;
    bool inWord = false;
    for (QChar c : text) {
        if (c == u' ') inWord = false;
        else if (!inWord) {
            inWord = true;
            ++n;
        }
    }
    return n;
}

QString ZtUtil::RemoveText(const QString& text, const QString& a, const QString& b, const QString& c) const {
    QString r = text;
    for (const QString* s : {&a, &b, &c})
        if (!s->isEmpty()) r.remove(*s, Qt::CaseInsensitive);
    return r;
}

QString ZtUtil::ReplaceText(const QString& text, const QString& find, const QString& replacement) const {
    return vbtext::ReplaceAll(text, find, replacement);
}

void ZtUtil::PrepareWindow(QObject* window, bool flag) const {
    if (window) window->setProperty("ztPrepared", !flag);
}

void ZtUtil::SetBusy(bool busy) const {
    if (gBusy) gBusy(busy);
}

QString ZtUtil::FormatCode(const QString& code, int width) const {
    const QString t = vbtext::Trim(code);
    if (width <= 0 || t.size() >= width) return t;
    return t.rightJustified(width, u' ');
}

QString ZtUtil::DateToSql(const ado::Variant& date) const {
    QDateTime d = date.toDateTime();
    if (!d.isValid()) {
        const QString t = vbtext::Trim(date.toText());
        for (const char* f : {"d/M/yyyy", "d/M/yy", "d-M-yyyy", "yyyy-MM-dd", "yyyyMMdd"}) {
            QDate dd = QDate::fromString(t, QString::fromLatin1(f));
            if (dd.isValid()) {
                if (QString::fromLatin1(f).endsWith(QLatin1String("/yy")) && dd.year() < 1930) dd = dd.addYears(100);
                d = QDateTime(dd, QTime(0, 0));
                break;
            }
        }
    }
    if (!d.isValid()) throw VbError(vberr::TypeMismatch, QStringLiteral("Type mismatch"));
    // The ODBC date escape reads the same on every engine and in every language.
    return QStringLiteral("{d '%1'}").arg(d.date().toString(QStringLiteral("yyyy-MM-dd")));
}

int ZtUtil::ReportError(const VbError& error, int buttons, const QString& routine) const {
    if (error.number() == 0) return 0;
    QString title = appTitle();
    if (!vbtext::Trim(routine).isEmpty()) title = vbtext::Trim(routine) + QStringLiteral(" - ") + title;
    const QString text = QStringLiteral("Error %1: %2").arg(error.number()).arg(vbtext::Trim(error.description()));
    return MsgBox(text, buttons, title);
}

QString ZtUtil::Scramble(const QString& text) const {
    const QByteArray in = text.toUtf8();
    QByteArray out;
    out.reserve(in.size());
    for (int i = 0; i < in.size(); ++i)
        out.append(char(quint8(in[i]) ^ quint8(kKey[i % kKey.size()]) ^ quint8((i * 37 + 11) & 0xFF)));
    // Hex keeps the stored form free of ",", "|", quotes and line breaks.
    return u'~' + QString::fromLatin1(out.toHex().toUpper());
}

QString ZtUtil::Unscramble(const QString& stored) const {
    static const QRegularExpression hex(QStringLiteral("^~([0-9A-Fa-f]{2})*$"));
    // A value typed in by hand (not scrambled) is taken as it stands.
    if (!hex.match(stored).hasMatch()) return stored;
    const QByteArray in = QByteArray::fromHex(stored.mid(1).toLatin1());
    QByteArray out;
    out.reserve(in.size());
    for (int i = 0; i < in.size(); ++i)
        out.append(char(quint8(in[i]) ^ quint8(kKey[i % kKey.size()]) ^ quint8((i * 37 + 11) & 0xFF)));
    return QString::fromUtf8(out);
}

QString ZtUtil::AddBackslash(const QString& folder) const {
    if (folder.isEmpty()) return folder;
    if (folder.endsWith(u'/') || folder.endsWith(u'\\')) return folder;
    return folder + u'/';
}

QString ZtUtil::ReplaceName(const QString& text, const QString& name, const QString& newName) const {
    if (name.isEmpty()) return text;
    QRegularExpression re(QStringLiteral("(?<![A-Za-z0-9_@#$])") + QRegularExpression::escape(name) +
                              QStringLiteral("(?![A-Za-z0-9_@#$])"),
                          QRegularExpression::CaseInsensitiveOption);
    QString r = text;
    r.replace(re, newName);
    return r;
}
