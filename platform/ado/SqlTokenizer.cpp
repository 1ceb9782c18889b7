#include "platform/ado/SqlTokenizer.h"
#include <QStringList>
#include <algorithm>
#include <array>
#include <cstring>

namespace ado {

bool SqlToken::is(const char* word) const {
    if (kind != Kind::Word) return false;
    // Most words differ from the one asked for in their first letter: two
    // ASCII characters equal but for case agree in every bit but 0x20.
    const char16_t c0 = text.isEmpty() ? 0 : text.front().unicode();
    if (c0 < 0x80 && (c0 | 0x20) != (static_cast<unsigned char>(word[0]) | 0x20)) return false;
    // The words asked for are ASCII, and no character folds to two: a text of
    // another length never matches. An ASCII text is compared here; any other
    // goes to Qt's comparison, which folds the rest of Unicode's cases.
    const qsizetype n = qsizetype(std::strlen(word));
    if (text.size() != n) return false;
    const QChar* t = text.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = t[i].unicode();
        if (c >= 0x80) return text.compare(QLatin1String(word, n), Qt::CaseInsensitive) == 0;
        const char16_t w = char16_t(static_cast<unsigned char>(word[i]));
        if (c != w && ((c | 0x20) != (w | 0x20) || (c | 0x20) < u'a' || (c | 0x20) > u'z')) return false;
    }
    return true;
}

QString SqlToken::identName() const {
    if (text.size() >= 2 && (text[0] == u'[' || text[0] == u'"' || text[0] == u'`')) {
        QString inner = text.mid(1, text.size() - 2);
        if (text[0] == u'[') inner.replace(QStringLiteral("]]"), QStringLiteral("]"));
        else inner.replace(QString(2, text[0]), QString(text[0]));
        return inner;
    }
    return text;
}

QString SqlToken::stringValue() const {
    int start = text.indexOf(u'\'');
    if (start < 0) return text;
    QString inner = text.mid(start + 1, text.size() - start - 2);
    inner.replace(QStringLiteral("''"), QStringLiteral("'"));
    return inner;
}

QString sqlQuote(const QString& value) {
    QString v = value;
    v.replace(u'\'', QStringLiteral("''"));
    return u'\'' + v + u'\'';
}

static bool isWordStart(QChar c) { return c.isLetter() || c == u'_' || c == u'@' || c == u'#' || c == u'$'; }
bool isSqlWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'#' || c == u'$'; }

// "#12/31/2020#" style literal of the local-file dialect: a closing "#" on the
// same line with only date characters between.
static int dateLiteralEnd(const QString& s, int i) {
    int j = i + 1;
    while (j < s.size() && s[j] != u'#' && s[j] != u'\n' && j - i < 40) {
        const QChar c = s[j];
        if (!(c.isDigit() || c == u'/' || c == u'-' || c == u':' || c == u' ' || c == u'.')) return -1;
        ++j;
    }
    if (j >= s.size() || s[j] != u'#' || j == i + 1) return -1;
    bool digit = false;
    for (int k = i + 1; k < j; ++k) digit = digit || s[k].isDigit();
    return digit ? j + 1 : -1;
}

// The texts of one ASCII character, made once and shared: most tokens of a
// long statement (a multi-row INSERT) are single symbols and blanks, and
// allocating a string for each was most of the cost of tokenizing it.
static const QString& unCaracter(char16_t c) {
    static const std::array<QString, 128> textos = [] {
        std::array<QString, 128> t;
        for (char16_t k = 0; k < 128; ++k) t[k] = QString(QChar(k));
        return t;
    }();
    return textos[c];
}

std::vector<SqlToken> tokenizeSql(const QString& s) {
    std::vector<SqlToken> out;
    const int n = s.size();
    out.reserve(size_t(n / 4));
    int i = 0;
    auto push = [&](SqlToken::Kind k, int from, int to) {
        if (to - from == 1 && s[from].unicode() < 128) out.push_back({k, unCaracter(s[from].unicode())});
        else out.push_back({k, s.mid(from, to - from)});
    };
    while (i < n) {
        const QChar c = s[i];
        const int start = i;
        if (c.isSpace()) {
            while (i < n && s[i].isSpace()) ++i;
            push(SqlToken::Kind::Space, start, i);
        } else if (c == u'-' && i + 1 < n && s[i + 1] == u'-') {
            while (i < n && s[i] != u'\n') ++i;
            push(SqlToken::Kind::Comment, start, i);
        } else if (c == u'/' && i + 1 < n && s[i + 1] == u'*') {
            int e = s.indexOf(QStringLiteral("*/"), i + 2);
            i = e < 0 ? n : e + 2;
            push(SqlToken::Kind::Comment, start, i);
        } else if (c == u'\'' || ((c == u'N' || c == u'n') && i + 1 < n && s[i + 1] == u'\'')) {
            i += (c == u'\'') ? 1 : 2;
            while (i < n) {
                if (s[i] == u'\'') {
                    if (i + 1 < n && s[i + 1] == u'\'') { i += 2; continue; }
                    ++i;
                    break;
                }
                ++i;
            }
            push(SqlToken::Kind::String, start, i);
        } else if (c == u'[') {
            ++i;
            while (i < n) {
                if (s[i] == u']') {
                    if (i + 1 < n && s[i + 1] == u']') { i += 2; continue; }
                    ++i;
                    break;
                }
                ++i;
            }
            push(SqlToken::Kind::QuotedIdent, start, i);
        } else if (c == u'"' || c == u'`') {
            ++i;
            while (i < n) {
                if (s[i] == c) {
                    if (i + 1 < n && s[i + 1] == c) { i += 2; continue; }
                    ++i;
                    break;
                }
                ++i;
            }
            push(SqlToken::Kind::QuotedIdent, start, i);
        } else if (c == u'#' && dateLiteralEnd(s, i) > 0) {
            i = dateLiteralEnd(s, i);
            push(SqlToken::Kind::DateLiteral, start, i);
        } else if (c.isDigit() || (c == u'.' && i + 1 < n && s[i + 1].isDigit())) {
            while (i < n && (s[i].isDigit() || s[i] == u'.')) ++i;
            if (i < n && (s[i] == u'e' || s[i] == u'E') && i + 1 < n &&
                (s[i + 1].isDigit() || ((s[i + 1] == u'-' || s[i + 1] == u'+') && i + 2 < n && s[i + 2].isDigit()))) {
                i += 2;
                while (i < n && s[i].isDigit()) ++i;
            }
            push(SqlToken::Kind::Number, start, i);
        } else if (isWordStart(c)) {
            while (i < n && isSqlWordChar(s[i])) ++i;
            push(SqlToken::Kind::Word, start, i);
        } else {
            static constexpr char16_t two[][2] = {{u'<', u'='}, {u'>', u'='}, {u'<', u'>'}, {u'!', u'='}, {u'|', u'|'}, {u':', u':'}};
            if (i + 1 < n && std::any_of(std::begin(two), std::end(two), [&](const char16_t (&d)[2]) {
                    return s[i].unicode() == d[0] && s[i + 1].unicode() == d[1];
                }))
                i += 2;
            else ++i;
            push(SqlToken::Kind::Symbol, start, i);
        }
    }
    return out;
}

QString joinTokens(const std::vector<SqlToken>& tokens, size_t from, size_t to) {
    QString r;
    to = std::min(to, tokens.size());
    qsizetype largo = 0;
    for (size_t i = from; i < to; ++i) largo += tokens[i].text.size();
    r.reserve(largo);
    for (size_t i = from; i < to; ++i) r += tokens[i].text;
    return r;
}

} // namespace ado
