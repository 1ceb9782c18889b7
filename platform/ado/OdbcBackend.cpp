#include "platform/ado/Backend.h"
#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "unixODBC is expected to use 2-byte SQLWCHAR");

namespace ado {
namespace {

const SQLWCHAR* w(const QString& s) { return reinterpret_cast<const SQLWCHAR*>(s.utf16()); }
QString fromW(const SQLWCHAR* p, SQLLEN chars) { return QString::fromUtf16(reinterpret_cast<const char16_t*>(p), chars); }

std::vector<ErrorItem> diagnostics(SQLSMALLINT type, SQLHANDLE h) {
    std::vector<ErrorItem> out;
    for (SQLSMALLINT i = 1;; ++i) {
        SQLWCHAR state[6] = {0};
        SQLINTEGER native = 0;
        SQLWCHAR msg[2048];
        SQLSMALLINT len = 0;
        const SQLRETURN rc = SQLGetDiagRecW(type, h, i, state, &native, msg, SQLSMALLINT(std::size(msg)), &len);
        if (!SQL_SUCCEEDED(rc)) break;
        ErrorItem e;
        e.SQLState = fromW(state, 5);
        e.NativeError = native;
        e.Description = fromW(msg, std::min<SQLLEN>(len, SQLLEN(std::size(msg)) - 1));
        e.Source = QStringLiteral("ODBC");
        out.push_back(e);
    }
    return out;
}

// SQL Server's own numbers come through FreeTDS as they are; other drivers
// are mapped by SQLSTATE.
[[noreturn]] void failWith(std::vector<ErrorItem> items, bool sqlServer, bool lost = false) {
    if (items.empty()) items.push_back({0, QStringLiteral("Error de ODBC sin diagnóstico"), QStringLiteral("HY000"), 0, {}});
    ProviderFailure f;
    f.connectionLost = lost;
    for (auto& it : items) {
        long ado = err::Unspecified;
        if (sqlServer) {
            switch (it.NativeError) {
            case native::DuplicateKey: case 2601: case native::Constraint: case 515: ado = err::IntegrityViolation; break;
            case native::NoSuchObject: ado = err::NoSuchTable; break;
            case native::Syntax: case native::InvalidColumn: case 156: ado = err::CommandTextError; break;
            case native::Truncation: case 2628: ado = err::Truncation; break;
            default: ado = err::Unspecified;
            }
            if (it.NativeError == 2601) it.NativeError = native::DuplicateKey;
            if (it.NativeError == 2628) it.NativeError = native::Truncation;
        } else {
            mapSqlState(it.SQLState, it.Description, it, ado);
        }
        if (it.SQLState.startsWith(QLatin1String("08"))) f.connectionLost = true;
        it.Number = ado;
    }
    f.adoNumber = items.front().Number;
    f.items = std::move(items);
    throw ProviderError(std::move(f));
}

int adoTypeOfSql(SQLSMALLINT t) {
    switch (t) {
    case SQL_CHAR: return 129;
    case SQL_VARCHAR: return 200;
    case SQL_LONGVARCHAR: return 201;
    case SQL_WCHAR: return 130;
    case SQL_WVARCHAR: return 202;
    case SQL_WLONGVARCHAR: return 203;
    case SQL_DECIMAL: case SQL_NUMERIC: return 131;
    case SQL_SMALLINT: return 2;
    case SQL_INTEGER: return 3;
    case SQL_REAL: return 4;
    case SQL_FLOAT: case SQL_DOUBLE: return 5;
    case SQL_BIT: return 11;
    case SQL_TINYINT: return 17;
    case SQL_BIGINT: return 20;
    case SQL_TYPE_DATE: return 133;
    case SQL_TYPE_TIME: return 134;
    case SQL_TYPE_TIMESTAMP: return 135;
    case SQL_GUID: return 72;
    case SQL_BINARY: return 128;
    case SQL_VARBINARY: return 204;
    case SQL_LONGVARBINARY: return 205;
    default: return 200;
    }
}

class OdbcBackend final : public Backend {
public:
    ~OdbcBackend() override { close(); }

