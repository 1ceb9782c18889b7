// The database set-up tool, run as a user runs it.
#include "TestDb.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Salida {
    int rc;
    QString out, err;
};

Salida agrdb(const QStringList& args) {
    QProcess p;
    QProcessEnvironment pe = QProcessEnvironment::systemEnvironment();
    pe.insert(QStringLiteral("AGR_SCHEMA_DIR"), QStringLiteral(AGR_SCHEMA_DIR_DEFAULT));
    p.setProcessEnvironment(pe);
    p.start(QStringLiteral(AGR_BIN_DIR "/agrdb"), args);
    if (!p.waitForFinished(60000)) return {-1, {}, QStringLiteral("time-out")};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

long long contar(const QString& cs, const QString& sql) {
    ado::Connection c;
    c.Open(cs);
    ado::Recordset rs;
    rs.Open(sql, &c);
    return rs.Fields(0).Value().toText().toLongLong();
}

TEST(Agrdb, PreparesAnEmptySqliteFileAndRefusesToMixIntoAPartialOne) {
    QTemporaryDir dir;
    const QString cs = QStringLiteral("Provider=SQLite;Data Source=") + dir.filePath(QStringLiteral("MIA.db"));

    Salida s = agrdb({QStringLiteral("preparar"), cs});
    ASSERT_EQ(s.rc, 0) << s.err.toStdString();
    EXPECT_TRUE(s.out.contains(QStringLiteral("0 de 39 tablas")));
    EXPECT_TRUE(s.out.contains(QStringLiteral("Esquema creado")));
    EXPECT_EQ(contar(cs, QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS")), 0);

    // Complete: listed, left as it is.
    s = agrdb({QStringLiteral("preparar"), QStringLiteral("--demo"), cs});
    EXPECT_EQ(s.rc, 0);
    EXPECT_TRUE(s.out.contains(QStringLiteral("39 de 39 tablas")));
    EXPECT_TRUE(s.out.contains(QStringLiteral("no se modifica")));
    EXPECT_EQ(contar(cs, QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS")), 0);

    // Partial: refused, nothing added.
    {
        ado::Connection c;
        c.Open(cs);
        c.Execute(QStringLiteral("DROP TABLE TA_AGRUPCUENTAS_DETALLE"));
    }
    s = agrdb({QStringLiteral("preparar"), cs});
    EXPECT_EQ(s.rc, 3);
    EXPECT_TRUE(s.out.contains(QStringLiteral("falta    TA_AGRUPCUENTAS_DETALLE")));
    EXPECT_TRUE(s.err.contains(QStringLiteral("parte del esquema")));
    s = agrdb({QStringLiteral("tablas"), cs});
    EXPECT_EQ(s.rc, 0);
    EXPECT_TRUE(s.out.contains(QStringLiteral("38 de 39 tablas")));
}

TEST(Agrdb, LoadsTheDemoRowsOnRequest) {
    QTemporaryDir dir;
    const QString cs = QStringLiteral("Provider=SQLite;Data Source=") + dir.filePath(QStringLiteral("DEMO2.db"));
    const Salida s = agrdb({QStringLiteral("preparar"), QStringLiteral("--demo"), cs});
    ASSERT_EQ(s.rc, 0) << s.err.toStdString();
    EXPECT_GT(contar(cs, QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS")), 200);
    EXPECT_EQ(contar(cs, QStringLiteral("SELECT COUNT(*) FROM TA_AGRUPCUENTAS")), 3);
}

TEST(Agrdb, ListsTheTablesOfAPostgresDatabase) {
    REQUIRE_MOTOR(Motor::Postgres);
    EntornoPrueba env(Motor::Postgres);
    const Salida s = agrdb({QStringLiteral("tablas"), env.db().cadena()});
    ASSERT_EQ(s.rc, 0) << s.err.toStdString();
    EXPECT_TRUE(s.out.contains(QStringLiteral("39 de 39 tablas"))) << s.out.toStdString();
    EXPECT_TRUE(s.out.contains(QStringLiteral("existe   TA_AGRUPCUENTAS\n")));
}

TEST(Agrdb, ReportsWhatItCannotOpen) {
    const Salida s = agrdb({QStringLiteral("tablas"), QStringLiteral("Provider=SQLite;Data Source=/nonexistent/x.db")});
    EXPECT_EQ(s.rc, 1);
    EXPECT_FALSE(s.err.isEmpty());
    EXPECT_EQ(agrdb({QStringLiteral("preparar")}).rc, 2);
}

} // namespace
