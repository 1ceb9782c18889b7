#pragma once
#include <QString>
#include <vector>

namespace ado {

// A lexical piece of a T-SQL text. Blanks and comments are kept as tokens so
// that a rewritten statement keeps the caller's spacing.
struct SqlToken {
    enum class Kind { Space, Comment, Word, QuotedIdent, String, Number, Symbol, DateLiteral };
    Kind kind;
    QString text;       // as written (for String: with its apostrophes; N prefix kept)
    bool is(const char* word) const;   // Word compared without regard to case
    bool isSymbol(char c) const { return kind == Kind::Symbol && text.size() == 1 && text[0] == QLatin1Char(c); }
    bool hasNewline() const { return kind == Kind::Space && (text.contains(u'\n') || text.contains(u'\r')); }
    // For QuotedIdent: the name without its brackets or quotes.
    QString identName() const;
    // For String: the value without apostrophes, '' read as '.
    QString stringValue() const;
};

std::vector<SqlToken> tokenizeSql(const QString& text);
// Whether a character continues a word (a name, a keyword, @variable, #temp).
bool isSqlWordChar(QChar c);
QString joinTokens(const std::vector<SqlToken>& tokens, size_t from = 0, size_t to = size_t(-1));

// Quotes a text as a T-SQL string literal, doubling its apostrophes.
QString sqlQuote(const QString& value);

} // namespace ado
