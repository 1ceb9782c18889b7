#include "TestDb.h"
#include "platform/ado/Backend.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/ado/TransactionGuard.h"
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace ado;

namespace {

class Ado : public ::testing::TestWithParam<Motor> {
protected:
    void SetUp() override {
        REQUIRE_MOTOR(GetParam());
        env = std::make_unique<EntornoPrueba>(GetParam());
        open(c);
    }
    void open(Connection& cn) {
        try {
            cn.Open(env->db().cadena());
        } catch (const VbError& e) {
            FAIL() << "open failed: " << e.what() << " " << errorsText(cn);
        }
    }
    static std::string errorsText(const Connection& cn) {
        std::string s;
        for (const auto& it : cn.errors().items())
            s += "[" + it.SQLState.toStdString() + " " + std::to_string(it.NativeError) + "] " + it.Description.toStdString() + "\n";
        return s;
    }
    long number(const std::function<void()>& f) {
        try {
            f();
        } catch (const VbError& e) {
            return e.number();
        }
        return 0;
    }
    Variant scalar(const QString& sql) {
        Recordset rs;
        rs.Open(sql, &c);
        return rs.Eof() ? Variant() : rs.Fields(0).Value();
    }
    bool isOdbc() const { return GetParam() == Motor::PostgresOdbc; }