    void open(const Target& t, int loginTimeout) override {
        close();
        SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env_);
        // Without ODBC 3 behaviour the driver manager maps SQLSTATEs to 2.x ones.
        SQLSetEnvAttr(env_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        SQLAllocHandle(SQL_HANDLE_DBC, env_, &dbc_);
        SQLSetConnectAttr(dbc_, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(SQLULEN(qMax(1, loginTimeout))), 0);
        SQLSetConnectAttr(dbc_, SQL_ATTR_CONNECTION_TIMEOUT, reinterpret_cast<SQLPOINTER>(SQLULEN(qMax(1, loginTimeout))), 0);
        SQLWCHAR out[1024];
        SQLSMALLINT outLen = 0;
        const SQLRETURN rc = SQLDriverConnectW(dbc_, nullptr, const_cast<SQLWCHAR*>(w(t.odbcString)), SQL_NTS, out,
                                               SQLSMALLINT(std::size(out)), &outLen, SQL_DRIVER_NOPROMPT);
        if (!SQL_SUCCEEDED(rc)) {
            auto items = diagnostics(SQL_HANDLE_DBC, dbc_);
            close();
            failWith(items, true);
        }
        connected_ = true;
        SQLWCHAR name[256] = {0};
        SQLSMALLINT len = 0;
        SQLGetInfoW(dbc_, SQL_DBMS_NAME, name, sizeof(name), &len);
        const QString dbms = fromW(name, len / SQLSMALLINT(sizeof(SQLWCHAR)));
        sqlServer_ = dbms.contains(QLatin1String("SQL Server"), Qt::CaseInsensitive);
        dialect_ = SqlDialect(dbms.contains(QLatin1String("PostgreSQL"), Qt::CaseInsensitive) ? SqlDialect::Engine::Postgres
                              : dbms.contains(QLatin1String("SQLite"), Qt::CaseInsensitive) ? SqlDialect::Engine::Sqlite
                                                                                              : SqlDialect::Engine::TSql);
    }

    void close() override {
        if (dbc_) {
            if (connected_) SQLDisconnect(dbc_);
            SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
        }
        if (env_) SQLFreeHandle(SQL_HANDLE_ENV, env_);
        dbc_ = env_ = nullptr;
        connected_ = false;
        inTx_ = false;
    }

    ResultSet exec(const QString& sql) override {
        SQLHSTMT st = statement();
        ResultSet rs;
        std::vector<ErrorItem> errors;
        SQLRETURN rc = SQLExecDirectW(st, const_cast<SQLWCHAR*>(w(sql)), SQL_NTS);
        // A batch answers with one result per statement; each is read, and an
        // error in a later one is reported like the first.
        for (;;) {
            if (rc == SQL_ERROR) {
                auto d = diagnostics(SQL_HANDLE_STMT, st);
                errors.insert(errors.end(), d.begin(), d.end());
            } else if (SQL_SUCCEEDED(rc)) {
                readResult(st, rs);
            }
            if (rc == SQL_NO_DATA && errors.empty() && !rs.hasRows) {
                // a searched UPDATE/DELETE that changed nothing
                if (rs.affected < 0) rs.affected = 0;
            }
            rc = SQLMoreResults(st);
            if (rc == SQL_NO_DATA) break;
            if (rc == SQL_INVALID_HANDLE) break;
        }
        SQLFreeHandle(SQL_HANDLE_STMT, st);
        if (!errors.empty()) failWith(errors, sqlServer_);
        return rs;
    }

    void begin() override {
        check(SQLSetConnectAttr(dbc_, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0));
        inTx_ = true;
    }
    void commit() override { endTran(SQL_COMMIT); }
    void rollback() override { endTran(SQL_ROLLBACK); }
    bool inTransaction() const override { return inTx_; }

    QStringList tableNames() override {
        SQLHSTMT st = statement();
        const QString types = QStringLiteral("TABLE,VIEW");
        SQLRETURN rc = SQLTablesW(st, nullptr, 0, nullptr, 0, nullptr, 0, const_cast<SQLWCHAR*>(w(types)), SQL_NTS);
        QStringList out;
        if (SQL_SUCCEEDED(rc)) {
            ResultSet rs;
            readResult(st, rs);
            for (const auto r : rs.rows)
                if (r.size() > 2) out << r[2].toText();
        }
        auto d = diagnostics(SQL_HANDLE_STMT, st);
        SQLFreeHandle(SQL_HANDLE_STMT, st);
        if (!SQL_SUCCEEDED(rc)) failWith(d, sqlServer_);
        return out;
    }

