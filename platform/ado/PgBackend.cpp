// GCC 12 takes the text inside a moved Variant for possibly uninitialized (a
// false positive of std::variant moves, reported at Qt's header): every cell
// is set before it is moved.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include "platform/ado/Backend.h"
#include <QHash>
#include <libpq-fe.h>

namespace ado {
namespace {

// Type OIDs of the built-in types the schema uses.
enum : Oid { BOOLOID = 16, INT8OID = 20, INT2OID = 21, INT4OID = 23, TEXTOID = 25, FLOAT4OID = 700, FLOAT8OID = 701,
             BPCHAROID = 1042, VARCHAROID = 1043, DATEOID = 1082, TIMEOID = 1083, TIMESTAMPOID = 1114,
             TIMESTAMPTZOID = 1184, NUMERICOID = 1700 };

class PgBackend final : public Backend {
public:
    ~PgBackend() override { close(); }

    void open(const Target& t, int) override {
        close();
        QList<QByteArray> keys, values;
        const QStringList parts = t.pgConninfo.split(QChar(0x1F));
        for (int i = 0; i + 1 < parts.size(); i += 2) {
            keys << parts[i].toUtf8();
            values << parts[i + 1].toUtf8();
        }
        if (!t.password.isEmpty()) {
            keys << QByteArrayLiteral("password");
            values << t.password.toUtf8();
        }
        std::vector<const char*> k, v;
        for (int i = 0; i < keys.size(); ++i) {
            k.push_back(keys[i].constData());
            v.push_back(values[i].constData());
        }
        k.push_back(nullptr);
        v.push_back(nullptr);
        PGconn* c = PQconnectdbParams(k.data(), v.data(), 0);
        if (!c || PQstatus(c) != CONNECTION_OK) {
            const QString msg = c ? QString::fromUtf8(PQerrorMessage(c)).trimmed() : QStringLiteral("out of memory");
            PQfinish(c);
            const bool auth = msg.contains(QLatin1String("authentication"), Qt::CaseInsensitive) ||
                              msg.contains(QLatin1String("role"), Qt::CaseInsensitive);
            const bool nodb = msg.contains(QLatin1String("database"), Qt::CaseInsensitive) &&
                              msg.contains(QLatin1String("does not exist"), Qt::CaseInsensitive);
            failProvider(err::Unspecified, QStringLiteral("[PostgreSQL] ") + msg,
                         auth ? QStringLiteral("28000") : nodb ? QStringLiteral("3D000") : QStringLiteral("08001"),
                         auth ? native::LoginFailed : nodb ? 4060 : 17);
        }
        conn_ = c;
        PQsetNoticeProcessor(conn_, [](void*, const char*) {}, nullptr);
        exec(QStringLiteral("SET client_encoding TO 'UTF8'"));
        const ResultSet r = exec(QStringLiteral("SELECT oid FROM pg_type WHERE typname = 'citext'"));
        citext_ = r.rows.empty() ? 0 : Oid(r.rows[0][0].toLongLong());
        timeout_ = -1;
        setCommandTimeout(30);
    }

    void close() override {
        if (conn_) PQfinish(conn_);
        conn_ = nullptr;
        domains_.clear();
    }

    ResultSet exec(const QString& sql) override {
        if (!conn_) failProvider(err::ConnectionInvalid, QStringLiteral("Conexión cerrada"), QStringLiteral("08003"), 0);
        PGresult* res = PQexec(conn_, sql.toUtf8().constData());
        ResultSet rs;
        const ExecStatusType st = res ? PQresultStatus(res) : PGRES_FATAL_ERROR;
        if (st == PGRES_TUPLES_OK) {
            fill(res, rs);
        } else if (st == PGRES_COMMAND_OK) {
            const char* n = PQcmdTuples(res);
            rs.affected = (n && *n) ? atol(n) : -1;
        } else if (st != PGRES_EMPTY_QUERY) {
            fail(res);
        }
        PQclear(res);
        return rs;
    }

