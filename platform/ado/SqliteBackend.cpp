// GCC 12 takes the text inside a moved Variant for possibly uninitialized (a
// false positive of std::variant moves, reported at Qt's header): every cell
// is set before it is moved.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include "platform/ado/Backend.h"
#include "platform/ado/StatementCache.h"
#include <QElapsedTimer>
#include <QFileInfo>
#include <climits>
#include <sqlite3.h>

namespace ado {
namespace {

class SqliteBackend final : public Backend {
public:
    ~SqliteBackend() override { close(); }

    void open(const Target& t, int) override {
        close();
        if (t.sqliteFile.isEmpty())
            failProvider(err::Unspecified, QStringLiteral("No se indicó el archivo de base de datos."), QStringLiteral("3044"), 3044);
        if (!QFileInfo(t.sqliteFile).isFile())
            failProvider(err::Unspecified,
                         QStringLiteral("No se encuentra el archivo de base de datos '%1'.").arg(t.sqliteFile),
                         QStringLiteral("3024"), 3024);
        sqlite3* db = nullptr;
        // A connection is only ever used by the thread that opened it: no
        // mutex around each call (three per cell read otherwise).
        const int rc = sqlite3_open_v2(t.sqliteFile.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        if (rc != SQLITE_OK) {
            const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
            sqlite3_close(db);
            failProvider(err::Unspecified, QStringLiteral("No se puede abrir '%1': %2").arg(t.sqliteFile, msg),
                         QStringLiteral("3051"), 3051);
        }
        db_ = db;
        name_ = QFileInfo(t.sqliteFile).completeBaseName();
        setCommandTimeout(30);
        try {
            exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));   // fails at once for a file that is no database
            exec(QStringLiteral("PRAGMA foreign_keys=ON"));
        } catch (...) {
            close();
            throw;
        }
        // WAL lets readers and one writer of several workstations work at once;
        // a read-only file keeps its journal mode.
        sqlite3_exec(db_, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
        sqlite3_exec(db_, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
    }

    void close() override {
        kept_.clear();
        if (db_) sqlite3_close_v2(db_);
        db_ = nullptr;
    }

    ResultSet exec(const QString& sql) override {
        ResultSet rs;
        const QByteArray utf8 = sql.toUtf8();
        if (utf8.size() <= 4096 && runKept(utf8, rs)) return rs;
        const char* tail = utf8.constData();
        const char* end = tail + utf8.size();
        while (tail && tail < end) {
            sqlite3_stmt* st = nullptr;
            const char* next = nullptr;
            int rc = sqlite3_prepare_v2(db_, tail, int(end - tail), &st, &next);
            if (rc != SQLITE_OK) fail(rc);
            tail = next;
            if (!st) continue;   // blanks or a comment
            Finalizer done{st};
            runStatement(st, rs);
        }
        return rs;
    }

    void begin() override { exec(QStringLiteral("BEGIN IMMEDIATE")); }
    void commit() override { exec(QStringLiteral("COMMIT")); }
    void rollback() override { exec(QStringLiteral("ROLLBACK")); }
    bool inTransaction() const override { return db_ && !sqlite3_get_autocommit(db_); }

    QStringList tableNames() override {
        QStringList out;
        for (const auto& r : exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table','view') "
                                                 "AND name NOT LIKE 'sqlite_%' ORDER BY name")).rows)
            out << r[0].toText();
        return out;
    }

    std::vector<TableColumn> columns(const QString& table) override {
        std::vector<TableColumn> out;
        for (const auto& r : exec(QStringLiteral("PRAGMA table_info(%1)").arg(dialect_.quoteIdent(table))).rows) {
            auto [type, size] = adoTypeFromDecl(r[2].toText());
            out.push_back({r[1].toText(), type, size, r[3].toLongLong() == 0});
        }
        return out;
    }

    QStringList primaryKey(const QString& table) override {
        std::vector<std::pair<qint64, QString>> keys;
        for (const auto& r : exec(QStringLiteral("PRAGMA table_info(%1)").arg(dialect_.quoteIdent(table))).rows)
            if (r[5].toLongLong() > 0) keys.emplace_back(r[5].toLongLong(), r[1].toText());
        std::sort(keys.begin(), keys.end());
        QStringList out;
        for (auto& k : keys) out << k.second;
        return out;
    }