    std::unique_ptr<EntornoPrueba> env;
    Connection c;
};

TEST_P(Ado, StateErrorsUseAdoNumbers) {
    EXPECT_EQ(c.State(), ad::StateOpen);
    EXPECT_EQ(number([&] { c.Open(env->db().cadena()); }), err::ObjectOpen);
    c.Close();
    EXPECT_EQ(c.State(), ad::StateClosed);
    EXPECT_EQ(number([&] { c.Close(); }), err::ObjectClosed);
    EXPECT_EQ(number([&] { c.Execute(QStringLiteral("SELECT 1")); }), err::ConnectionInvalid);
    Recordset rs;
    EXPECT_EQ(number([&] { rs.Open(QStringLiteral("SELECT 1"), &c); }), err::ConnectionInvalid);
    EXPECT_EQ(number([&] { rs.MoveNext(); }), err::ObjectClosed);
}

TEST_P(Ado, RecordsetReadsFieldsByNameAndWalksRows) {
    const long expected = long(scalar(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS WHERE Codigo LIKE '1101%'")).toLongLong());
    ASSERT_EQ(expected, 16);
    long affected = -1;
    c.Execute(QStringLiteral("UPDATE MA_CUENTAS SET BLOQUEO = 0 WHERE Codigo LIKE '1101%'"), &affected);
    EXPECT_EQ(affected, expected);

    Recordset rs;
    rs.Open(QStringLiteral("SELECT Codigo, DESCRIPCION, TITULO FROM MA_CUENTAS with(nolock) WHERE Codigo LIKE '1101%' ORDER BY Codigo"),
            &c, ad::OpenDynamic, ad::LockReadOnly);
    ASSERT_FALSE(rs.Bof());
    EXPECT_EQ(rs.Fields(QStringLiteral("codigo")).Value().toText(), QStringLiteral("1101"));
    EXPECT_EQ(rs[QStringLiteral("Titulo")].toLongLong(), 1);
    EXPECT_EQ(rs.Fields(QStringLiteral("TITULO")).Type(), 3);
    if (!isOdbc()) {
        EXPECT_EQ(rs.Fields(QStringLiteral("CODIGO")).Type(), 200);
        EXPECT_EQ(rs.Fields(QStringLiteral("CODIGO")).DefinedSize(), 25);
    }
    long n = 0;
    for (; !rs.Eof(); rs.MoveNext()) ++n;
    EXPECT_EQ(n, expected);
    EXPECT_EQ(rs.RecordCount(), expected);
    EXPECT_EQ(number([&] { rs.MoveNext(); }), err::BofOrEof);
    EXPECT_EQ(number([&] { rs.Fields(QStringLiteral("Codigo")).Value(); }), err::BofOrEof);
    EXPECT_EQ(number([&] { rs.Fields(QStringLiteral("NoExiste")); }), err::ItemNotFound);
    rs.MovePrevious();
    EXPECT_EQ(rs[QStringLiteral("Codigo")].toText(), QStringLiteral("110115"));

    Recordset empty;
    empty.Open(QStringLiteral("SELECT * FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = 'ZZZZ'"), &c);
    EXPECT_TRUE(empty.Bof());
    EXPECT_TRUE(empty.Eof());
}

// The rows handed to a lookup's list stay as they were read when the
// recordset then writes; Celda reads the current row as stored.
TEST_P(Ado, RowsSharedWithAListAreNotChangedByLaterWrites) {
    Connection c;
    open(c);
    Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM TA_AGRUPCUENTAS ORDER BY IDAGRUPACION"), &c, ad::OpenDynamic, ad::LockOptimistic);
    const auto compartidas = rs.Datos();
    const long antes = long(compartidas->rows.size());
    ASSERT_GT(antes, 1);
    EXPECT_EQ(rs.Celda(0).toText(), compartidas->rows[0][0].toText());
    EXPECT_EQ(number([&] { rs.Celda(9); }), err::ItemNotFound);
    rs.Fields(QStringLiteral("Descripcion")).setValue(QStringLiteral("Cambiada"));
    EXPECT_EQ(number([&] { rs.Celda(0); }), err::NotAllowedInContext);   // being edited
    rs.Update();
    rs.AddNew();
    rs.Fields(QStringLiteral("IDAGRUPACION")).setValue(QStringLiteral("ZZ9"));
    rs.Fields(QStringLiteral("Descripcion")).setValue(QStringLiteral("Nueva"));
    rs.Update();
    EXPECT_EQ(rs.RecordCount(), antes + 1);
    EXPECT_EQ(long(compartidas->rows.size()), antes);
    EXPECT_NE(compartidas->rows[0][1].toText(), QStringLiteral("Cambiada"));
    rs.Delete();
    EXPECT_EQ(long(compartidas->rows.size()), antes);
}

TEST_P(Ado, TextKeysCompareWithoutRegardToCase) {
    EXPECT_EQ(scalar(QStringLiteral("SELECT Codigo FROM MA_CUENTAS WHERE DESCRIPCION = 'CAJA'")).toText(), QStringLiteral("110101"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM TA_USUARIOS WHERE Nombre = 'admin'")).toLongLong(), 1);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS WHERE DESCRIPCION LIKE '%banco nación%'")).toLongLong(), 2);
}

TEST_P(Ado, ProviderErrorsCarrySqlServerNumbers) {
    env->sqlNativo(QStringLiteral("CREATE TABLE T_HIJO (ID INTEGER PRIMARY KEY, CUENTA %1 REFERENCES MA_CUENTAS(Codigo));")
                       .arg(GetParam() == Motor::Sqlite ? QStringLiteral("VARCHAR(25)") : QStringLiteral("vc25")));
    struct Row {
        const char* sql;
        long adoNumber;
        long native;
    };
    const Row rows[] = {
        {"INSERT INTO TA_AGRUPCUENTAS (IDAGRUPACION, Descripcion) VALUES ('0001','otra')", err::IntegrityViolation, 2627},
        {"INSERT INTO TA_AGRUPCUENTAS (IDAGRUPACION, Descripcion) VALUES ('12345','larga')", err::Truncation, 8152},
        {"INSERT INTO T_HIJO (ID, CUENTA) VALUES (1, 'NO EXISTE')", err::IntegrityViolation, 547},
        {"SELECT * FROM NO_EXISTE_TABLA", err::NoSuchTable, 208},
        {"SELEC * FROM MA_CUENTAS", err::CommandTextError, 102},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(number([&] { c.Execute(QString::fromUtf8(r.sql)); }), r.adoNumber) << r.sql << "\n" << errorsText(c);
        ASSERT_GE(c.errors().Count(), 1) << r.sql;
        EXPECT_EQ(c.errors().Item(0).NativeError, r.native) << r.sql << "\n" << errorsText(c);
        c.errors().Clear();
    }
}

TEST_P(Ado, BatchGoesOnAfterAFailedStatementAsSqlServerDoes) {
    EXPECT_NE(number([&] {
        c.Execute(QStringLiteral("INSERT INTO TA_AGRUPCUENTAS (IDAGRUPACION, Descripcion) VALUES ('0001','dup')\r"
                                 "INSERT INTO TA_AGRUPCUENTAS (IDAGRUPACION, Descripcion) VALUES ('0009','nueva')"));
    }), 0);
    EXPECT_EQ(c.errors().Count(), 1);
    EXPECT_EQ(scalar(QStringLiteral("SELECT Descripcion FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '0009'")).toText(), QStringLiteral("nueva"));
}

TEST_P(Ado, FailedBatchTransactionIsRolledBackWhole) {
    EXPECT_NE(number([&] {
        c.Execute(QStringLiteral("BEGIN TRANSACTION \r\r\rINSERT INTO TA_AGRUPCUENTAS (IDAGRUPACION, Descripcion) VALUES ('0009','a')"
                                 "\rINSERT INTO TA_AGRUPCUENTAS (IDAGRUPACION, Descripcion) VALUES ('0001','dup')\r"));
    }), 0);
    c.Execute(QStringLiteral("ROLLBACK TRANSACTION"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '0009'")).toLongLong(), 0);
    EXPECT_FALSE(c.inTransaction());
}

TEST_P(Ado, TransactionGuardRollsBackUnlessCommitted) {
    {
        TransactionGuard g(c);
        c.Execute(QStringLiteral("DELETE TA_AGRUPCUENTAS_DETALLE WHERE IDAGRUPACION = '0001'"));
    }
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM TA_AGRUPCUENTAS_DETALLE WHERE IDAGRUPACION = '0001'")).toLongLong(), 5);
    {
        TransactionGuard g(c);
        c.Execute(QStringLiteral("DELETE TA_AGRUPCUENTAS_DETALLE WHERE IDAGRUPACION = '0001'"));
        g.commit();
    }
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM TA_AGRUPCUENTAS_DETALLE WHERE IDAGRUPACION = '0001'")).toLongLong(), 0);
}

TEST_P(Ado, AddNewUpdateAndDeleteWriteTheRow) {
    Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '   7'"), &c, ad::OpenDynamic, ad::LockOptimistic);
    ASSERT_TRUE(rs.Eof());
    rs.AddNew();
    rs.Fields(QStringLiteral("IDAGRUPACION")).setValue(QStringLiteral("   7"));
    rs.Fields(QStringLiteral("Descripcion")).setValue(QStringLiteral("Ventas d'Alba"));
    rs.Update();
    EXPECT_EQ(scalar(QStringLiteral("SELECT Descripcion FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '   7'")).toText(),
              QStringLiteral("Ventas d'Alba"));

    rs.Close();
    rs.Open(QStringLiteral("SELECT * FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '   7'"), &c, ad::OpenDynamic, ad::LockOptimistic);
    rs.Fields(QStringLiteral("Descripcion")).setValue(QStringLiteral("Ventas"));
    rs.Update();
    EXPECT_EQ(scalar(QStringLiteral("SELECT Descripcion FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '   7'")).toText(), QStringLiteral("Ventas"));
    rs.Delete();
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '   7'")).toLongLong(), 0);

    // Values set by the database come back with the added row.
    Recordset err;
    err.Open(QStringLiteral("select  top 1 * from AUX_ERR  with(nolock) "), &c, ad::OpenDynamic, ad::LockOptimistic);
    err.AddNew();
    err.Fields(QStringLiteral("Proceso")).setValue(QStringLiteral("agrupcuentas"));
    err.Fields(QStringLiteral("Error")).setValue(3021);
    err.Update();
    EXPECT_GT(err[QStringLiteral("Id")].toLongLong(), 0);
}

TEST_P(Ado, OptimisticUpdateRefusesARowChangedOrDeletedMeanwhile) {
    Connection other;
    open(other);
    const QString sql = QStringLiteral("SELECT * FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '0001'");
    Recordset mine, theirs;
    mine.Open(sql, &c, ad::OpenDynamic, ad::LockOptimistic);
    theirs.Open(sql, &other, ad::OpenDynamic, ad::LockOptimistic);
    theirs.Fields(QStringLiteral("Descripcion")).setValue(QStringLiteral("de otro puesto"));
    theirs.Update();
    mine.Fields(QStringLiteral("Descripcion")).setValue(QStringLiteral("mía"));
    EXPECT_EQ(number([&] { mine.Update(); }), err::RowChanged);
    EXPECT_EQ(scalar(sql).toText(), QStringLiteral("0001"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT Descripcion FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '0001'")).toText(),
              QStringLiteral("de otro puesto"));
    mine.CancelUpdate();
    theirs.Delete();
    EXPECT_EQ(number([&] { mine.Delete(); }), err::RowChanged);
}

TEST_P(Ado, EditsNeedAnUpdatableRecordsetAndNoPendingEditOnClose) {
    Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '0001'"), &c);
    EXPECT_EQ(number([&] { rs.Fields(QStringLiteral("Descripcion")).setValue(QStringLiteral("x")); }), err::NotUpdatable);
    rs.Close();
    rs.Open(QStringLiteral("SELECT * FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '0001'"), &c, ad::OpenDynamic, ad::LockOptimistic);
    rs.Fields(QStringLiteral("Descripcion")).setValue(QStringLiteral("x"));
    EXPECT_EQ(number([&] { rs.Close(); }), err::NotAllowedInContext);
    rs.CancelUpdate();
    rs.Close();
    Recordset join;
    join.Open(QStringLiteral("SELECT D.Cuenta FROM TA_AGRUPCUENTAS_DETALLE D INNER JOIN MA_CUENTAS C ON C.Codigo = D.Cuenta"), &c,
              ad::OpenDynamic, ad::LockOptimistic);
    join.Fields(QStringLiteral("Cuenta")).setValue(QStringLiteral("x"));
    EXPECT_EQ(number([&] { join.Update(); }), err::Unspecified);
    join.CancelUpdate();
}

TEST_P(Ado, SchemaListsTablesViewsAndColumns) {
    Recordset rs;
    c.OpenSchema(ad::SchemaTables, rs);
    QStringList names;
    for (; !rs.Eof(); rs.MoveNext()) names << rs[QStringLiteral("TABLE_NAME")].toText().toUpper();
    for (const char* t : {"TA_USUARIOS", "TA_AGRUPCUENTAS_DETALLE", "V_TA_CAJAS", "SS_MA_CUENTAS"})
        EXPECT_TRUE(names.contains(QString::fromLatin1(t))) << t;
    Recordset cols;
    c.OpenSchema(ad::SchemaColumns, cols, QStringLiteral("ta_agrupcuentas"));
    QStringList cn;
    for (; !cols.Eof(); cols.MoveNext()) cn << cols[QStringLiteral("COLUMN_NAME")].toText().toUpper();
    EXPECT_EQ(cn, (QStringList{QStringLiteral("IDAGRUPACION"), QStringLiteral("DESCRIPCION")}));
}

TEST_P(Ado, TillViewTakesInserts) {
    c.Execute(QStringLiteral("INSERT INTO V_TA_Cajas (IDCAJAS,DESCRIPCION) VALUES('   9','CAJA 9')"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT Descripcion FROM TA_CAJAS WHERE IdCajas = '   9'")).toText(), QStringLiteral("CAJA 9"));
}

INSTANTIATE_TEST_SUITE_P(Engines, Ado, ::testing::ValuesIn(motores()),
                         [](const auto& info) { return std::string(nombreMotor(info.param)) == "PostgreSQL-ODBC" ? std::string("PostgresOdbc") : std::string(nombreMotor(info.param)); });

TEST(AdoSqlite, MissingFileIsAnOpenFailureAndIsNotCreated) {
    EntornoPrueba env(Motor::Sqlite);
    Connection c;
    long n = 0;
    try {
        c.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=sqlite;Database =NO_ESTA;UId=A;Pwd=;"));
    } catch (const VbError& e) {
        n = e.number();
    }
    EXPECT_EQ(n, err::Unspecified);
    ASSERT_EQ(c.errors().Count(), 1);
    EXPECT_EQ(c.errors().Item(0).SQLState, QStringLiteral("3024"));
    EXPECT_FALSE(QFile::exists(env.db().carpeta + QStringLiteral("NO_ESTA.db")));
    EXPECT_EQ(c.State(), ad::StateClosed);
}

TEST(AdoSqlite, UnknownProviderAndOracleAreReportedNotCrashed) {
    for (const char* cs : {"PROVIDER=Nadie;Server=x;", "Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=U;Password=P;", "basura sin pares"}) {
        Connection c;
        long n = 0;
        try {
            c.Open(QString::fromLatin1(cs));
        } catch (const VbError& e) {
            n = e.number();
        }
        EXPECT_EQ(n, err::ProviderNotFound) << cs;
        EXPECT_EQ(c.errors().Count(), 1) << cs;
    }
}

// A server that accepts the connection but never answers must fail within
// the connection time-out.
TEST(AdoPostgres, SilentServerFailsWithinTheTimeout) {
    int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ASSERT_EQ(listen(s, 4), 0);
    socklen_t len = sizeof a;
    getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    QTemporaryDir dir;
    QFile svc(dir.path() + QStringLiteral("/svc.conf"));
    svc.open(QIODevice::WriteOnly);
    svc.write(QStringLiteral("[mudo]\nhost=127.0.0.1\nport=%1\n").arg(ntohs(a.sin_port)).toUtf8());
    svc.close();
    const QByteArray old = qgetenv("PGSERVICEFILE");
    qputenv("PGSERVICEFILE", svc.fileName().toUtf8());
    Connection c;
    c.ConnectionTimeout = 2;
    QElapsedTimer t;
    t.start();
    long n = 0;
    try {
        c.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=PG\\mudo;Database =x;UId=u;Pwd=;"));
    } catch (const VbError& e) {
        n = e.number();
    }
    qputenv("PGSERVICEFILE", old);
    close(s);
    EXPECT_EQ(n, err::Unspecified);
    EXPECT_LT(t.elapsed(), 8000);
    EXPECT_GE(c.errors().Count(), 1);
}

TEST(AdoOdbc, SqlServerThatDoesNotAnswerFailsWithProviderErrors) {
    // A loopback port where nothing listens: FreeTDS is refused at once.
    int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    close(s);
    Connection c;
    c.ConnectionTimeout = 3;
    QElapsedTimer t;
    t.start();
    long n = 0;
    try {
        c.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=127.0.0.1,%1;Database =CONTAB;UId=OPER;Pwd=x;").arg(ntohs(a.sin_port)));
    } catch (const VbError& e) {
        n = e.number();
    }
    EXPECT_NE(n, 0);
    EXPECT_LT(t.elapsed(), 15000);
    ASSERT_GE(c.errors().Count(), 1);
    EXPECT_FALSE(c.errors().Item(0).SQLState.isEmpty());
}

TEST(AdoPostgres, TerminatedBackendIsReportedAsALostConnection) {
    REQUIRE_MOTOR(Motor::Postgres);
    EntornoPrueba env(Motor::Postgres);
    Connection c;
    c.Open(env.db().cadena());
    Recordset rs;
    rs.Open(QStringLiteral("SELECT pg_backend_pid()"), &c);
    const qint64 pid = rs.Fields(0).Value().toLongLong();
    env.sqlNativo(QStringLiteral("SELECT pg_terminate_backend(%1);").arg(pid));
    long n = 0;
    try {
        c.Execute(QStringLiteral("SELECT 1"));
    } catch (const VbError& e) {
        n = e.number();
    }
    EXPECT_EQ(n, err::Unspecified);
    ASSERT_GE(c.errors().Count(), 1);
    EXPECT_EQ(c.errors().Item(0).SQLState, QStringLiteral("08S01"));
    EXPECT_EQ(c.State(), ad::StateOpen);
}

} // namespace

// A column's declared type gives the ADO type and size the fields report.
TEST(AdoTipos, DeclaredTypesGiveAdoTypeAndSize) {
    const struct {
        const char* decl;
        int tipo;
        long largo;
    } filas[] = {
        {"VARCHAR(25)", 200, 25},     {"varchar ( 25 )", 200, 25}, {" nvarchar(10) ", 202, 10}, {"VC50", 200, 50},
        {"vc4", 200, 4},              {"VC", 200, 0},              {"VC10X", 200, 0},         {"CHAR", 129, 1},
        {"CHAR(3)", 129, 3},          {"CHARACTER VARYING(8)", 200, 8}, {"INTEGER", 3, 4},     {"BIGINT", 20, 8},
        {"SMALLINT", 2, 2},           {"BIT", 11, 2},              {"MONEY", 6, 8},           {"NUMERIC(19,4)", 131, 19},
        {"DATETIME", 135, 16},        {"DATE", 133, 6},            {"TIME", 134, 6},          {"TEXT", 201, 2147483647},
        {"", 200, 0},                 {"FOO(x) BAR(10)", 200, 10}, {"X(0) Y(5)", 200, 0},     {"BLOB", 205, 2147483647},
    };
    for (const auto& f : filas) {
        const auto [tipo, largo] = ado::adoTypeFromDecl(QString::fromLatin1(f.decl));
        EXPECT_EQ(tipo, f.tipo) << f.decl;
        EXPECT_EQ(largo, f.largo) << f.decl;
    }
}
