#include "platform/ado/SqlDialect.h"
#include <QDate>
#include <QRegularExpression>
#include <algorithm>
#include <functional>

namespace ado {

using Tok = SqlToken;
using K = SqlToken::Kind;
using Tokens = std::vector<SqlToken>;

namespace {

bool significant(const Tok& t) { return t.kind != K::Space && t.kind != K::Comment; }

// Index of the next significant token at or after i (tokens.size() when none).
size_t nextSig(const Tokens& t, size_t i) {
    while (i < t.size() && !significant(t[i])) ++i;
    return i;
}

// Index of the previous significant token before i (npos when none).
size_t prevSig(const Tokens& t, size_t i) {
    while (i > 0) {
        --i;
        if (significant(t[i])) return i;
    }
    return size_t(-1);
}

// Index of the ")" matching the "(" at open (tokens.size() when unbalanced).
size_t matchParen(const Tokens& t, size_t open) {
    int depth = 0;
    for (size_t i = open; i < t.size(); ++i) {
        if (t[i].isSymbol('(')) ++depth;
        else if (t[i].isSymbol(')') && --depth == 0) return i;
    }
    return t.size();
}

bool isOneOf(const Tok& t, std::initializer_list<const char*> words) {
    for (const char* w : words)
        if (t.is(w)) return true;
    return false;
}

// A token that the rewriting below leaves as it is wherever it stands: the
// words it looks for, bracketed names, N'' texts, #dates# and ODBC escapes
// are the ones it may change. A new rule's word belongs in this list too
// (its table test fails otherwise: the statement would pass unchanged).
bool sinCambio(const Tok& t) {
    switch (t.kind) {
    case K::Space:
    case K::Comment:
    case K::Number: return true;
    case K::String: return !t.text.startsWith(u'N') && !t.text.startsWith(u'n');
    case K::Symbol: return !t.isSymbol('{');
    case K::Word:
        return !isOneOf(t, {"WITH", "TOP", "DELETE", "dbo", "ISNULL", "LEN", "SUBSTRING", "MONTH", "YEAR", "DAY", "GETDATE", "CHARINDEX"});
    case K::QuotedIdent:
    case K::DateLiteral: return false;
    }
    return false;
}

// SET followed by one of SQL Server's session options (which these engines
// have no use for); any other SET is a statement of its own.
bool isSessionOption(const Tokens& t, size_t set) {
    const size_t n = nextSig(t, set + 1);
    return n < t.size() && isOneOf(t[n], {"NOCOUNT", "XACT_ABORT", "DATEFORMAT", "ANSI_NULLS", "ANSI_WARNINGS",
                                          "QUOTED_IDENTIFIER", "TRANSACTION", "IDENTITY_INSERT", "LANGUAGE",
                                          "LOCK_TIMEOUT", "ANSI_PADDING", "ARITHABORT", "CONCAT_NULL_YIELDS_NULL"});
}

// The first significant token of t[from, to), nullptr when none.
const Tok* firstWordIn(const Tokens& t, size_t from, size_t to) {
    for (size_t i = from; i < to; ++i)
        if (significant(t[i])) return &t[i];
    return nullptr;
}

const Tok* firstWord(const Tokens& stmt) { return firstWordIn(stmt, 0, stmt.size()); }

bool hasContent(const Tokens& stmt) { return firstWord(stmt) != nullptr; }

// A line holding only GO separates batches.
bool isGoLine(const Tokens& t, size_t i) {
    if (!t[i].is("GO")) return false;
    const size_t p = i == 0 ? size_t(-1) : i - 1;
    const bool lineStart = p == size_t(-1) || t[p].hasNewline() ||
                           (t[p].kind == K::Space && (p == 0 || t[p - 1].kind == K::Comment));
    const bool lineEnd = i + 1 >= t.size() || t[i + 1].hasNewline() ||
                         (t[i + 1].kind == K::Space && i + 2 >= t.size());
    return lineStart && lineEnd;
}

// Whether t[i] begins a new statement after the piece t[from, i).
bool startsStatement(const Tokens& t, size_t i, size_t from) {
    const Tok& w = t[i];
    const Tok* first = firstWordIn(t, from, i);
    if (w.kind != K::Word || !first) return false;
    const size_t p = prevSig(t, i);
    const Tok* prev = p == size_t(-1) ? nullptr : &t[p];
    // "ON DELETE" and "ON UPDATE" of a key clause, "FOR UPDATE" of a cursor.
    if (prev && isOneOf(*first, {"CREATE", "ALTER", "DECLARE"}) && isOneOf(*prev, {"ON", "FOR", "INSTEAD", "AFTER", "OR"}))
        return false;
    if (isOneOf(w, {"INSERT", "DELETE", "UPDATE", "CREATE", "TRUNCATE", "DECLARE", "EXEC", "EXECUTE", "PRINT", "COMMIT",
                    "ROLLBACK"}))
        return true;
    if (isOneOf(w, {"DROP", "ALTER"})) return !first->is("ALTER");
    if (w.is("BEGIN")) {
        const size_t n = nextSig(t, i + 1);
        return n < t.size() && isOneOf(t[n], {"TRAN", "TRANSACTION", "DISTRIBUTED"});
    }
    if (w.is("SET")) return isSessionOption(t, i);
    if (w.is("SELECT")) {
        if (isOneOf(*first, {"INSERT", "CREATE", "ALTER", "SELECT", "DECLARE", "IF", "WITH"})) return false;
        return !(prev && isOneOf(*prev, {"UNION", "ALL", "EXCEPT", "INTERSECT"}));
    }
    return false;
}

// SQLite keeps dates as text "yyyy-MM-dd HH:mm:ss"; a literal must have the
// same form to compare equal.
QString dateText(const QDateTime& d, bool sqlite) {
    if (!sqlite && d.time() == QTime(0, 0)) return d.toString(QStringLiteral("yyyy-MM-dd"));
    return d.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString jetDate(const QString& body, bool sqlite) {
    const QString s = body.trimmed();
    static const char* formats[] = {"M/d/yyyy H:mm:ss", "M/d/yyyy H:mm", "M/d/yyyy", "M/d/yy", "d/M/yyyy H:mm:ss",
                                    "d/M/yyyy", "yyyy-MM-dd H:mm:ss", "yyyy-MM-dd", "yyyy/MM/dd"};
    for (const char* f : formats) {
        QDateTime d = QDateTime::fromString(s, QString::fromLatin1(f));
        if (!d.isValid()) {
            QDate dd = QDate::fromString(s, QString::fromLatin1(f));
            if (dd.isValid()) d = QDateTime(dd, QTime(0, 0));
        }
        if (d.isValid()) {
            if (d.date().year() < 1930 && QString::fromLatin1(f).endsWith(QLatin1String("/yy"))) d = d.addYears(100);
            return dateText(d, sqlite);
        }
    }
    return s;
}

} // namespace

std::vector<Tokens> SqlDialect::splitStatements(const QString& tsql) {
    Tokens t = tokenizeSql(tsql);
    // The pieces are found first as ranges of t (the tests look back and
    // ahead across pieces), then moved out whole.
    std::vector<std::pair<size_t, size_t>> pieces;
    size_t from = 0;
    int depth = 0;
    auto flush = [&](size_t to) {
        if (firstWordIn(t, from, to)) pieces.emplace_back(from, to);
        depth = 0;
    };
    for (size_t i = 0; i < t.size(); ++i) {
        const Tok& tok = t[i];
        if (tok.isSymbol('(')) ++depth;
        else if (tok.isSymbol(')')) depth = std::max(0, depth - 1);
        if (depth == 0 && (isGoLine(t, i) || tok.isSymbol(';'))) {
            flush(i);
            from = i + 1;
            continue;
        }
        if (depth == 0 && startsStatement(t, i, from)) {
            flush(i);
            from = i;
        }
    }
    flush(t.size());
    std::vector<Tokens> out;
    out.reserve(pieces.size());
    for (auto [a, b] : pieces)
        out.emplace_back(std::make_move_iterator(t.begin() + long(a)), std::make_move_iterator(t.begin() + long(b)));
    return out;
}

namespace {

bool asciiWordChar(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' || c == u'@' || c == u'$';
}

bool wordIs(const QChar* w, qsizetype n, const char* upper) {
    for (qsizetype i = 0; i < n; ++i, ++upper)
        if (!*upper || (w[i].unicode() & ~0x20) != char16_t(*upper)) return false;
    return !*upper;
}

// The words after which a text is no longer one plain statement for the
// short cut: those that begin another statement (or a GO line) and those a
// rule rewrites (the list of sinCambio). Digits and "_" never reach here
// through the case folding above, since no word below has them.
bool stopsShortCut(const QChar* w, qsizetype n) {
    static const std::pair<const char*, qsizetype> words[] = {
        {"INSERT", 6}, {"DELETE", 6}, {"UPDATE", 6}, {"CREATE", 6},   {"TRUNCATE", 8}, {"DECLARE", 7},   {"EXEC", 4},
        {"EXECUTE", 7}, {"PRINT", 5}, {"COMMIT", 6}, {"ROLLBACK", 8}, {"DROP", 4},     {"ALTER", 5},     {"BEGIN", 5},
        {"SET", 3},    {"SELECT", 6}, {"GO", 2},     {"WITH", 4},     {"TOP", 3},      {"DBO", 3},       {"ISNULL", 6},
        {"LEN", 3},    {"SUBSTRING", 9}, {"MONTH", 5}, {"YEAR", 4},   {"DAY", 3},      {"GETDATE", 7},   {"CHARINDEX", 9}};
    if (n < 2 || n > 9) return false;   // the lengths of the words above
    for (const auto& [k, len] : words)
        if (len == n && wordIs(w, n, k)) return true;
    return false;
}

} // namespace

bool SqlDialect::asWritten(const QString& s) {
    const QChar* p = s.constData();
    const qsizetype n = s.size();
    bool first = true;   // the statement's first word is still to come
    for (qsizetype i = 0; i < n;) {
        const char16_t c = p[i].unicode();
        if (c >= 0x80) return false;   // letters and blanks beyond ASCII: the tokenizer decides
        if (c == u'\'') {
            if (first || (p[i - 1].unicode() | 0x20) == u'n') return false;   // N'...' texts are rewritten
            qsizetype k = i + 1;
            for (;; ++k) {
                if (k >= n) return false;
                if (p[k] != u'\'') continue;
                if (k + 1 < n && p[k + 1] == u'\'') {
                    ++k;
                    continue;
                }
                break;
            }
            i = k + 1;
            continue;
        }
        if (asciiWordChar(c) && !(c >= u'0' && c <= u'9')) {
            qsizetype k = i;
            while (k < n && asciiWordChar(p[k].unicode())) ++k;
            if (first) {
                if (!wordIs(p + i, k - i, "SELECT") && !wordIs(p + i, k - i, "INSERT")) return false;
                first = false;
            } else if (stopsShortCut(p + i, k - i)) {
                return false;
            }
            i = k;
            continue;
        }
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r') {
            ++i;
            continue;
        }
        if (first) return false;
        if (c >= u'0' && c <= u'9') {
            // A number, and nothing of a word straight after it ("1e5",
            // "1TOP"): the tokenizer would part them otherwise.
            while (i < n && ((p[i] >= u'0' && p[i] <= u'9') || p[i] == u'.')) ++i;
            if (i < n && (asciiWordChar(p[i].unicode()) || p[i] == u'\'')) return false;
            continue;
        }
        switch (c) {
        case u'[': case u'"': case u'`': case u'{': case u'#': case u';': return false;
        case u'-': case u'/':
            if (i + 1 < n && p[i + 1] == (c == u'-' ? u'-' : u'*')) return false;   // comments
            break;
        default:
            if (c < u' ') return false;   // other control characters
        }
        ++i;
    }
    return !first;
}

std::vector<NativeStatement> SqlDialect::translate(const QString& tsql) const {
    // Most of the program's statements hold nothing to rewrite (a long
    // multi-row INSERT above all): tokenizing them cost more than running them.
    if (engine_ == Engine::TSql) return translateTokens(tsql);
    if (asWritten(tsql)) return {{NativeStatement::Kind::Sql, tsql.trimmed()}};
    return memo_.translate(tsql, [this](const QString& s) { return translateTokens(s); });
}

std::vector<NativeStatement> SqlDialect::translateTokens(const QString& tsql) const {
    std::vector<NativeStatement> out;
    if (engine_ == Engine::TSql) {
        // SQL Server runs batches itself; only the GO lines are the client's.
        const Tokens t = tokenizeSql(tsql);
        Tokens cur;
        for (size_t i = 0; i < t.size(); ++i) {
            if (isGoLine(t, i)) {
                if (hasContent(cur)) out.push_back({NativeStatement::Kind::Sql, joinTokens(cur).trimmed()});
                cur.clear();
            } else {
                cur.push_back(t[i]);
            }
        }
        if (hasContent(cur)) out.push_back({NativeStatement::Kind::Sql, joinTokens(cur).trimmed()});
        return out;
    }
    for (Tokens& stmt : splitStatements(tsql)) {
        NativeStatement ns = rewrite(std::move(stmt));
        if (ns.kind != NativeStatement::Kind::Sql || !ns.text.trimmed().isEmpty()) out.push_back(std::move(ns));
    }
    return out;
}

QString SqlDialect::quoteIdent(const QString& name) const {
    if (engine_ == Engine::TSql) {
        QString n = name;
        n.replace(QStringLiteral("]"), QStringLiteral("]]"));
        return u'[' + n + u']';
    }
    QString n = engine_ == Engine::Postgres ? name.toLower() : name;
    n.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + n + u'"';
}

QString SqlDialect::literal(const Variant& v) const {
    switch (v.kind()) {
    case Variant::Kind::Empty:
    case Variant::Kind::Null: return QStringLiteral("NULL");
    case Variant::Kind::Integer:
    case Variant::Kind::Double: return v.toText();
    case Variant::Kind::Boolean: return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case Variant::Kind::Date: {
        const QDateTime d = v.toDateTime();
        // SQL Server reads "yyyymmdd hh:mm:ss" the same under every DATEFORMAT.
        if (engine_ == Engine::TSql) return sqlQuote(d.toString(QStringLiteral("yyyyMMdd HH:mm:ss")));
        return sqlQuote(d.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    }
    case Variant::Kind::Text: return sqlQuote(v.toText());
    }
    return QStringLiteral("NULL");
}

QString SqlDialect::typeName(const QString& tsqlType) const {
    if (engine_ != Engine::Postgres) return tsqlType;
    static const std::pair<const char*, const char*> map[] = {
        {"DATETIME", "TIMESTAMP"}, {"SMALLDATETIME", "TIMESTAMP"}, {"DATETIME2", "TIMESTAMP"}, {"BIT", "SMALLINT"},
        {"TINYINT", "SMALLINT"}, {"MONEY", "NUMERIC(19,4)"}, {"SMALLMONEY", "NUMERIC(10,4)"}, {"NVARCHAR", "VARCHAR"},
        {"NCHAR", "CHAR"}, {"NTEXT", "TEXT"}, {"IMAGE", "BYTEA"}, {"UNIQUEIDENTIFIER", "UUID"}, {"FLOAT", "DOUBLE PRECISION"}};
    for (const auto& [from, to] : map)
        if (tsqlType.compare(QLatin1String(from), Qt::CaseInsensitive) == 0) return QString::fromLatin1(to);
    return tsqlType;
}

NativeStatement SqlDialect::rewrite(Tokens t) const {
    const bool pg = engine_ == Engine::Postgres;
    const Tok* first = firstWord(t);
    if (!first) return {NativeStatement::Kind::Sql, {}};

    // Transaction control and session options. They stand alone ("BEGIN
    // TRAN [name]", "SET TRANSACTION ISOLATION LEVEL READ COMMITTED"): a piece
    // with more words after them is passed on as written, so that nothing
    // that follows is dropped unseen; the engine refuses it.
    const size_t words = size_t(std::count_if(t.begin(), t.end(), significant));
    if (words <= 3) {
        if (first->is("BEGIN")) return {NativeStatement::Kind::Begin, pg ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE")};
        if (first->is("COMMIT")) return {NativeStatement::Kind::Commit, QStringLiteral("COMMIT")};
        if (first->is("ROLLBACK")) return {NativeStatement::Kind::Rollback, QStringLiteral("ROLLBACK")};
    }
    if (words <= 7 && first->is("SET") && isSessionOption(t, size_t(first - t.data()))) {
        // SET NOCOUNT, XACT_ABORT and the like have no meaning for these engines.
        return {NativeStatement::Kind::Sql, {}};
    }
    const bool ddl = isOneOf(*first, {"CREATE", "ALTER"});
    // Most statements (a long multi-row INSERT above all) hold nothing to
    // rewrite: they go on as written without being rebuilt token by token.
    if (!(ddl && pg) && std::all_of(t.begin(), t.end(), sinCambio)) return {NativeStatement::Kind::Sql, joinTokens(t).trimmed()};

    // Row limits found per parenthesis level: (level, limit text).
    std::vector<std::pair<int, QString>> limits;
    Tokens out;
    out.reserve(t.size() + 4);
    int depth = 0;
    auto closeLevel = [&](int level) {
        for (auto it = limits.begin(); it != limits.end();) {
            if (it->first == level) {
                out.push_back({K::Space, QStringLiteral(" ")});
                out.push_back({K::Word, QStringLiteral("LIMIT ") + it->second});
                it = limits.erase(it);
            } else {
                ++it;
            }
        }
    };
    // Text to add after the ")" that closes a given token index.
    std::vector<std::pair<size_t, QString>> extraClose;

    for (size_t i = 0; i < t.size(); ++i) {
        Tok tok = t[i];
        if (tok.isSymbol('(')) ++depth;
        if (tok.isSymbol(')')) {
            closeLevel(depth);
            --depth;
            out.push_back(tok);
            for (size_t k = 0; k < extraClose.size();) {
                if (extraClose[k].first == i) {
                    out.push_back({K::Symbol, extraClose[k].second});
                    extraClose.erase(extraClose.begin() + long(k));
                } else {
                    ++k;
                }
            }
            continue;
        }
        if (tok.kind == K::Word) {
            const size_t n = nextSig(t, i + 1);
            const bool call = n < t.size() && t[n].isSymbol('(');
            // Table hints: WITH (NOLOCK) and the like.
            if (tok.is("WITH") && call) {
                const size_t h = nextSig(t, n + 1);
                const size_t c = matchParen(t, n);
                // Dropped only when closed and made of hint words: nothing
                // else of the statement can go with it.
                const bool soloPalabras = c < t.size() && std::none_of(t.begin() + long(n), t.begin() + long(c), [](const Tok& k) {
                    return k.kind == K::String || k.kind == K::QuotedIdent || k.kind == K::DateLiteral;
                });
                if (soloPalabras && h < t.size() &&
                    isOneOf(t[h], {"NOLOCK", "READPAST", "ROWLOCK", "UPDLOCK", "HOLDLOCK", "NOWAIT", "TABLOCK", "TABLOCKX", "PAGLOCK",
                                   "READUNCOMMITTED", "XLOCK"})) {
                    i = c;
                    continue;
                }
            }
            // SELECT [DISTINCT] TOP n [PERCENT]
            if (tok.is("TOP")) {
                const size_t p = prevSig(t, i);
                if (p != size_t(-1) && isOneOf(t[p], {"SELECT", "DISTINCT", "ALL"})) {
                    size_t v = n;
                    QString count;
                    size_t end = v;
                    if (v < t.size() && t[v].isSymbol('(')) {
                        end = matchParen(t, v);
                        count = joinTokens(t, v + 1, end).trimmed();
                    } else if (v < t.size()) {
                        count = t[v].text;
                    }
                    size_t resume = nextSig(t, end + 1);
                    if (resume < t.size() && t[resume].is("PERCENT")) {
                        resume = nextSig(t, resume + 1);   // TOP 100 PERCENT: every row
                    } else {
                        limits.emplace_back(depth, count);
                    }
                    i = resume - 1;
                    continue;
                }
            }
            // DELETE T WHERE ... has no FROM in T-SQL.
            if (tok.is("DELETE") && n < t.size() && !t[n].is("FROM") &&
                (t[n].kind == K::Word || t[n].kind == K::QuotedIdent)) {
                out.push_back(tok);
                out.push_back({K::Word, QStringLiteral(" FROM")});
                continue;
            }
            // Owner prefix dbo.
            if (tok.is("dbo") && n == i + 1 && n < t.size() && t[n].isSymbol('.')) {
                i = n;
                continue;
            }
            if (call) {
                if (tok.is("ISNULL")) tok.text = pg ? QStringLiteral("COALESCE") : QStringLiteral("IFNULL");
                else if (tok.is("LEN")) {
                    // T-SQL's LEN does not count trailing blanks.
                    tok.text = QStringLiteral("LENGTH(RTRIM");
                    extraClose.emplace_back(matchParen(t, n), QStringLiteral(")"));
                } else if (tok.is("SUBSTRING") && !pg) tok.text = QStringLiteral("SUBSTR");
                else if (isOneOf(tok, {"MONTH", "YEAR", "DAY"})) {
                    // Date parts: EXTRACT on PostgreSQL, strftime on SQLite.
                    const QString parte = tok.text.toUpper();
                    if (pg) {
                        out.push_back({K::Word, QStringLiteral("EXTRACT(") + parte + QStringLiteral(" FROM ")});
                        extraClose.emplace_back(matchParen(t, n), QString());
                        i = n;
                        ++depth;   // the "(" skipped here is closed by its ")"
                        continue;
                    }
                    const char* f = parte == QLatin1String("MONTH") ? "%m" : parte == QLatin1String("YEAR") ? "%Y" : "%d";
                    out.push_back({K::Word, QStringLiteral("CAST(strftime('") + QLatin1String(f) + QStringLiteral("', ")});
                    extraClose.emplace_back(matchParen(t, n), QStringLiteral(" AS INTEGER)"));
                    i = n;
                    ++depth;
                    continue;
                }
                else if (tok.is("GETDATE") && nextSig(t, n + 1) < t.size() && t[nextSig(t, n + 1)].isSymbol(')')) {
                    // Only GETDATE() itself: an unclosed call keeps its text.
                    out.push_back({K::Word, pg ? QStringLiteral("LOCALTIMESTAMP(0)")
                                               : QStringLiteral("datetime('now','localtime')")});
                    i = nextSig(t, n + 1);
                    continue;
                } else if (tok.is("CHARINDEX")) {
                    // CHARINDEX(find, text) -> instr(text, find) / strpos(text, find)
                    const size_t c = matchParen(t, n);
                    std::vector<QString> args;
                    QString cur;
                    int d = 0;
                    for (size_t k = n + 1; k < c; ++k) {
                        if (t[k].isSymbol('(')) ++d;
                        if (t[k].isSymbol(')')) --d;
                        if (d == 0 && t[k].isSymbol(',')) { args.push_back(cur); cur.clear(); continue; }
                        cur += t[k].text;
                    }
                    args.push_back(cur);
                    // Only the two-argument form has an equivalent; a start
                    // position (third argument) or an unclosed call is left
                    // as written, for the engine to refuse rather than answer
                    // something else.
                    if (args.size() == 2 && c < t.size()) {
                        const auto inner = SqlDialect(engine_).translate(QStringLiteral("SELECT ") + args[1].trimmed() + u',' + args[0].trimmed());
                        if (inner.size() == 1 && inner.front().kind == NativeStatement::Kind::Sql) {
                            out.push_back({K::Word, (pg ? QStringLiteral("STRPOS(") : QStringLiteral("INSTR(")) + inner.front().text.mid(7) + u')'});
                            i = c;
                            continue;
                        }
                    }
                }
            }
            if (ddl && pg) tok.text = typeName(tok.text);
        } else if (tok.kind == K::QuotedIdent) {
            const size_t n = nextSig(t, i + 1);
            if (tok.identName().compare(QLatin1String("dbo"), Qt::CaseInsensitive) == 0 && n == i + 1 && n < t.size() &&
                t[n].isSymbol('.')) {
                i = n;
                continue;
            }
            tok.text = quoteIdent(tok.identName());
        } else if (tok.kind == K::String) {
            if (tok.text.startsWith(u'N') || tok.text.startsWith(u'n')) tok.text = tok.text.mid(1);
        } else if (tok.kind == K::DateLiteral) {
            tok = {K::String, sqlQuote(jetDate(tok.text.mid(1, tok.text.size() - 2), !pg))};
        } else if (tok.isSymbol('{')) {
            // ODBC escapes: {d '...'}, {ts '...'}, {t '...'}, {fn f(...)}, {oj ...}
            const size_t n = nextSig(t, i + 1);
            if (n < t.size() && isOneOf(t[n], {"d", "ts", "t", "fn", "oj"})) {
                int d = 0;
                size_t close = t.size();
                for (size_t k = i; k < t.size(); ++k) {
                    if (t[k].isSymbol('{')) ++d;
                    if (t[k].isSymbol('}') && --d == 0) { close = k; break; }
                }
                if (close < t.size()) {
                    const size_t lit = nextSig(t, n + 1);
                    // Only a whole escape is rewritten: {d 'date'} with nothing
                    // else inside, and a body that reads as one expression.
                    // Anything else is left as written for the engine to refuse,
                    // so that no text of the statement is lost.
                    if ((t[n].is("d") || t[n].is("ts")) && lit < close && t[lit].kind == K::String) {
                        if (nextSig(t, lit + 1) == close) {
                            out.push_back({K::String, sqlQuote(jetDate(t[lit].stringValue(), !pg))});
                            i = close;
                            continue;
                        }
                    } else {
                        Tokens inner(t.begin() + long(n) + 1, t.begin() + long(close));
                        const auto body = SqlDialect(engine_).translate(QStringLiteral("SELECT ") + joinTokens(inner));
                        if (body.size() == 1 && body.front().kind == NativeStatement::Kind::Sql) {
                            out.push_back({K::Word, body.front().text.mid(7).trimmed()});
                            i = close;
                            continue;
                        }
                    }
                }
            }
        }
        out.push_back(tok);
    }
    closeLevel(0);
    for (auto& l : limits) {   // unbalanced parentheses: put what is left at the end
        out.push_back({K::Space, QStringLiteral(" ")});
        out.push_back({K::Word, QStringLiteral("LIMIT ") + l.second});
    }
    return {NativeStatement::Kind::Sql, joinTokens(out).trimmed()};
}

QString SqlDialect::simpleSelectTable(const QString& tsql) {
    const auto stmts = splitStatements(tsql);
    if (stmts.size() != 1) return {};
    const Tokens& t = stmts.front();
    const Tok* first = firstWord(t);
    if (!first || !first->is("SELECT")) return {};
    int depth = 0;
    QString table;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i].isSymbol('(')) ++depth;
        if (t[i].isSymbol(')')) --depth;
        if (depth != 0) continue;
        if (table.isEmpty()) {
            if (t[i].is("FROM")) {
                size_t n = nextSig(t, i + 1);
                if (n >= t.size()) return {};
                // Skip an owner prefix.
                size_t dot = nextSig(t, n + 1);
                if (dot < t.size() && t[dot].isSymbol('.')) {
                    n = nextSig(t, dot + 1);
                    if (n >= t.size()) return {};
                }
                if (t[n].kind != K::Word && t[n].kind != K::QuotedIdent) return {};
                table = t[n].identName();
                i = n;
            }
            continue;
        }
        if (t[i].isSymbol(',') || isOneOf(t[i], {"JOIN", "UNION", "CROSS", "APPLY"})) return {};
        if (isOneOf(t[i], {"WHERE", "ORDER", "GROUP", "HAVING"})) break;
    }
    return table;
}

} // namespace ado
