#pragma once
#include "platform/ado/ConnectionString.h"
#include "platform/ado/RowTable.h"
#include "platform/ado/Errors.h"
#include "platform/ado/SqlDialect.h"
#include "platform/ado/Variant.h"
#include <QStringList>
#include <memory>
#include <vector>

namespace ado {

struct ColumnInfo {
    QString name;
    int adoType = 200;       // ADO DataTypeEnum
    long definedSize = 0;
};

// The whole answer of one native statement.
struct ResultSet {
    bool hasRows = false;    // the statement returned a row set (possibly empty)
    std::vector<ColumnInfo> columns;
    RowTable rows;
    long affected = -1;      // rows changed by INSERT/UPDATE/DELETE, -1 otherwise
};

struct TableColumn {
    QString name;
    int adoType = 200;
    long definedSize = 0;
    bool nullable = true;
};

// One engine behind a Connection. Methods throw ProviderError.
class Backend {
public:
    virtual ~Backend() = default;
    virtual void open(const Target& target, int loginTimeout) = 0;
    virtual void close() = 0;
    // Runs one native statement (already translated).
    virtual ResultSet exec(const QString& sql) = 0;
    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
    virtual bool inTransaction() const = 0;
    virtual QStringList tableNames() = 0;          // tables and views
    virtual std::vector<TableColumn> columns(const QString& table) = 0;
    virtual QStringList primaryKey(const QString& table) = 0;
    virtual void setCommandTimeout(int seconds) = 0;
    virtual void setIsolationLevel(int adoLevel) = 0;
    virtual QString currentDatabase() const = 0;
    virtual void setCurrentDatabase(const QString& name) = 0;
    virtual const SqlDialect& dialect() const = 0;
};

std::unique_ptr<Backend> makeSqliteBackend();
std::unique_ptr<Backend> makePgBackend();
std::unique_ptr<Backend> makeOdbcBackend();

// ADO type and size of a declared SQL type ("VARCHAR(25)", "INTEGER", "vc25"...).
std::pair<int, long> adoTypeFromDecl(const QString& decl);

// Turns an engine's SQLSTATE (and message) into SQL Server's native number and
// ADO's error number, the terms the suite's routines test.
void mapSqlState(const QString& sqlState, const QString& message, ErrorItem& item, long& adoNumber);

[[noreturn]] void failProvider(long adoNumber, const QString& description, const QString& sqlState, long native,
                               bool lost = false);

} // namespace ado