    std::vector<TableColumn> columns(const QString& table) override {
        SQLHSTMT st = statement();
        SQLRETURN rc = SQLColumnsW(st, nullptr, 0, nullptr, 0, const_cast<SQLWCHAR*>(w(table)), SQL_NTS, nullptr, 0);
        std::vector<TableColumn> out;
        if (SQL_SUCCEEDED(rc)) {
            ResultSet rs;
            readResult(st, rs);
            for (const auto r : rs.rows)
                if (r.size() > 10)
                    out.push_back({r[3].toText(), adoTypeOfSql(SQLSMALLINT(r[4].toLongLong())), long(r[6].toLongLong()),
                                   r[10].toLongLong() != 0});
        }
        auto d = diagnostics(SQL_HANDLE_STMT, st);
        SQLFreeHandle(SQL_HANDLE_STMT, st);
        if (!SQL_SUCCEEDED(rc)) failWith(d, sqlServer_);
        return out;
    }

    QStringList primaryKey(const QString& table) override {
        SQLHSTMT st = statement();
        SQLRETURN rc = SQLPrimaryKeysW(st, nullptr, 0, nullptr, 0, const_cast<SQLWCHAR*>(w(table)), SQL_NTS);
        std::vector<std::pair<qint64, QString>> keys;
        if (SQL_SUCCEEDED(rc)) {
            ResultSet rs;
            readResult(st, rs);
            for (const auto r : rs.rows)
                if (r.size() > 4) keys.emplace_back(r[4].toLongLong(), r[3].toText());
        }
        SQLFreeHandle(SQL_HANDLE_STMT, st);
        std::sort(keys.begin(), keys.end());
        QStringList out;
        for (auto& k : keys) out << k.second;
        return out;
    }