    void begin() override { exec(QStringLiteral("BEGIN")); }
    void commit() override { exec(QStringLiteral("COMMIT")); }
    void rollback() override { exec(QStringLiteral("ROLLBACK")); }
    bool inTransaction() const override { return conn_ && PQtransactionStatus(conn_) != PQTRANS_IDLE; }

    QStringList tableNames() override {
        QStringList out;
        for (const auto& r : exec(QStringLiteral("SELECT table_name FROM information_schema.tables "
                                                 "WHERE table_schema = current_schema() ORDER BY table_name")).rows)
            out << r[0].toText();
        return out;
    }

    std::vector<TableColumn> columns(const QString& table) override {
        std::vector<TableColumn> out;
        const QString sql = QStringLiteral(
            "SELECT column_name, coalesce(domain_name, data_type), character_maximum_length, is_nullable "
            "FROM information_schema.columns WHERE table_schema = current_schema() AND table_name = %1 "
            "ORDER BY ordinal_position").arg(sqlQuote(table.toLower()));
        for (const auto& r : exec(sql).rows) {
            auto [type, size] = adoTypeFromDecl(r[1].toText());
            if (!r[2].isNull()) size = long(r[2].toLongLong());
            out.push_back({r[0].toText(), type, size, r[3].toText() == QLatin1String("YES")});
        }
        return out;
    }

    QStringList primaryKey(const QString& table) override {
        const QString sql = QStringLiteral(
            "SELECT a.attname FROM pg_index i JOIN pg_attribute a ON a.attrelid = i.indrelid AND a.attnum = ANY(i.indkey) "
            "WHERE i.indrelid = to_regclass(%1) AND i.indisprimary ORDER BY array_position(i.indkey, a.attnum)")
                                .arg(sqlQuote(table.toLower()));
        QStringList out;
        for (const auto& r : exec(sql).rows) out << r[0].toText();
        return out;
    }

    void setCommandTimeout(int seconds) override {
        if (!conn_ || seconds == timeout_) return;
        exec(QStringLiteral("SET statement_timeout = %1").arg(qint64(qMax(0, seconds)) * 1000));
        timeout_ = seconds;
    }

