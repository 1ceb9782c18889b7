#pragma once
#include "platform/ado/NativeStatement.h"
#include "platform/ado/SqlTokenizer.h"
#include "platform/ado/TranslationMemo.h"
#include "platform/ado/Variant.h"
#include <QString>
#include <vector>

namespace ado {

// Every statement of the program is written in T-SQL. A dialect turns such a
// text (one statement or a batch) into the statements its engine runs, and
// knows how the engine quotes names and values. All translation lives here;
// the table of engine quirks it handles is in DIALECTS.md beside this file.
class SqlDialect {
public:
    enum class Engine { TSql, Sqlite, Postgres };
    explicit SqlDialect(Engine e) : engine_(e) {}
    Engine engine() const { return engine_; }

    std::vector<NativeStatement> translate(const QString& tsql) const;
    // The same translation, always token by token (translate takes a short
    // cut for texts that need nothing; this is what the cut must equal).
    std::vector<NativeStatement> translateTokens(const QString& tsql) const;
    // Whether a text is one SELECT or INSERT with nothing that any rule
    // rewrites, found from its characters alone: such a text goes to the
    // engine as written (trimmed). A doubtful case answers false.
    static bool asWritten(const QString& tsql);

    QString quoteIdent(const QString& name) const;
    // A value written as a literal of this engine (apostrophes doubled).
    QString literal(const Variant& v) const;
    // Engine type name for a T-SQL type name in DDL ("DATETIME" -> "TIMESTAMP").
    QString typeName(const QString& tsqlType) const;

    // The table of a single-table SELECT ("" for joins, several tables or
    // anything that is not a SELECT): the rows such a query returns can be
    // written back.
    static QString simpleSelectTable(const QString& tsql);
    // Splits a T-SQL text at its statement boundaries ("GO" lines, ";" and the
    // keywords that begin a statement), without rewriting.
    static std::vector<std::vector<SqlToken>> splitStatements(const QString& tsql);

private:
    NativeStatement rewrite(std::vector<SqlToken> tokens) const;
    Engine engine_;
    mutable TranslationMemo memo_;   // each connection's dialect is used by its one thread
};

} // namespace ado
