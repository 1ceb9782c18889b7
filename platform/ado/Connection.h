#pragma once
#include <functional>
#include "platform/ado/Backend.h"
#include "platform/ado/Errors.h"
#include <QString>
#include <memory>

namespace ado {

class Recordset;

// ADO's constants that callers pass.
namespace ad {
constexpr int StateClosed = 0, StateOpen = 1;
constexpr int UseServer = 2, UseClient = 3;
constexpr int OpenForwardOnly = 0, OpenKeyset = 1, OpenDynamic = 2, OpenStatic = 3;
constexpr int LockReadOnly = 1, LockPessimistic = 2, LockOptimistic = 3, LockBatchOptimistic = 4;
constexpr int XactReadUncommitted = 256, XactReadCommitted = 4096;
constexpr int SchemaColumns = 4, SchemaTables = 20;
constexpr int EditNone = 0, EditInProgress = 1, EditAdd = 2;
}

// The stand-in for ADO's Connection: opens the engine the connection string
// leads to (see resolveTarget), runs T-SQL through that engine's dialect and
// reports failures in ADO's terms, with the provider's errors in Errors().
// Sees every T-SQL text a connection runs, before translation (for the
// tests that check what the program sends).
void setObservadorSentencias(std::function<void(const QString&)> f);

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    QString ConnectionString;
    int CommandTimeout = 30;
    int ConnectionTimeout = 15;
    int CursorLocation = ad::UseServer;

    void Open(const QString& connectionString = {}, const QString& user = {}, const QString& password = {},
              int options = -1);
    void Close();
    int State() const;

    // Runs a statement or a batch. The first row set, if any, goes to `into`
    // (closed when the text returns none); `affected` receives the rows changed.
    void Execute(const QString& sql, long* affected = nullptr, int options = -1, Recordset* into = nullptr);

    long BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool inTransaction() const;

    QString DefaultDatabase() const;
    void setDefaultDatabase(const QString& name);
    int IsolationLevel() const { return isolation_; }
    void setIsolationLevel(int level);

    Errors& errors() { return errors_; }
    const Errors& errors() const { return errors_; }

    // adSchemaTables (every table and view) or adSchemaColumns (restricted to
    // one table), as ADO's OpenSchema returns them.
    void OpenSchema(int schema, Recordset& into, const QString& table = {});

    // Used by Recordset.
    ResultSet run(const QString& tsql, bool firstRowsOnly);
    ResultSet runNative(const QString& sql);
    QStringList primaryKey(const QString& table);
    const SqlDialect& dialect() const;
    // Runs an engine-native script (schema files) statement by statement.
    void ExecuteScript(const QString& nativeScript);

private:
    [[noreturn]] void raiseProvider(const std::vector<ProviderFailure>& failures);
    Backend& backend();
    void applyTimeout();

    std::unique_ptr<Backend> backend_;
    Errors errors_;
    int isolation_ = ad::XactReadCommitted;
    QString defaultDb_;
};

} // namespace ado
