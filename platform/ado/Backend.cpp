// GCC 12 takes the text inside a moved Variant for possibly uninitialized (a
// false positive of std::variant moves, reported at Qt's header): every cell
// is set before it is moved.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include "platform/ado/Backend.h"

namespace ado {

std::pair<int, long> adoTypeFromDecl(const QString& declIn) {
    const QString decl = declIn.trimmed().toUpper();
    // Read by hand: two regular expressions per column of every result took
    // longer than reading a row of a small one.
    auto digitsAt = [&](qsizetype i, qsizetype* end = nullptr) {
        qsizetype j = i;
        while (j < decl.size() && decl[j].isDigit() && decl[j].unicode() < 128) ++j;
        if (end) *end = j;
        return j > i ? decl.mid(i, j - i).toLong() : -1L;
    };
    long size = 0;   // the first "(n", blanks allowed after the parenthesis
    for (qsizetype p = decl.indexOf(u'('); p >= 0; p = decl.indexOf(u'(', p + 1)) {
        qsizetype i = p + 1;
        while (i < decl.size() && decl[i].isSpace()) ++i;
        if (const long n = digitsAt(i); n >= 0) {
            size = n;
            break;
        }
    }
    if (decl.startsWith(QLatin1String("VC"))) {   // the PostgreSQL schema's vcN domains
        qsizetype end = 0;
        const long n = digitsAt(2, &end);
        if (n >= 0 && end == decl.size()) return {200, n};
    }
    auto starts = [&](const char* p) { return decl.startsWith(QLatin1String(p)); };
    if (decl.isEmpty()) return {200, 0};
    if (starts("NVARCHAR")) return {202, size};
    if (starts("VARCHAR") || starts("CHARACTER VARYING") || starts("CITEXT")) return {200, size};
    if (starts("NCHAR")) return {130, size};
    if (starts("CHAR") || starts("BPCHAR") || starts("CHARACTER")) return {129, size ? size : 1};
    if (starts("NTEXT")) return {203, 1073741823};
    if (starts("TEXT") || starts("CLOB")) return {201, 2147483647};
    if (starts("BIGINT") || starts("INT8")) return {20, 8};
    if (starts("SMALLINT") || starts("INT2")) return {2, 2};
    if (starts("TINYINT")) return {17, 1};
    if (starts("INT")) return {3, 4};
    if (starts("BIT") || starts("BOOL")) return {11, 2};
    if (starts("MONEY") || starts("SMALLMONEY")) return {6, 8};
    if (starts("NUMERIC") || starts("DECIMAL")) return {131, 19};
    if (starts("REAL") || starts("FLOAT4")) return {4, 4};
    if (starts("FLOAT") || starts("DOUBLE")) return {5, 8};
    if (starts("DATETIME") || starts("TIMESTAMP") || starts("SMALLDATETIME")) return {135, 16};
    if (starts("DATE")) return {133, 6};
    if (starts("TIME")) return {134, 6};
    if (starts("BLOB") || starts("BYTEA") || starts("IMAGE") || starts("VARBINARY")) return {205, 2147483647};
    return {200, size};
}

void mapSqlState(const QString& state, const QString& msg, ErrorItem& item, long& ado) {
    item.SQLState = state;
    auto set = [&](long native, long number) { item.NativeError = native; ado = number; };
    if (state == QLatin1String("23505")) set(native::DuplicateKey, err::IntegrityViolation);
    else if (state == QLatin1String("23503")) set(native::Constraint, err::IntegrityViolation);
    else if (state == QLatin1String("23514")) {
        // Text lengths are enforced by checks named after the column's size;
        // their violation is SQL Server's truncation.
        if (msg.contains(QLatin1String("domain vc"), Qt::CaseInsensitive) || msg.contains(QLatin1String("_len"), Qt::CaseInsensitive))
            set(native::Truncation, err::Truncation);
        else
            set(native::Constraint, err::IntegrityViolation);
    } else if (state == QLatin1String("22001")) set(native::Truncation, err::Truncation);
    else if (state == QLatin1String("23502")) set(515, err::IntegrityViolation);
    else if (state == QLatin1String("42P01") || state == QLatin1String("42S02")) set(native::NoSuchObject, err::NoSuchTable);
    else if (state == QLatin1String("42703") || state == QLatin1String("42S22")) set(native::InvalidColumn, err::CommandTextError);
    else if (state == QLatin1String("42601") || state == QLatin1String("42000")) set(native::Syntax, err::CommandTextError);
    else if (state.startsWith(QLatin1String("42"))) set(item.NativeError ? item.NativeError : 0, err::CommandTextError);
    else if (state == QLatin1String("57014") || state == QLatin1String("HYT00")) set(native::Timeout, err::Timeout);
    else if (state == QLatin1String("40P01") || state == QLatin1String("40001")) set(native::Deadlock, err::Unspecified);
    else if (state == QLatin1String("55P03")) set(1222, err::Unspecified);
    else if (state == QLatin1String("28P01") || state == QLatin1String("28000")) set(native::LoginFailed, err::Unspecified);
    else if (state == QLatin1String("3D000")) set(4060, err::Unspecified);
    else if (state == QLatin1String("25P02")) set(3930, err::Unspecified);
    else set(item.NativeError, err::Unspecified);
}

void failProvider(long adoNumber, const QString& description, const QString& sqlState, long native, bool lost) {
    ProviderFailure f;
    f.adoNumber = adoNumber;
    f.connectionLost = lost;
    f.items.push_back(ErrorItem{adoNumber, description, sqlState, native, QStringLiteral("Microsoft OLE DB Provider")});
    throw ProviderError(std::move(f));
}

} // namespace ado