    void setCommandTimeout(int seconds) override { timeout_ = qMax(0, seconds); }
    void setIsolationLevel(int level) override {
        if (!dbc_) return;
        const SQLULEN v = level <= 256 ? SQL_TXN_READ_UNCOMMITTED : level >= 1048576 ? SQL_TXN_SERIALIZABLE
                          : level >= 65536 ? SQL_TXN_REPEATABLE_READ : SQL_TXN_READ_COMMITTED;
        SQLSetConnectAttr(dbc_, SQL_ATTR_TXN_ISOLATION, reinterpret_cast<SQLPOINTER>(v), 0);
    }
    QString currentDatabase() const override {
        if (!dbc_) return {};
        SQLWCHAR buf[256] = {0};
        SQLINTEGER len = 0;
        SQLGetConnectAttrW(dbc_, SQL_ATTR_CURRENT_CATALOG, buf, sizeof(buf), &len);
        return fromW(buf, len / SQLINTEGER(sizeof(SQLWCHAR)));
    }
    void setCurrentDatabase(const QString& name) override {
        if (!dbc_ || name.compare(currentDatabase(), Qt::CaseInsensitive) == 0) return;
        check(SQLSetConnectAttrW(dbc_, SQL_ATTR_CURRENT_CATALOG, const_cast<SQLWCHAR*>(w(name)),
                                 SQLINTEGER(name.size() * int(sizeof(SQLWCHAR)))));
    }
    const SqlDialect& dialect() const override { return dialect_; }

private:
    SQLHSTMT statement() {
        if (!connected_) failProvider(err::ConnectionInvalid, QStringLiteral("Conexión cerrada"), QStringLiteral("08003"), 0);
        SQLHSTMT st = nullptr;
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc_, &st))) failWith(diagnostics(SQL_HANDLE_DBC, dbc_), sqlServer_, true);
        // FreeTDS turns any other cursor into a server cursor that accepts one SELECT only.
        SQLSetStmtAttr(st, SQL_ATTR_CURSOR_TYPE, reinterpret_cast<SQLPOINTER>(SQL_CURSOR_FORWARD_ONLY), 0);
        SQLSetStmtAttr(st, SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(SQLULEN(timeout_)), 0);
        return st;
    }

    void check(SQLRETURN rc) {
        if (!SQL_SUCCEEDED(rc)) failWith(diagnostics(SQL_HANDLE_DBC, dbc_), sqlServer_);
    }

    void endTran(SQLSMALLINT how) {
        const SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, dbc_, how);
        SQLSetConnectAttr(dbc_, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
        inTx_ = false;
        check(rc);
    }

    void readResult(SQLHSTMT st, ResultSet& rs) {
        SQLSMALLINT ncol = 0;
        SQLNumResultCols(st, &ncol);
        if (ncol == 0) {
            SQLLEN n = -1;
            SQLRowCount(st, &n);
            if (n >= 0) rs.affected = rs.affected < 0 ? long(n) : rs.affected + long(n);
            return;
        }
        if (rs.hasRows) {   // only the first row set of a batch is returned
            while (SQL_SUCCEEDED(SQLFetch(st))) {}
            return;
        }
        rs.hasRows = true;
        for (SQLUSMALLINT c = 1; c <= SQLUSMALLINT(ncol); ++c) {
            SQLWCHAR name[256];
            SQLSMALLINT nameLen = 0, type = 0, digits = 0, nullable = 0;
            SQLULEN size = 0;
            SQLDescribeColW(st, c, name, SQLSMALLINT(std::size(name)), &nameLen, &type, &size, &digits, &nullable);
            rs.columns.push_back({fromW(name, std::min<SQLLEN>(nameLen, 255)), adoTypeOfSql(type), long(size)});
        }
        SQLRETURN rc;
        while (SQL_SUCCEEDED(rc = SQLFetch(st))) {
            std::vector<Variant> row;
            for (SQLUSMALLINT c = 1; c <= SQLUSMALLINT(ncol); ++c) row.push_back(cell(st, c, rs.columns[c - 1].adoType));
            rs.rows.push_back(std::move(row));
        }
        if (rc == SQL_ERROR) failWith(diagnostics(SQL_HANDLE_STMT, st), sqlServer_);
    }

    static Variant cell(SQLHSTMT st, SQLUSMALLINT c, int adoType) {
        QString text;
        SQLWCHAR buf[2048];
        for (;;) {
            SQLLEN ind = 0;
            const SQLRETURN rc = SQLGetData(st, c, SQL_C_WCHAR, buf, sizeof(buf), &ind);
            if (rc == SQL_NO_DATA) break;
            if (!SQL_SUCCEEDED(rc)) break;
            if (ind == SQL_NULL_DATA) return Variant::null();
            const SQLLEN avail = (ind == SQL_NO_TOTAL || ind >= SQLLEN(sizeof(buf))) ? SQLLEN(std::size(buf)) - 1
                                                                                   : ind / SQLLEN(sizeof(SQLWCHAR));
            text += fromW(buf, avail);
            if (rc == SQL_SUCCESS) break;
        }
        switch (adoType) {
        case 11: return Variant(text == QLatin1String("1") || text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0);
        case 2: case 3: case 17: case 20: return Variant(static_cast<long long>(text.toLongLong()));
        case 4: case 5: case 6: case 131: return Variant(text.toDouble());
        case 133: case 135: {
            const QDateTime d = Variant(text).toDateTime();
            return d.isValid() ? Variant(d) : Variant(text);
        }
        default: return Variant(text);
        }
    }

    SQLHENV env_ = nullptr;
    SQLHDBC dbc_ = nullptr;
    bool connected_ = false;
    bool sqlServer_ = true;
    bool inTx_ = false;
    int timeout_ = 30;
    SqlDialect dialect_{SqlDialect::Engine::TSql};
};

} // namespace

bool odbcDataSourceExists(const QString& name) {
    if (name.trimmed().isEmpty()) return false;
    SQLHENV env = nullptr;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) return false;
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    bool found = false;
    SQLUSMALLINT dir = SQL_FETCH_FIRST;
    SQLWCHAR dsn[SQL_MAX_DSN_LENGTH + 1], desc[512];
    SQLSMALLINT dl = 0, ll = 0;
    while (!found && SQL_SUCCEEDED(SQLDataSourcesW(env, dir, dsn, SQLSMALLINT(std::size(dsn)), &dl, desc,
                                                   SQLSMALLINT(std::size(desc)), &ll))) {
        found = fromW(dsn, dl).compare(name, Qt::CaseInsensitive) == 0;
        dir = SQL_FETCH_NEXT;
    }
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    return found;
}

std::unique_ptr<Backend> makeOdbcBackend() { return std::make_unique<OdbcBackend>(); }

} // namespace ado
