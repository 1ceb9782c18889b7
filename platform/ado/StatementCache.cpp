#include "platform/ado/StatementCache.h"
#include <sqlite3.h>

namespace ado {
namespace {

bool wordChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u >= 0x80;
}

bool isWordAt(const QByteArray& s, qsizetype i, const char* upper, qsizetype n) {
    if (i + n > s.size() || (i > 0 && wordChar(s[i - 1])) || (i + n < s.size() && wordChar(s[i + n]))) return false;
    for (qsizetype k = 0; k < n; ++k)
        if ((s[i + k] & ~0x20) != upper[k]) return false;
    return true;
}

// The end of a quoted piece that starts at i (its closing character doubled
// inside it); -1 when it is not closed.
qsizetype quotedEnd(const QByteArray& s, qsizetype i, char close) {
    for (qsizetype k = i + 1; k < s.size(); ++k) {
        if (s[k] != close) continue;
        if (close != ']' && k + 1 < s.size() && s[k + 1] == close) {
            ++k;
            continue;
        }
        return k + 1;
    }
    return -1;
}

qsizetype commentEnd(const QByteArray& s, qsizetype i) {
    if (s[i] == '-') {
        const qsizetype nl = s.indexOf('\n', i);
        return nl < 0 ? s.size() : nl + 1;
    }
    const qsizetype e = s.indexOf("*/", i + 2);
    return e < 0 ? -1 : e + 2;
}

QByteArray unquote(const QByteArray& s, qsizetype from, qsizetype to) {
    QByteArray v = s.mid(from + 1, to - from - 2);
    if (v.contains('\'')) v.replace("''", "'");
    return v;
}

} // namespace

ParameterizedSelect parameterizeSelect(const QByteArray& sql) {
    ParameterizedSelect out;
    qsizetype i = 0;
    while (i < sql.size() && static_cast<unsigned char>(sql[i]) <= ' ') ++i;
    if (!isWordAt(sql, i, "SELECT", 6)) return out;
    QByteArray text;
    qsizetype copied = 0;   // sql[copied, i) is still to go into text
    int depth = 0;
    bool inWhere = false;
    char lastSignificant = 0;
    for (; i < sql.size();) {
        const char c = sql[i];
        if (c == '\'') {
            const qsizetype e = quotedEnd(sql, i, '\'');
            if (e < 0) return {};
            const bool compared = inWhere && (lastSignificant == '=' || lastSignificant == '<' || lastSignificant == '>');
            const bool prefixed = i > 0 && wordChar(sql[i - 1]);   // X'..' is a blob
            if (compared && !prefixed && out.values.size() < 64) {
                text.append(sql.constData() + copied, i - copied);
                text += '?';
                out.values.push_back(unquote(sql, i, e));
                copied = e;
            }
            lastSignificant = '\'';
            i = e;
            continue;
        }
        if (c == '"' || c == '`' || c == '[') {
            const qsizetype e = quotedEnd(sql, i, c == '[' ? ']' : c);
            if (e < 0) return {};
            lastSignificant = c;
            i = e;
            continue;
        }
        if ((c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') || (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*')) {
            const qsizetype e = commentEnd(sql, i);
            if (e < 0) return {};
            i = e;
            continue;
        }
        // Parameters of its own, or a second statement: as written.
        if (c == '?' || c == ':' || c == '@' || c == '$' || c == ';') return {};
        if (c == '(') ++depth;
        else if (c == ')') --depth;
        else if (depth == 0 && !inWhere && (c == 'W' || c == 'w') && isWordAt(sql, i, "WHERE", 5)) inWhere = true;
        if (static_cast<unsigned char>(c) > ' ') lastSignificant = c;
        if (wordChar(c)) {
            while (i < sql.size() && wordChar(sql[i])) ++i;
            continue;
        }
        ++i;
    }
    if (out.values.empty()) return {};
    text.append(sql.constData() + copied, sql.size() - copied);
    out.text = std::move(text);
    return out;
}

sqlite3_stmt* StatementCache::take(const QByteArray& text) {
    for (auto it = kept_.begin(); it != kept_.end(); ++it) {
        if (it->first != text) continue;
        sqlite3_stmt* st = it->second;
        kept_.erase(it);
        return st;
    }
    return nullptr;
}

void StatementCache::give(QByteArray text, sqlite3_stmt* st) {
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    kept_.emplace_front(std::move(text), st);
    while (kept_.size() > capacity_) {
        sqlite3_finalize(kept_.back().second);
        kept_.pop_back();
    }
}

void StatementCache::clear() {
    for (auto& [text, st] : kept_) sqlite3_finalize(st);
    kept_.clear();
}

} // namespace ado
