#include "platform/ado/ConnectionString.h"
#include <gtest/gtest.h>

using ado::Target;
using ado::resolveTarget;

TEST(ConnectionString, KeysIgnoreCaseAndBlanksAndQuotesCarrySemicolons) {
    const ado::ConnectionString cs(QStringLiteral("PROVIDER=SQLOLEDB;Server=S;Database =D;UId=U;Pwd=\"a;b\";;junk;"));
    EXPECT_EQ(cs.value(QStringLiteral("provider")), QStringLiteral("SQLOLEDB"));
    EXPECT_EQ(cs.value(QStringLiteral("DATABASE")), QStringLiteral("D"));
    EXPECT_EQ(cs.value(QStringLiteral("pwd")), QStringLiteral("a;b"));
    EXPECT_EQ(cs.value(QStringLiteral("absent")), QString());
}

TEST(ResolveTarget, ChoosesTheEngineFromTheConnectionString) {
    const QString folder = QStringLiteral("/prog/");
    struct Row {
        const char* cs;
        Target::Engine engine;
        const char* detail;   // sqlite file, or a piece of the PostgreSQL/ODBC parameters
    };
    const Row rows[] = {
        {"PROVIDER=SQLOLEDB;Server=sqlite;Database =DEMO;UId=A;Pwd=;", Target::Engine::Sqlite, "/prog/DEMO.db"},
        {"PROVIDER=SQLOLEDB;Server=SQLite;Database =datos/conta.db;UId=A;Pwd=;", Target::Engine::Sqlite, "/prog/datos/conta.db"},
        {"PROVIDER=SQLOLEDB;Server=sqlite;Database =/srv/x.sqlite;", Target::Engine::Sqlite, "/srv/x.sqlite"},
        {"PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source =/datos/B.MDB;User ID=;Password=;", Target::Engine::Sqlite, "/datos/B.MDB"},
        {"PROVIDER=Microsoft.Jet.OLEDB.3.51;Data Source =STOCK;", Target::Engine::Sqlite, "/prog/STOCK.db"},
        {"PROVIDER=SQLOLEDB;Server=PG\\nosuchservice;Database =conta;UId=OPER;Pwd=x;", Target::Engine::Postgres, "host"},
        {"PROVIDER=SQLOLEDB;Server=SRV01;Database =CONTAB;UId=OPER;Pwd=p;", Target::Engine::Odbc, "DRIVER={FreeTDS};SERVER=SRV01;PORT=1433;"},
        {"PROVIDER=SQLOLEDB;Server=SRV01,1500;Database =CONTAB;UId=OPER;Pwd=p;", Target::Engine::Odbc, "PORT=1500"},
        {"PROVIDER=SQLOLEDB;Server=SRV01\\CONTA;Database =CONTAB;UId=OPER;Pwd=p;", Target::Engine::Odbc, "SERVER=SRV01\\CONTA;TDS_Version"},
        {"PROVIDER=SQLOLEDB;Server=SRV;Database =D;UId=U;Pwd=a;b;", Target::Engine::Odbc, "PWD=a;"},
        {"Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=U;Password=P;", Target::Engine::Oracle, ""},
        {"PROVIDER=Nadie.Sabe;Server=S;", Target::Engine::None, ""},
        {"PROVIDER=SQLOLEDB;Server=;Database =D;", Target::Engine::None, ""},
    };
    for (const Row& r : rows) {
        const Target t = resolveTarget(QString::fromUtf8(r.cs), {}, {}, folder, 5);
        EXPECT_EQ(int(t.engine), int(r.engine)) << r.cs;
        const QString detail = QString::fromUtf8(r.detail);
        if (r.engine == Target::Engine::Sqlite) {
            EXPECT_EQ(t.sqliteFile, detail) << r.cs;
        } else if (r.engine == Target::Engine::Postgres) {
            EXPECT_TRUE(t.pgConninfo.contains(detail)) << r.cs;
        } else if (r.engine == Target::Engine::Odbc) {
            EXPECT_TRUE(t.odbcString.contains(detail)) << qPrintable(t.odbcString);
        }
        if (r.engine == Target::Engine::None || r.engine == Target::Engine::Oracle) {
            EXPECT_FALSE(t.error.isEmpty()) << r.cs;
        }
    }
}

TEST(ResolveTarget, OdbcValuesWithSeparatorsAreBraced) {
    const Target t = resolveTarget(QStringLiteral("PROVIDER=SQLOLEDB;Server=SRV;Database =D;UId=U;Pwd=\"x;y}\";"), {}, {},
                                   QStringLiteral("/p/"), 5);
    EXPECT_TRUE(t.odbcString.contains(QStringLiteral("PWD={x;y}}};"))) << qPrintable(t.odbcString);
}
