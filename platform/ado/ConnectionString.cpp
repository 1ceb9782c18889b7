#include "platform/ado/ConnectionString.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace ado {

bool odbcDataSourceExists(const QString& name);   // OdbcBackend.cpp

ConnectionString::ConnectionString(const QString& text) {
    int i = 0;
    const int n = text.size();
    while (i < n) {
        int eq = text.indexOf(u'=', i);
        int semi = text.indexOf(u';', i);
        if (eq < 0 || (semi >= 0 && semi < eq)) {
            // A piece without "=" carries no pair; skip it.
            if (semi < 0) break;
            i = semi + 1;
            continue;
        }
        QString key = text.mid(i, eq - i).trimmed();
        int j = eq + 1;
        while (j < n && text[j] == u' ') ++j;
        QString value;
        if (j < n && (text[j] == u'"' || text[j] == u'\'')) {
            const QChar q = text[j];
            int close = text.indexOf(q, j + 1);
            if (close < 0) close = n;
            value = text.mid(j + 1, close - j - 1);
            int next = text.indexOf(u';', close);
            i = next < 0 ? n : next + 1;
        } else {
            int next = text.indexOf(u';', eq + 1);
            value = text.mid(eq + 1, (next < 0 ? n : next) - eq - 1).trimmed();
            i = next < 0 ? n : next + 1;
        }
        if (!key.isEmpty()) pairs_.emplace_back(key, value);
    }
}

QString ConnectionString::value(const QString& key) const {
    for (const auto& [k, v] : pairs_)
        if (k.compare(key, Qt::CaseInsensitive) == 0) return v;
    return {};
}

bool ConnectionString::has(const QString& key) const {
    for (const auto& p : pairs_)
        if (p.first.compare(key, Qt::CaseInsensitive) == 0) return true;
    return false;
}

QString ConnectionString::any(std::initializer_list<const char*> keys) const {
    for (const char* k : keys) {
        QString v = value(QString::fromLatin1(k));
        if (!v.isEmpty()) return v;
    }
    return {};
}

static QString sqliteFileFor(QString name, const QString& folder) {
    name = name.trimmed();
    if (name.isEmpty()) return {};
    name.replace(u'\\', u'/');
    const QFileInfo fi(name);
    if (!name.contains(u'/') && fi.suffix().isEmpty()) return folder + name + QStringLiteral(".db");
    if (fi.isRelative()) return folder + name;
    return name;
}

static bool pgServiceIn(const QString& path, const QString& name) {
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
    QTextStream in(&f);
    const QString want = u'[' + name + u']';
    while (!in.atEnd())
        if (in.readLine().trimmed().compare(want, Qt::CaseInsensitive) == 0) return true;
    return false;
}

static bool pgServiceExists(const QString& name) {
    const QStringList files = {qEnvironmentVariable("PGSERVICEFILE"), QDir::homePath() + QStringLiteral("/.pg_service.conf"),
                               qEnvironmentVariable("PGSYSCONFDIR") + QStringLiteral("/pg_service.conf"),
                               QStringLiteral("/etc/postgresql-common/pg_service.conf")};
    for (const QString& f : files)
        if (pgServiceIn(f, name)) return true;
    return false;
}

// ODBC connection-string values that hold ";" or braces must be braced.
static QString odbcValue(const QString& v) {
    if (!v.contains(u';') && !v.contains(u'{') && !v.contains(u'}') && v.trimmed() == v) return v;
    QString e = v;
    e.replace(QStringLiteral("}"), QStringLiteral("}}"));
    return u'{' + e + u'}';
}

