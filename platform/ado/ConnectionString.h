#pragma once
#include <QString>
#include <utility>
#include <vector>

namespace ado {

// An OLE DB style connection string: "key=value;" pairs, keys compared without
// regard to case and blanks around them ignored ("Database =D" is key
// "Database"). A value may be quoted with double quotes to carry ";".
class ConnectionString {
public:
    explicit ConnectionString(const QString& text = {});
    QString value(const QString& key) const;   // "" when absent
    bool has(const QString& key) const;
    // First non-empty value among several spellings of one key.
    QString any(std::initializer_list<const char*> keys) const;
    const std::vector<std::pair<QString, QString>>& pairs() const { return pairs_; }

private:
    std::vector<std::pair<QString, QString>> pairs_;
};

// Where a connection string leads.
struct Target {
    enum class Engine { None, Sqlite, Postgres, Odbc, Oracle };
    Engine engine = Engine::None;
    QString sqliteFile;     // Sqlite
    QString pgConninfo;     // Postgres (libpq keyword/value text, password excluded)
    QString odbcString;     // Odbc (driver connection string, password included)
    QString database;
    QString user;
    QString password;
    QString error;          // why None
};

// Decides the engine and its parameters. programFolder ends in "/".
Target resolveTarget(const QString& connectionString, const QString& user, const QString& password,
                     const QString& programFolder, int loginTimeoutSeconds);

} // namespace ado