    void setIsolationLevel(int level) override {
        if (!conn_) return;
        const char* name = level <= 256 ? "READ UNCOMMITTED" : level >= 1048576 ? "SERIALIZABLE"
                           : level >= 65536 ? "REPEATABLE READ" : "READ COMMITTED";
        exec(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION ISOLATION LEVEL ") + QLatin1String(name));
    }

    QString currentDatabase() const override { return conn_ ? QString::fromUtf8(PQdb(conn_)) : QString(); }
    void setCurrentDatabase(const QString& name) override {
        // A PostgreSQL session cannot change its database.
        if (conn_ && name.compare(currentDatabase(), Qt::CaseInsensitive) != 0)
            failProvider(err::Unspecified,
                         QStringLiteral("[PostgreSQL] No se puede cambiar a la base de datos '%1' en esta conexión.").arg(name),
                         QStringLiteral("3D000"), 4060);
    }
    const SqlDialect& dialect() const override { return dialect_; }

private:
    // Declared size of a column of the result, from the table it comes from.
    long domainSize(PGresult* res, int c) {
        const Oid table = PQftable(res, c);
        const int col = PQftablecol(res, c);
        if (table == InvalidOid || col <= 0) return 0;
        if (!domains_.contains(table)) {
            QHash<int, long> sizes;
            PGresult* r = PQexec(conn_, QStringLiteral("SELECT a.attnum, t.typname, a.atttypmod FROM pg_attribute a "
                                                       "JOIN pg_type t ON t.oid = a.atttypid WHERE a.attrelid = %1 AND a.attnum > 0")
                                            .arg(table).toUtf8().constData());
            if (PQresultStatus(r) == PGRES_TUPLES_OK)
                for (int i = 0; i < PQntuples(r); ++i) {
                    auto [type, size] = adoTypeFromDecl(QString::fromUtf8(PQgetvalue(r, i, 1)));
                    const long mod = atol(PQgetvalue(r, i, 2));
                    sizes.insert(atoi(PQgetvalue(r, i, 0)), mod > 4 ? mod - 4 : size);
                }
            PQclear(r);
            domains_.insert(table, sizes);
        }
        return domains_.value(table).value(col, 0);
    }

    std::pair<int, long> columnType(PGresult* res, int c) {
        const Oid t = PQftype(res, c);
        const int mod = PQfmod(res, c);
        switch (t) {
        case BOOLOID: return {11, 2};
        case INT8OID: return {20, 8};
        case INT2OID: return {2, 2};
        case INT4OID: return {3, 4};
        case FLOAT4OID: return {4, 4};
        case FLOAT8OID: return {5, 8};
        case NUMERICOID: return {131, 19};
        case TEXTOID: return {201, 2147483647};
        case BPCHAROID: return {129, mod > 4 ? mod - 4 : 1};
        case VARCHAROID: return {200, mod > 4 ? mod - 4 : domainSize(res, c)};
        case DATEOID: return {133, 6};
        case TIMEOID: return {134, 6};
        case TIMESTAMPOID:
        case TIMESTAMPTZOID: return {135, 16};
        default:
            if (t == citext_) return {200, domainSize(res, c)};
            return {200, 0};
        }
    }

    void fill(PGresult* res, ResultSet& rs) {
        rs.hasRows = true;
        const int nf = PQnfields(res), nt = PQntuples(res);
        for (int c = 0; c < nf; ++c) {
            auto [type, size] = columnType(res, c);
            rs.columns.push_back({QString::fromUtf8(PQfname(res, c)), type, size});
        }
        rs.rows.setWidth(size_t(nf));
        rs.rows.reserve(size_t(nt));
        RowTable& cells = rs.rows;   // row after row
        for (int r = 0; r < nt; ++r) {
            for (int c = 0; c < nf; ++c) {
                if (PQgetisnull(res, r, c)) { cells.addCell(Variant::null()); continue; }
                const char* v = PQgetvalue(res, r, c);
                switch (rs.columns[size_t(c)].adoType) {
                case 11: cells.addCell(Variant(v[0] == 't')); break;
                case 2: case 3: case 20: cells.addCell(Variant(static_cast<long long>(atoll(v)))); break;
                case 4: case 5: case 131: cells.addCell(Variant(QByteArray(v).toDouble())); break;
                case 133: case 135: {
                    const QDateTime d = Variant(QString::fromUtf8(v)).toDateTime();
                    cells.addCell(d.isValid() ? Variant(d) : Variant(QString::fromUtf8(v)));
                    break;
                }
                default: cells.addText(v, PQgetlength(res, r, c));
                }
            }
        }
    }

    [[noreturn]] void fail(PGresult* res) {
        const bool lost = PQstatus(conn_) != CONNECTION_OK;
        QString state = res ? QString::fromUtf8(PQresultErrorField(res, PG_DIAG_SQLSTATE)) : QString();
        QString msg = res ? QString::fromUtf8(PQresultErrorField(res, PG_DIAG_MESSAGE_PRIMARY)) : QString();
        if (msg.isEmpty()) msg = QString::fromUtf8(PQerrorMessage(conn_)).trimmed();
        PQclear(res);
        ErrorItem item;
        item.Description = QStringLiteral("[PostgreSQL] ") + msg;
        item.Source = QStringLiteral("PostgreSQL");
        long ado = err::Unspecified;
        if (lost) {
            item.SQLState = QStringLiteral("08S01");
            item.NativeError = 10054;
        } else {
            mapSqlState(state, msg, item, ado);
        }
        item.Number = ado;
        ProviderFailure f;
        f.adoNumber = ado;
        f.connectionLost = lost;
        f.items.push_back(item);
        throw ProviderError(std::move(f));
    }

    PGconn* conn_ = nullptr;
    Oid citext_ = 0;
    int timeout_ = -1;
    QHash<Oid, QHash<int, long>> domains_;
    SqlDialect dialect_{SqlDialect::Engine::Postgres};
};

} // namespace

std::unique_ptr<Backend> makePgBackend() { return std::make_unique<PgBackend>(); }

} // namespace ado
