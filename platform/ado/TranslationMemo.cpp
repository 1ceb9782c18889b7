#include "platform/ado/TranslationMemo.h"
#include "platform/ado/SqlTokenizer.h"

namespace ado {
namespace {

constexpr char16_t kMark = 0xFFFF;   // a noncharacter: never in a statement the program writes
constexpr int kLargest = 4000;       // longer texts (a multi-row INSERT) are rarely repeated
constexpr int kShapes = 64;

// The end of the quoted piece that starts at i (its closing character
// doubled inside it), -1 when it is not closed.
qsizetype quotedEnd(const QString& s, qsizetype i, QChar close) {
    for (qsizetype k = i + 1; k < s.size(); ++k) {
        if (s[k] != close) continue;
        if (k + 1 < s.size() && s[k + 1] == close) {
            ++k;
            continue;
        }
        return k + 1;
    }
    return -1;
}

} // namespace

MaskedText maskComparedTexts(const QString& s) {
    MaskedText out;
    if (s.size() > kLargest || s.contains(QChar(kMark))) return out;
    QString shape;
    qsizetype copied = 0;
    QChar last;   // the last significant character before i
    for (qsizetype i = 0; i < s.size();) {
        const QChar c = s[i];
        if (c == u'\'') {
            const qsizetype e = quotedEnd(s, i, u'\'');
            if (e < 0) return {};
            // A literal straight after a word is N'..', X'..' or the like.
            const bool compared = (last == u'=' || last == u'<' || last == u'>') && !(i > 0 && isSqlWordChar(s[i - 1]));
            if (compared) {
                shape += QStringView(s).mid(copied, i - copied);
                shape += u'\'';
                shape += QChar(kMark);
                shape += QString::number(out.texts.size());
                shape += u'\'';
                out.texts << s.mid(i, e - i);
                copied = e;
            }
            last = u'\'';
            i = e;
            continue;
        }
        if (c == u'[' || c == u'"' || c == u'`') {
            const qsizetype e = quotedEnd(s, i, c == u'[' ? QChar(u']') : c);
            if (e < 0) return {};
            last = c;
            i = e;
            continue;
        }
        if ((c == u'-' && i + 1 < s.size() && s[i + 1] == u'-') || (c == u'/' && i + 1 < s.size() && s[i + 1] == u'*')) {
            const qsizetype e = c == u'-' ? s.indexOf(u'\n', i) : s.indexOf(QStringLiteral("*/"), i + 2);
            if (e < 0) return {};
            last = u' ';   // a literal after a comment stays where it is
            i = e + (c == u'-' ? 1 : 2);
            continue;
        }
        if (!c.isSpace()) last = c;
        ++i;
    }
    if (out.texts.isEmpty()) return {};
    shape += QStringView(s).mid(copied);
    out.shape = std::move(shape);
    return out;
}

std::optional<std::vector<NativeStatement>> TranslationMemo::fill(const std::vector<NativeStatement>& shaped, const QStringList& texts) {
    std::vector<NativeStatement> out = shaped;
    const QString open = QStringLiteral("'") + QChar(kMark);
    for (NativeStatement& st : out) {
        QString& t = st.text;
        for (qsizetype p = t.indexOf(open); p >= 0; p = t.indexOf(open, p)) {
            qsizetype e = p + 2;
            while (e < t.size() && t[e].isDigit()) ++e;
            bool ok = false;
            const int n = QStringView(t).mid(p + 2, e - p - 2).toInt(&ok);
            if (!ok || e >= t.size() || t[e] != u'\'' || n < 0 || n >= texts.size()) return std::nullopt;
            t.replace(p, e + 1 - p, texts[n]);
            p += texts[n].size();
        }
    }
    return out;
}

std::vector<NativeStatement> TranslationMemo::translate(const QString& tsql, const Translate& full) {
    const MaskedText m = maskComparedTexts(tsql);
    if (m.shape.isEmpty()) return full(tsql);
    const auto it = kept_.constFind(m.shape);
    if (it != kept_.cend())
        if (auto r = fill(*it, m.texts)) return *std::move(r);
    std::vector<NativeStatement> answer = full(tsql);
    const std::vector<NativeStatement> shaped = full(m.shape);
    if (fill(shaped, m.texts) == answer) {
        if (kept_.size() >= kShapes) kept_.clear();
        kept_.insert(m.shape, shaped);
    }
    return answer;
}

} // namespace ado