Target resolveTarget(const QString& text, const QString& userArg, const QString& passwordArg,
                     const QString& folder, int loginTimeout) {
    const ConnectionString cs(text);
    Target t;
    t.user = userArg.isEmpty() ? cs.any({"UId", "User Id", "UserId", "User", "UID"}) : userArg;
    t.password = passwordArg.isEmpty() ? cs.any({"Pwd", "Password", "PWD"}) : passwordArg;
    t.database = cs.any({"Database", "Initial Catalog", "DbName"});
    const QString provider = cs.value(QStringLiteral("Provider")).trimmed();
    const QString server = cs.any({"Server", "Data Source"}).trimmed();

    if (cs.has(QStringLiteral("Driver")) || cs.has(QStringLiteral("DSN"))) {
        // A ready ODBC connection string goes to the driver manager as it is.
        t.engine = Target::Engine::Odbc;
        t.odbcString = text;
        return t;
    }
    if (provider.startsWith(QStringLiteral("Microsoft.Jet.OLEDB"), Qt::CaseInsensitive) ||
        provider.compare(QStringLiteral("SQLite"), Qt::CaseInsensitive) == 0) {
        t.engine = Target::Engine::Sqlite;
        t.sqliteFile = sqliteFileFor(cs.value(QStringLiteral("Data Source")), folder);
        return t;
    }
    if (provider.contains(QStringLiteral("Oracle"), Qt::CaseInsensitive)) {
        t.engine = Target::Engine::Oracle;
        t.error = QStringLiteral("Provider cannot be found. It may not be properly installed. (%1)").arg(provider);
        return t;
    }
    static const QStringList sqlServerProviders = {QStringLiteral("SQLOLEDB"), QStringLiteral("SQLNCLI"),
                                                   QStringLiteral("MSOLEDBSQL"), QStringLiteral("MSDASQL")};
    bool known = provider.isEmpty();
    for (const QString& p : sqlServerProviders)
        known = known || provider.startsWith(p, Qt::CaseInsensitive);
    if (!known) {
        t.error = QStringLiteral("Provider cannot be found. It may not be properly installed. (%1)").arg(provider);
        return t;
    }
    if (server.compare(QStringLiteral("sqlite"), Qt::CaseInsensitive) == 0) {
        t.engine = Target::Engine::Sqlite;
        t.sqliteFile = sqliteFileFor(t.database, folder);
        return t;
    }
    if (server.startsWith(QStringLiteral("PG\\"), Qt::CaseInsensitive) ||
        server.startsWith(QStringLiteral("PG/"), Qt::CaseInsensitive)) {
        t.engine = Target::Engine::Postgres;
        const QString name = server.mid(3).trimmed();
        QStringList params;
        if (!name.isEmpty()) params << (pgServiceExists(name) ? QStringLiteral("service") : QStringLiteral("host")) << name;
        if (!t.database.isEmpty()) params << QStringLiteral("dbname") << t.database;
        if (!t.user.isEmpty()) params << QStringLiteral("user") << t.user;
        params << QStringLiteral("connect_timeout") << QString::number(qMax(1, loginTimeout));
        params << QStringLiteral("application_name") << QStringLiteral("agrupcuentas");
        t.pgConninfo = params.join(QChar(0x1F));
        return t;
    }
    if (server.isEmpty()) {
        t.error = QStringLiteral("[DBNETLIB][ConnectionOpen (Connect()).]SQL Server does not exist or access denied.");
        return t;
    }
    t.engine = Target::Engine::Odbc;
    QString s;
    if (odbcDataSourceExists(server)) {
        s = QStringLiteral("DSN=") + odbcValue(server) + u';';
    } else {
        // "host\instance" without a port: FreeTDS asks the server's browser
        // service for the instance's port, which a fixed PORT would override.
        QString host = server, port = host.contains(u'\\') ? QString() : QStringLiteral("1433");
        const int comma = host.indexOf(u',');
        if (comma >= 0) {
            port = host.mid(comma + 1).trimmed();
            host = host.left(comma).trimmed();
        }
        s = QStringLiteral("DRIVER={FreeTDS};SERVER=") + odbcValue(host) + u';';
        if (!port.isEmpty()) s += QStringLiteral("PORT=") + odbcValue(port) + u';';
        s += QStringLiteral("TDS_Version=7.4;ClientCharset=UTF-8;");
    }
    if (!t.database.isEmpty()) s += QStringLiteral("DATABASE=") + odbcValue(t.database) + u';';
    s += QStringLiteral("UID=") + odbcValue(t.user) + QStringLiteral(";PWD=") + odbcValue(t.password) + u';';
    t.odbcString = s;
    return t;
}

} // namespace ado