    void setCommandTimeout(int seconds) override {
        timeoutMs_ = seconds <= 0 ? INT_MAX : seconds * 1000;
        if (db_) sqlite3_busy_timeout(db_, timeoutMs_);
    }
    void setIsolationLevel(int) override {}
    QString currentDatabase() const override { return name_; }
    void setCurrentDatabase(const QString&) override {}
    const SqlDialect& dialect() const override { return dialect_; }

private:
    struct Finalizer {
        sqlite3_stmt* st;
        ~Finalizer() { sqlite3_finalize(st); }
    };

    // A SELECT with its compared texts as parameters, on a statement prepared
    // once for its words. False when it does not apply (the text then runs as
    // written, which also gives the engine's own message for a faulty one).
    bool runKept(const QByteArray& utf8, ResultSet& rs) {
        ParameterizedSelect p = parameterizeSelect(utf8);
        if (p.text.isEmpty()) return false;
        sqlite3_stmt* st = kept_.take(p.text);
        if (!st) {
            const char* tail = nullptr;
            const int rc = sqlite3_prepare_v3(db_, p.text.constData(), int(p.text.size()), SQLITE_PREPARE_PERSISTENT, &st, &tail);
            if (rc != SQLITE_OK || !st || tail != p.text.constData() + p.text.size()) {
                sqlite3_finalize(st);
                return false;
            }
        }
        for (size_t i = 0; i < p.values.size(); ++i)
            sqlite3_bind_text(st, int(i) + 1, p.values[i].constData(), int(p.values[i].size()), SQLITE_STATIC);
        try {
            runStatement(st, rs);
        } catch (...) {
            sqlite3_finalize(st);   // the message was read before: the next read prepares anew
            throw;
        }
        kept_.give(std::move(p.text), st);   // unbinds the values before they go
        return true;
    }

    void runStatement(sqlite3_stmt* st, ResultSet& rs) {
        const sqlite3_int64 before = sqlite3_total_changes64(db_);
        // The columns are read after the first step: a kept statement whose
        // table has changed is prepared again there, with today's columns.
        int rc = sqlite3_step(st);
        const int ncol = sqlite3_column_count(st);
        const bool first = ncol > 0 && !rs.hasRows;
        if (first) {
            rs.hasRows = true;
            for (int c = 0; c < ncol; ++c) {
                const char* decl = sqlite3_column_decltype(st, c);
                const auto [type, size] = adoTypeFromDecl(decl ? QString::fromUtf8(decl) : QString());
                rs.columns.push_back({QString::fromUtf8(sqlite3_column_name(st, c)), type, size});
            }
            rs.rows.setWidth(size_t(ncol));
        }
        bool typed = !first;
        for (; rc == SQLITE_ROW; rc = sqlite3_step(st)) {
            if (!first) continue;   // later row sets of one text are not returned
            for (int c = 0; c < ncol; ++c) addValue(st, c, rs.columns[size_t(c)], rs.rows);
            if (!typed) {
                // A computed column has no declared type: take it from the value.
                for (int c = 0; c < ncol; ++c)
                    if (!sqlite3_column_decltype(st, c)) rs.columns[size_t(c)].adoType = typeOfValue(sqlite3_column_type(st, c));
                typed = true;
            }
        }
        if (rc != SQLITE_DONE) fail(rc);
        if (ncol == 0 && !sqlite3_stmt_readonly(st)) {
            const long changed = long(sqlite3_total_changes64(db_) - before);
            rs.affected = rs.affected < 0 ? changed : rs.affected + changed;
        }
    }

    static int typeOfValue(int t) {
        switch (t) {
        case SQLITE_INTEGER: return 3;
        case SQLITE_FLOAT: return 5;
        case SQLITE_BLOB: return 205;
        default: return 200;
        }
    }

