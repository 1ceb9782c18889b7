#include "platform/ado/Connection.h"
#include "platform/ProgramFolder.h"
#include "platform/ado/Recordset.h"

namespace ado {

namespace {
std::function<void(const QString&)> gObservador;

// The client libraries take statements as C strings: a NUL would cut the
// statement short and send the engine something else than was written.
void refuseNul(const QString& sql) {
    if (sql.contains(QChar(0)))
        raise(err::CommandTextError, QStringLiteral("El texto contiene un carácter nulo y no se puede enviar a la base de datos."),
              QStringLiteral("Connection"));
}
} // namespace

void setObservadorSentencias(std::function<void(const QString&)> f) { gObservador = std::move(f); }

Connection::Connection() = default;
Connection::~Connection() = default;

int Connection::State() const { return backend_ ? ad::StateOpen : ad::StateClosed; }

Backend& Connection::backend() {
    if (!backend_)
        raise(err::ConnectionInvalid, QStringLiteral("La conexión no se puede usar para realizar esta operación. "
                                                     "Está cerrada o no es válida en este contexto."));
    return *backend_;
}

void Connection::raiseProvider(const std::vector<ProviderFailure>& failures) {
    errors_.Clear();
    for (const auto& f : failures)
        for (const auto& it : f.items) errors_.Add(it);
    const ProviderFailure& first = failures.front();
    raise(first.connectionLost ? err::Unspecified : first.adoNumber, first.items.front().Description,
          first.items.front().Source);
}

void Connection::Open(const QString& cs, const QString& user, const QString& password, int) {
    if (backend_)
        raise(err::ObjectOpen, QStringLiteral("No se permite realizar esta operación si el objeto está abierto."));
    if (!cs.isEmpty()) ConnectionString = cs;
    const Target t = resolveTarget(ConnectionString, user, password, programFolder(), ConnectionTimeout);
    std::unique_ptr<Backend> b;
    switch (t.engine) {
    case Target::Engine::Sqlite: b = makeSqliteBackend(); break;
    case Target::Engine::Postgres: b = makePgBackend(); break;
    case Target::Engine::Odbc: b = makeOdbcBackend(); break;
    default: {
        ProviderFailure f;
        f.adoNumber = err::ProviderNotFound;
        f.items.push_back({err::ProviderNotFound, t.error.isEmpty() ? QStringLiteral("Cadena de conexión no válida") : t.error,
                           QStringLiteral("08001"), 0, QStringLiteral("ADODB.Connection")});
        raiseProvider({f});
    }
    }
    try {
        b->open(t, ConnectionTimeout);
    } catch (const ProviderError& e) {
        raiseProvider({e.failure()});
    }
    backend_ = std::move(b);
    defaultDb_ = t.database;
    try {
        backend_->setCommandTimeout(CommandTimeout);
        if (isolation_ != ad::XactReadCommitted) backend_->setIsolationLevel(isolation_);
    } catch (const ProviderError& e) {
        raiseProvider({e.failure()});
    }
}

void Connection::Close() {
    if (!backend_)
        raise(err::ObjectClosed, QStringLiteral("No se permite realizar esta operación si el objeto está cerrado."));
    backend_->close();
    backend_.reset();
}

void Connection::applyTimeout() { backend().setCommandTimeout(CommandTimeout); }

ResultSet Connection::run(const QString& tsql, bool firstRowsOnly) {
    Backend& b = backend();
    // The collection describes the last statement run, so that a caller that
    // reads it after a success never sees an earlier failure.
    errors_.Clear();
    if (gObservador) gObservador(tsql);
    refuseNul(tsql);
    std::vector<ProviderFailure> failures;
    ResultSet out;
    try {
        applyTimeout();
    } catch (const ProviderError& e) {
        raiseProvider({e.failure()});
    }
    const auto statements = b.dialect().translate(tsql);
    for (const NativeStatement& st : statements) {
        try {
            switch (st.kind) {
            case NativeStatement::Kind::Begin: b.begin(); break;
            case NativeStatement::Kind::Commit: b.commit(); break;
            case NativeStatement::Kind::Rollback: b.rollback(); break;
            case NativeStatement::Kind::Sql: {
                ResultSet r = b.exec(st.text);
                if (r.hasRows && !out.hasRows) {
                    const long affected = out.affected;
                    out = std::move(r);
                    out.affected = affected;
                } else if (r.affected >= 0) {
                    out.affected = out.affected < 0 ? r.affected : out.affected + r.affected;
                }
                break;
            }
            }
        } catch (const ProviderError& e) {
            failures.push_back(e.failure());
            // SQL Server goes on with a batch after a statement fails; an engine
            // whose failed transaction refuses every later statement, or a lost
            // connection, ends it here.
            if (e.failure().connectionLost || firstRowsOnly ||
                (b.dialect().engine() == SqlDialect::Engine::Postgres && b.inTransaction()))
                break;
        }
    }
    if (!failures.empty()) raiseProvider(failures);
    return out;
}

ResultSet Connection::runNative(const QString& sql) {
    refuseNul(sql);
    try {
        applyTimeout();
        return backend().exec(sql);
    } catch (const ProviderError& e) {
        raiseProvider({e.failure()});
    }
}

void Connection::Execute(const QString& sql, long* affected, int, Recordset* into) {
    ResultSet r = run(sql, false);
    if (affected) *affected = r.affected < 0 ? 0 : r.affected;
    if (into) {
        if (into->State() == ad::StateOpen) into->Close();
        if (r.hasRows) into->assign(std::move(r), this, sql);
    }
}

void Connection::ExecuteScript(const QString& script) {
    // Schema scripts are written for their engine: comment lines are dropped
    // and statements end with ";" (a trigger's body keeps its own).
    QString text;
    for (const QString& line : script.split(u'\n'))
        if (!line.trimmed().startsWith(QLatin1String("--"))) text += line + u'\n';
    QStringList pieces;
    QString cur;
    bool quote = false;
    for (QChar c : text) {
        if (c == u'\'') quote = !quote;
        if (c == u';' && !quote) {
            pieces << cur;
            cur.clear();
            continue;
        }
        cur += c;
    }
    pieces << cur;
    QString pending;
    for (const QString& p : pieces) {
        pending += pending.isEmpty() ? p : u';' + p;
        const QString up = pending.toUpper();
        if (up.contains(QLatin1String("CREATE TRIGGER")) && !up.trimmed().endsWith(QLatin1String("END"))) continue;
        if (!pending.trimmed().isEmpty()) runNative(pending);
        pending.clear();
    }
    if (!pending.trimmed().isEmpty()) runNative(pending);
}

long Connection::BeginTrans() {
    try {
        backend().begin();
    } catch (const ProviderError& e) {
        raiseProvider({e.failure()});
    }
    return 1;
}

void Connection::CommitTrans() {
    try {
        backend().commit();
    } catch (const ProviderError& e) {
        raiseProvider({e.failure()});
    }
}

void Connection::RollbackTrans() {
    try {
        backend().rollback();
    } catch (const ProviderError& e) {
        raiseProvider({e.failure()});
    }
}

bool Connection::inTransaction() const { return backend_ && backend_->inTransaction(); }

QString Connection::DefaultDatabase() const {
    if (backend_) {
        const QString cur = backend_->currentDatabase();
        if (!cur.isEmpty()) return cur;
    }
    return defaultDb_;
}

void Connection::setDefaultDatabase(const QString& name) {
    try {
        backend().setCurrentDatabase(name);
    } catch (const ProviderError& e) {
        raiseProvider({e.failure()});
    }
    defaultDb_ = name;
}

void Connection::setIsolationLevel(int level) {
    isolation_ = level;
    if (!backend_) return;
    try {
        backend_->setIsolationLevel(level);
    } catch (const ProviderError& e) {
        raiseProvider({e.failure()});
    }
}

QStringList Connection::primaryKey(const QString& table) {
    try {
        return backend().primaryKey(table);
    } catch (const ProviderError& e) {
        raiseProvider({e.failure()});
    }
}

const SqlDialect& Connection::dialect() const {
    static const SqlDialect none(SqlDialect::Engine::TSql);
    return backend_ ? backend_->dialect() : none;
}

void Connection::OpenSchema(int schema, Recordset& into, const QString& table) {
    ResultSet rs;
    rs.hasRows = true;
    const QString db = DefaultDatabase();
    try {
        if (schema == ad::SchemaTables) {
            rs.columns = {{QStringLiteral("TABLE_CATALOG"), 200, 128}, {QStringLiteral("TABLE_SCHEMA"), 200, 128},
                          {QStringLiteral("TABLE_NAME"), 200, 128}, {QStringLiteral("TABLE_TYPE"), 200, 32}};
            for (const QString& t : backend().tableNames())
                rs.rows.push_back({Variant(db), Variant(QStringLiteral("dbo")), Variant(t), Variant(QStringLiteral("TABLE"))});
        } else if (schema == ad::SchemaColumns) {
            rs.columns = {{QStringLiteral("TABLE_CATALOG"), 200, 128}, {QStringLiteral("TABLE_SCHEMA"), 200, 128},
                          {QStringLiteral("TABLE_NAME"), 200, 128}, {QStringLiteral("COLUMN_NAME"), 200, 128},
                          {QStringLiteral("DATA_TYPE"), 2, 2}, {QStringLiteral("CHARACTER_MAXIMUM_LENGTH"), 3, 4},
                          {QStringLiteral("IS_NULLABLE"), 11, 2}};
            for (const TableColumn& c : backend().columns(table))
                rs.rows.push_back({Variant(db), Variant(QStringLiteral("dbo")), Variant(table), Variant(c.name),
                                   Variant(c.adoType), Variant(static_cast<long long>(c.definedSize)), Variant(c.nullable)});
        } else {
            raise(err::ArgumentsWrong, QStringLiteral("Esquema no admitido"));
        }
    } catch (const ProviderError& e) {
        raiseProvider({e.failure()});
    }
    if (into.State() == ad::StateOpen) into.Close();
    into.assign(std::move(rs), this, QStringLiteral("OpenSchema"));
}

} // namespace ado
