#include "TestDb.h"
#include "platform/ProgramFolder.h"
#include "platform/ado/Connection.h"
#include <QCoreApplication>
#include <QFile>
#include <atomic>
#include <cstdio>
#include <stdexcept>

namespace {

QString schemaDir() {
    const QString env = qEnvironmentVariable("AGR_SCHEMA_DIR");
    return env.isEmpty() ? QStringLiteral(AGR_SCHEMA_DIR_DEFAULT) : env;
}

QString readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read " + path.toStdString());
    return QString::fromUtf8(f.readAll());
}

void buildSqlite(const QString& path, const QStringList& scripts) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);   // an empty file is an empty SQLite database
    f.close();
    ado::Connection c;
    c.Open(QStringLiteral("Provider=SQLite;Data Source=") + path);
    for (const QString& s : scripts) c.ExecuteScript(readFile(schemaDir() + u'/' + s));
    c.Close();
}

// The SQLite demo databases, built once per test process.
const QString& sqliteTemplates() {
    static QTemporaryDir dir;
    static bool built = false;
    if (!built) {
        buildSqlite(dir.path() + QStringLiteral("/DEMO.db"), {QStringLiteral("sqlite.sql"), QStringLiteral("demo_sqlite.sql")});
        buildSqlite(dir.path() + QStringLiteral("/VM_ESTADISTICAS.db"),
                    {QStringLiteral("estadisticas_sqlite.sql"), QStringLiteral("estadisticas_demo_sqlite.sql")});
        built = true;
    }
    static const QString p = dir.path() + u'/';
    return p;
}

QString pgAdmin(const QString& db) {
    return QStringLiteral("PROVIDER=SQLOLEDB;Server=PG\\%1;Database =%2;UId=postgres;Pwd=;")
        .arg(qEnvironmentVariable("AGR_PG_SERVICE"), db);
}

std::atomic<int> gCounter{0};

} // namespace

const char* nombreMotor(Motor m) {
    switch (m) {
    case Motor::Sqlite: return "SQLite";
    case Motor::Postgres: return "PostgreSQL";
    case Motor::PostgresOdbc: return "PostgreSQL-ODBC";
    }
    return "?";
}

std::vector<Motor> motores() { return {Motor::Sqlite, Motor::Postgres, Motor::PostgresOdbc}; }

bool motorDisponible(Motor m) {
    switch (m) {
    case Motor::Sqlite: return true;
    case Motor::Postgres: return !qEnvironmentVariable("AGR_PG_SERVICE").isEmpty();
    case Motor::PostgresOdbc: return !qEnvironmentVariable("AGR_PG_ODBC_DSN").isEmpty();
    }
    return false;
}

QString BaseDePrueba::cadena(const QString& usuario) const {
    return QStringLiteral("PROVIDER=SQLOLEDB;Server=%1;Database =%2;UId=%3;Pwd=;").arg(servidor, base, usuario);
}

EntornoPrueba::EntornoPrueba(Motor m) : dir_(std::make_unique<QTemporaryDir>()) {
    db_.motor = m;
    db_.carpeta = dir_->path() + u'/';
    setProgramFolder(db_.carpeta);
    if (m == Motor::Sqlite) {
        const QString& t = sqliteTemplates();
        QFile::copy(t + QStringLiteral("DEMO.db"), db_.carpeta + QStringLiteral("DEMO.db"));
        QFile::copy(t + QStringLiteral("VM_ESTADISTICAS.db"), db_.carpeta + QStringLiteral("VM_ESTADISTICAS.db"));
        db_.servidor = QStringLiteral("sqlite");
        db_.base = QStringLiteral("DEMO");
        return;
    }
    db_.base = QStringLiteral("agr_t%1_%2").arg(QCoreApplication::applicationPid()).arg(++gCounter);
    ado::Connection admin;
    admin.Open(pgAdmin(QStringLiteral("postgres")));
    admin.runNative(QStringLiteral("CREATE DATABASE %1 TEMPLATE agr_template").arg(db_.base));
    db_.servidor = m == Motor::Postgres ? QStringLiteral("PG\\") + qEnvironmentVariable("AGR_PG_SERVICE")
                                        : qEnvironmentVariable("AGR_PG_ODBC_DSN");
}

EntornoPrueba::~EntornoPrueba() {
    if (db_.motor == Motor::Sqlite) return;
    try {
        ado::Connection admin;
        admin.Open(pgAdmin(QStringLiteral("postgres")));
        admin.runNative(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(db_.base));
    } catch (...) {
    }
}

void EntornoPrueba::sqlNativo(const QString& sql) const {
    ado::Connection c;
    if (db_.motor == Motor::Sqlite) c.Open(QStringLiteral("Provider=SQLite;Data Source=") + db_.carpeta + QStringLiteral("DEMO.db"));
    else c.Open(pgAdmin(db_.base));
    c.ExecuteScript(sql);
}

void informeFiabilidad(const QString& linea) {
    QString ruta = qEnvironmentVariable("AGR_INFORME_FIABILIDAD");
    if (ruta.isEmpty()) ruta = QStringLiteral(AGR_BIN_DIR "/../fiabilidad.txt");
    QFile f(ruta);
    if (f.open(QIODevice::Append)) f.write((linea + u'\n').toUtf8());
    std::printf("%s\n", qPrintable(linea));
}