    static void addValue(sqlite3_stmt* st, int c, const ColumnInfo& col, RowTable& rows) {
        // The cell read through its value: each sqlite3_column_* call checks
        // the statement and the connection again, three times a cell. The
        // value is one the documentation calls unprotected, safe only while a
        // single thread uses the connection, which is so for each of ours.
        sqlite3_value* v = sqlite3_column_value(st, c);
        switch (sqlite3_value_type(v)) {
        case SQLITE_NULL: rows.addCell(Variant::null()); return;
        case SQLITE_INTEGER: {
            const qint64 i = sqlite3_value_int64(v);
            if (col.adoType == 11) rows.addCell(Variant(i != 0));
            else rows.addCell(Variant(static_cast<long long>(i)));
            return;
        }
        case SQLITE_FLOAT: rows.addCell(Variant(sqlite3_value_double(v))); return;
        default: {
            const char* utf8 = reinterpret_cast<const char*>(sqlite3_value_text(v));
            const int n = sqlite3_value_bytes(v);
            const bool fecha = col.adoType == 135 || col.adoType == 133, numero = col.adoType == 131 || col.adoType == 6 || col.adoType == 5;
            if (!fecha && !numero) return rows.addText(utf8, n);
            QString text = QString::fromUtf8(utf8, n);
            if (fecha) {
                const QDateTime d = Variant(text).toDateTime();
                if (d.isValid()) return rows.addCell(Variant(d));
            } else {
                bool ok = false;
                const double d = text.toDouble(&ok);
                if (ok) return rows.addCell(Variant(d));
            }
            rows.addCell(Variant(std::move(text)));
        }
        }
    }

    [[noreturn]] void fail(int rc) {
        const int ext = sqlite3_extended_errcode(db_);
        const QString msg = QString::fromUtf8(sqlite3_errmsg(db_));
        ErrorItem item;
        item.Description = QStringLiteral("[SQLite] ") + msg;
        item.Source = QStringLiteral("SQLite");
        long ado = err::Unspecified;
        auto set = [&](const char* state, long native, long number) {
            item.SQLState = QString::fromLatin1(state);
            item.NativeError = native;
            ado = number;
        };
        switch (ext) {
        case SQLITE_CONSTRAINT_PRIMARYKEY:
        case SQLITE_CONSTRAINT_UNIQUE: set("23000", native::DuplicateKey, err::IntegrityViolation); break;
        case SQLITE_CONSTRAINT_FOREIGNKEY: set("23000", native::Constraint, err::IntegrityViolation); break;
        case SQLITE_CONSTRAINT_NOTNULL: set("23000", 515, err::IntegrityViolation); break;
        case SQLITE_CONSTRAINT_CHECK:
            // Text columns carry CHECK(length(c) <= n) for their declared size.
            if (msg.contains(QLatin1String("length("), Qt::CaseInsensitive)) set("22001", native::Truncation, err::Truncation);
            else set("23000", native::Constraint, err::IntegrityViolation);
            break;
        default:
            switch (rc & 0xFF) {
            case SQLITE_ERROR:
                if (msg.startsWith(QLatin1String("no such table"))) set("42S02", native::NoSuchObject, err::NoSuchTable);
                else if (msg.startsWith(QLatin1String("no such column"))) set("42S22", native::InvalidColumn, err::CommandTextError);
                else set("42000", native::Syntax, err::CommandTextError);
                break;
            case SQLITE_CONSTRAINT: set("23000", native::Constraint, err::IntegrityViolation); break;
            case SQLITE_BUSY:
            case SQLITE_LOCKED: set("HYT00", 1222, err::Unspecified); break;
            case SQLITE_READONLY: set("42000", 3906, err::Unspecified); break;
            case SQLITE_FULL: set("42000", 1105, err::Unspecified); break;
            case SQLITE_INTERRUPT: set("HYT00", native::Timeout, err::Timeout); break;
            default: set("HY000", rc, err::Unspecified); break;
            }
        }
        item.Number = ado;
        ProviderFailure f;
        f.adoNumber = ado;
        f.items.push_back(item);
        throw ProviderError(std::move(f));
    }

    sqlite3* db_ = nullptr;
    StatementCache kept_;
    QString name_;
    int timeoutMs_ = 30000;
    SqlDialect dialect_{SqlDialect::Engine::Sqlite};
};

} // namespace

std::unique_ptr<Backend> makeSqliteBackend() { return std::make_unique<SqliteBackend>(); }

} // namespace ado
