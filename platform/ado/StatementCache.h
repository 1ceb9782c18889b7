#pragma once
#include <QByteArray>
#include <cstddef>
#include <list>
#include <utility>
#include <vector>

struct sqlite3_stmt;

namespace ado {

// A SELECT whose compared texts became parameters, so that one prepared
// statement serves every value: the window reads a grouping, an account's
// description or a setting with the same words and only the code changes,
// and preparing cost as much as a short read itself.
struct ParameterizedSelect {
    QByteArray text;                 // empty: run the statement as written
    std::vector<QByteArray> values;  // the texts of the parameters, in order, without their quotes doubled
};

// Only a text literal compared with an operator (=, <>, <, >, <=, >=, !=)
// after the first WHERE of the outer query changes: a literal among the
// result columns names its column ("SELECT 'x'" is a column called 'x'), a
// literal in a list or a call stays (it may be an alias or a name), and
// X'..' blobs stay. A statement that is not one SELECT, that already has
// parameters, or that has nothing to change gives an empty text. A bound
// text compares, takes affinity and collates exactly as the same literal.
ParameterizedSelect parameterizeSelect(const QByteArray& sql);

// Prepared statements of one connection kept by their text, the least
// recently used finalized first. A statement is taken out while it runs and
// given back reset, so that a read running inside another never shares it.
class StatementCache {
public:
    explicit StatementCache(std::size_t capacity = 32) : capacity_(capacity) {}
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;
    ~StatementCache() { clear(); }

    // The statement kept for the text, taken out of the cache; null if none.
    sqlite3_stmt* take(const QByteArray& text);
    // Keeps a statement that ran to its end: reset, its parameters cleared.
    void give(QByteArray text, sqlite3_stmt* st);
    // Finalizes every statement (before the connection closes).
    void clear();
    std::size_t size() const { return kept_.size(); }

private:
    std::size_t capacity_;
    std::list<std::pair<QByteArray, sqlite3_stmt*>> kept_;   // most recent first
};

} // namespace ado
