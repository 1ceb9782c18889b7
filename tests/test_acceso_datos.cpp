#include "ConexionPrueba.h"
#include "ScriptedPrompt.h"
#include "data/Ajustes.h"
#include "platform/ProcessEnd.h"
#include <QDir>
#include <gtest/gtest.h>

namespace {

class AccesoDatos : public PruebaConDemo {
protected:
    void TearDown() override {
        setProcessEndHandler(nullptr);
        PruebaConDemo::TearDown();
    }
};

TEST_P(AccesoDatos, AbrirRecordsetReopensInPlaceAndRewritesTheText) {
    DB_Dll& db = DB();
    ado::Recordset rs;
    QString a = QStringLiteral("SELECT * FROM @Admin_TA_AGRUPCUENTAS WHERE IDAGRUPACION = '0001'");
    db.AbrirRecordset(a, rs, nullptr, 2, 3);
    EXPECT_EQ(a, QStringLiteral("SELECT * FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '0001'"));
    ASSERT_EQ(rs.State(), ado::ad::StateOpen);
    QString b = QStringLiteral("SELECT * FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '0002'");
    db.AbrirRecordset(b, rs);
    EXPECT_EQ(rs[QStringLiteral("Descripcion")].toText(), QStringLiteral("Gastos de administración"));
    db.CierraRecordset(rs);
    db.CierraRecordset(rs);   // closing a closed recordset does nothing
    db.AbrirRecordset(a, rs, nullptr, 2, 3);
    rs.Fields(QStringLiteral("Descripcion")).setValue(QStringLiteral("pendiente"));
    db.CierraRecordset(rs);   // a pending edit is dropped, not written
    EXPECT_EQ(rs.State(), ado::ad::StateClosed);
    EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM TA_AGRUPCUENTAS WHERE Descripcion = 'pendiente'")), 0);
    EXPECT_TRUE(prompt.records.empty());
}

TEST_P(AccesoDatos, AbrirRecordsetReportsFailuresWithTheAnswerConvention) {
    DB_Dll& db = DB();
    ado::Recordset rs;
    QString mala = QStringLiteral("SELECT * FROM NO_EXISTE");
    prompt.answer(vb::Abort);
    db.AbrirRecordset(mala, rs);
    EXPECT_EQ(rs.State(), ado::ad::StateClosed);
    ASSERT_EQ(prompt.records.size(), 1u);
    EXPECT_TRUE(prompt.records[0].title.contains(QStringLiteral("AbrirRecordset Aviso al operador!!! - 5 ")));
    // Retry runs the failed step again: the table exists by then.
    prompt.onMessage = [&](const ScriptedPrompt::Record&) { env->sqlNativo(QStringLiteral("CREATE TABLE NO_EXISTE (A INTEGER);")); };
    prompt.answer(vb::Retry);
    db.AbrirRecordset(mala, rs);
    EXPECT_EQ(rs.State(), ado::ad::StateOpen);
    EXPECT_EQ(prompt.records.size(), 2u);
}

TEST_P(AccesoDatos, EjecutaConsultaSQLRemovesTheMarkerAndFailsSilently) {
    DB_Dll& db = DB();
    QString borrar = QStringLiteral("DELETE @Admin_TA_AGRUPCUENTAS_DETALLE WHERE IDAGRUPACION = '0001'");
    long n = -1;
    db.EjecutaConsultaSQL(borrar, n, nullptr);
    EXPECT_EQ(borrar, QStringLiteral("DELETE TA_AGRUPCUENTAS_DETALLE WHERE IDAGRUPACION = '0001'"));
    EXPECT_EQ(n, 5);
    QString dup = QStringLiteral("INSERT INTO TA_AGRUPCUENTAS (IDAGRUPACION, Descripcion) VALUES ('0001','x')");
    db.EjecutaConsultaSQL(dup, n, nullptr);
    db.EjecutaConsultaRSQL(dup, n, nullptr);   // integrity errors are not shown either
    ASSERT_EQ(db.gCnn.errors().Count(), 1);
    EXPECT_EQ(db.gCnn.errors().Item(0).NativeError, 2627);
    // A truncation without a transaction is forgiven: the collection is cleared.
    QString larga = QStringLiteral("INSERT INTO TA_AGRUPCUENTAS (IDAGRUPACION, Descripcion) VALUES ('99999','x')");
    db.EjecutaConsultaSQL(larga, n, nullptr);
    EXPECT_EQ(db.gCnn.errors().Count(), 0);
    QString conTrans = QStringLiteral("BEGIN TRANSACTION \rINSERT INTO TA_AGRUPCUENTAS (IDAGRUPACION, Descripcion) VALUES ('99999','x')");
    db.EjecutaConsultaSQL(conTrans, n, nullptr);
    EXPECT_EQ(db.gCnn.errors().Count(), 1);
    db.EjecutaConsultaSQL(QStringLiteral("ROLLBACK TRANSACTION"));
    EXPECT_TRUE(prompt.records.empty());
    db.gCnn.Close();
    QString cualquiera = QStringLiteral("DELETE TA_CAJAS WHERE 1=0");
    db.EjecutaConsultaRSQL(cualquiera, n, nullptr);   // a closed connection (3709) is shown
    ASSERT_EQ(prompt.records.size(), 1u);
    EXPECT_EQ(prompt.records[0].title, QStringLiteral("Aviso al operador!!!"));
}

// An embedded file cannot be lost under a connection; these run on the server.
class PerdidaConexion : public AccesoDatos {};

TEST_P(PerdidaConexion, IsReopenedAndTheStepRetried) {
    DB_Dll& db = DB();
    ado::Recordset rs;
    QString pid = QStringLiteral("SELECT pg_backend_pid()");
    db.AbrirRecordset(pid, rs);
    env->sqlNativo(QStringLiteral("SELECT pg_terminate_backend(%1);").arg(rs.Fields(0).Value().toLongLong()));
    prompt.answer(vb::Retry);
    QString sql = QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS");
    db.AbrirRecordset(sql, rs);
    ASSERT_EQ(rs.State(), ado::ad::StateOpen);
    EXPECT_EQ(rs.Fields(0).Value().toLongLong(), 278);
    ASSERT_EQ(prompt.records.size(), 1u);   // the reconnection itself asked nothing
    EXPECT_TRUE(prompt.records[0].title.contains(QStringLiteral("AbrirRecordset")));
    EXPECT_TRUE(db.gOpenFlag);
}

TEST_P(PerdidaConexion, ThatCannotBeReopenedAsksAndNoEndsTheProgram) {
    DB_Dll& db = DB();
    ado::Recordset rs;
    QString pid = QStringLiteral("SELECT pg_backend_pid()");
    db.AbrirRecordset(pid, rs);
    const QString base = env->db().base;
    env->sqlNativo(QStringLiteral("SELECT pg_terminate_backend(%1);").arg(rs.Fields(0).Value().toLongLong()));
    // The database is away while the first question is asked, back for the second.
    {
        ado::Connection admin;
        admin.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=PG\\%1;Database =postgres;UId=postgres;Pwd=;").arg(qEnvironmentVariable("AGR_PG_SERVICE")));
        admin.runNative(QStringLiteral("ALTER DATABASE %1 RENAME TO %1_fuera").arg(base));
        int preguntas = 0;
        prompt.onMessage = [&](const ScriptedPrompt::Record& r) {
            if (r.title == QLatin1String("AVISO AL OPERADOR") && ++preguntas == 1)
                admin.runNative(QStringLiteral("ALTER DATABASE %1_fuera RENAME TO %1").arg(base));
        };
        prompt.answer(vb::Yes);     // lost connection: try again
        prompt.answer(vb::Ignore);  // the report of the failed statement
        QString sql = QStringLiteral("SELECT 1");
        db.AbrirRecordset(sql, rs);
        ASSERT_GE(prompt.records.size(), 2u);
        const auto& m = prompt.records[0];
        EXPECT_EQ(m.title, QStringLiteral("AVISO AL OPERADOR"));
        EXPECT_EQ(m.buttons, vb::YesNo | vb::Critical);
        EXPECT_EQ(m.text, QStringLiteral("\r\n\r\n\r\nSe perdio la conexion con la base de datos %1\r\n Servidor %2\r\n\r\n"
                                         "Elija SI para reintentar conectarse\r\nElija NO para cerrar la aplicacion\r\n\r\n\r\n")
                              .arg(base, env->db().servidor));
        EXPECT_TRUE(db.gOpenFlag);
        prompt.onMessage = nullptr;
    }
    // Now answered No: the program ends without another question.
    db.AbrirRecordset(pid, rs);
    {
        ado::Connection admin;
        admin.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=PG\\%1;Database =postgres;UId=postgres;Pwd=;").arg(qEnvironmentVariable("AGR_PG_SERVICE")));
        admin.runNative(QStringLiteral("SELECT pg_terminate_backend(%1)").arg(rs.Fields(0).Value().toLongLong()));
        admin.runNative(QStringLiteral("ALTER DATABASE %1 RENAME TO %1_fuera").arg(base));
        bool fin = false;
        setProcessEndHandler([&](int c) {
            fin = true;
            throw ProcessEndRequested{c};
        });
        const size_t antes = prompt.records.size();
        prompt.answer(vb::No);
        QString sql = QStringLiteral("SELECT 1");
        EXPECT_THROW(db.AbrirRecordset(sql, rs), ProcessEndRequested);
        EXPECT_TRUE(fin);
        EXPECT_EQ(prompt.records.size(), antes + 1);
        admin.runNative(QStringLiteral("ALTER DATABASE %1_fuera RENAME TO %1").arg(base));
    }
}

TEST_P(AccesoDatos, LookupStatementsAreExactAndRunOnTheEngine) {
    DB_Dll& db = DB();
    EXPECT_TRUE(db.ExisteEnTabla(QStringLiteral("MA_CUENTAS"), QStringLiteral(" 110101 ")));
    EXPECT_EQ(db.ultimaSentencia, QStringLiteral("SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='110101'"));
    EXPECT_FALSE(db.ExisteEnTabla(QStringLiteral("MA_CUENTAS"), QStringLiteral("999")));
    EXPECT_TRUE(db.ExisteEnTabla(QStringLiteral("MV_EJERCICIOS"), QStringLiteral("2026abc"), QStringLiteral("PERIODO"), nullptr, QStringLiteral("3")));
    EXPECT_EQ(db.ultimaSentencia, QStringLiteral("SELECT TOP 1 * FROM MV_EJERCICIOS with(nolock)  WHERE PERIODO = 2026"));
    EXPECT_TRUE(db.ExisteEnTabla(QStringLiteral("MA_CUENTAS"), QString(), QString(), nullptr, QStringLiteral("8"),
                                 QStringLiteral(" WHERE TITULO = 1")));
    EXPECT_EQ(db.ultimaSentencia, QStringLiteral("SELECT TOP 1 * FROM MA_CUENTAS with(nolock)   WHERE TITULO = 1"));
    EXPECT_TRUE(db.ExisteEnTabla(QStringLiteral("MA_CUENTAS"), QString(), QString(), nullptr, QStringLiteral("8"), QStringLiteral("TITULO = 1")));
    EXPECT_EQ(db.ultimaSentencia, QStringLiteral("SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE TITULO = 1"));

    ado::Recordset rs;
    EXPECT_TRUE(db.ExisteEnTabla(QStringLiteral("TA_AGRUPCUENTAS"), QStringLiteral("0003"), QStringLiteral("IDAGRUPACION"), &rs));
    ASSERT_EQ(rs.State(), ado::ad::StateOpen);
    EXPECT_EQ(rs[QStringLiteral("Descripcion")].toText(), QStringLiteral("Ventas por zona"));

    EXPECT_TRUE(db.ExisteEnTablaST(QStringLiteral("TA_CAJAS"), QStringLiteral("   1"), QStringLiteral("IdCajas")));
    EXPECT_EQ(db.ultimaSentencia, QStringLiteral("SELECT * FROM TA_CAJAS with(nolock)   WHERE IdCajas ='   1'"));
    EXPECT_TRUE(db.ExisteEnTablaST(QStringLiteral("TA_CAJAS"), QString(), QString(), nullptr, QStringLiteral("8"), QStringLiteral("IdCajas <> ''")));
    EXPECT_EQ(db.ultimaSentencia, QStringLiteral("SELECT * FROM TA_CAJAS with(nolock)   WHERE IdCajas <> ''"));

    EXPECT_EQ(db.DatosTabla(QStringLiteral("MA_CUENTAS"), QStringLiteral("110101"), QStringLiteral("DESCRIPCION")).toText(), QStringLiteral("Caja"));
    EXPECT_EQ(db.ultimaSentencia, QStringLiteral("SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='110101' "));
    EXPECT_EQ(db.DatosTabla(QStringLiteral("MA_CUENTAS"), QStringLiteral("110101"), QStringLiteral("DESCRIPCION"), QStringLiteral("Codigo"),
                            QStringLiteral("8"), QStringLiteral("TITULO = 0"), false).toText(), QStringLiteral("Caja"));
    EXPECT_EQ(db.ultimaSentencia, QStringLiteral("SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE Codigo ='110101'  AND TITULO = 0"));
    EXPECT_EQ(db.DatosTabla(QStringLiteral("MA_CUENTAS"), QStringLiteral("nada"), QStringLiteral("DESCRIPCION")).toText(), QString());
    EXPECT_EQ(db.DatosTabla(QStringLiteral("TA_USUARIOS"), QStringLiteral("ADMIN"), QStringLiteral("UNegocio"), QStringLiteral("Nombre")).toText(),
              QStringLiteral("   1"));
    env->sqlNativo(QStringLiteral("UPDATE TA_USUARIOS SET UNegocio = NULL;"));
    EXPECT_EQ(db.DatosTabla(QStringLiteral("TA_USUARIOS"), QStringLiteral("ADMIN"), QStringLiteral("UNegocio"), QStringLiteral("Nombre")).toText(), QString());
    EXPECT_EQ(db.DatosTabla(QStringLiteral("NO_EXISTE"), QStringLiteral("1"), QStringLiteral("X"), QStringLiteral("Codigo"), QStringLiteral("8"),
                            QString(), true, true).toText(), QString());
    EXPECT_EQ(db.DatosTabla(QStringLiteral("@Admin_V_TA_Cajas"), QStringLiteral("1"), QStringLiteral("Descripcion"), QStringLiteral("IdCajas"),
                            QStringLiteral("8"), QString(), true, true).toText(), QStringLiteral("CAJA 1"));
    EXPECT_EQ(db.DatosTabla(QStringLiteral("MV_EJERCICIOS"), QStringLiteral("1/1/2026"), QStringLiteral("PERIODO"), QStringLiteral("[Fecha Desde]"),
                            QStringLiteral("7")).toText(), QStringLiteral("2026"));
    // Only the report of the table that does not exist, from AbrirRecordset.
    EXPECT_EQ(prompt.unexpected, 1);
}

TEST_P(AccesoDatos, KeyValuesWithApostrophesFindTheirRowAndNothingElse) {
    DB_Dll& db = DB();
    env->sqlNativo(QStringLiteral("INSERT INTO MA_CUENTAS (Codigo, DESCRIPCION) VALUES ('O''Brien', 'Cuenta de O''Brien');"));
    EXPECT_TRUE(db.ExisteEnTabla(QStringLiteral("MA_CUENTAS"), QStringLiteral("O'Brien")));
    EXPECT_TRUE(db.ExisteEnTablaST(QStringLiteral("MA_CUENTAS"), QStringLiteral("O'Brien")));
    EXPECT_EQ(db.DatosTabla(QStringLiteral("MA_CUENTAS"), QStringLiteral("O'Brien"), QStringLiteral("DESCRIPCION")).toText(),
              QStringLiteral("Cuenta de O'Brien"));
    EXPECT_FALSE(db.ExisteEnTabla(QStringLiteral("MA_CUENTAS"), QStringLiteral("x' OR '1'='1")));
    EXPECT_FALSE(db.ExisteEnTablaST(QStringLiteral("MA_CUENTAS"), QStringLiteral("x' OR '1'='1")));
    EXPECT_EQ(db.DatosTabla(QStringLiteral("MA_CUENTAS"), QStringLiteral("x' OR '1'='1"), QStringLiteral("DESCRIPCION")).toText(), QString());
    EXPECT_TRUE(prompt.records.empty());
}

TEST_P(AccesoDatos, MaximaAndMinima) {
    DB_Dll& db = DB();
    EXPECT_DOUBLE_EQ(db.BuscaMaximo(QStringLiteral("MV_EJERCICIOS"), QStringLiteral("PERIODO")).toDouble(), 2026);
    EXPECT_EQ(db.ultimaSentencia, QStringLiteral("SELECT MAX(PERIODO) AS MAYOR FROM MV_EJERCICIOS"));
    QString cond = QStringLiteral(" PERIODO < 2026 ");
    EXPECT_DOUBLE_EQ(db.BuscaMaximo(QStringLiteral("MV_EJERCICIOS"), QStringLiteral("PERIODO"), {}, &cond).toDouble(), 2025);
    EXPECT_EQ(db.ultimaSentencia, QStringLiteral("SELECT MAX(PERIODO) AS MAYOR FROM MV_EJERCICIOS WHERE PERIODO < 2026"));
    // No rows (or only nulls): MAX is null, read as 0, or "" for dates.
    EXPECT_DOUBLE_EQ(db.BuscaMaximo(QStringLiteral("MA_BIENES"), QStringLiteral("CODIGO")).toDouble(), 0);
    EXPECT_EQ(db.BuscaMaximo(QStringLiteral("MA_BIENES"), QStringLiteral("CODIGO"), 7).toText(), QString());
    EXPECT_DOUBLE_EQ(db.BuscaMinimo(QStringLiteral("MV_EJERCICIOS"), QStringLiteral("PERIODO")).toDouble(), 2025);
    EXPECT_EQ(db.ultimaSentencia, QStringLiteral("SELECT MIN(PERIODO) AS MENOR FROM MV_EJERCICIOS  with(nolock) "));
    EXPECT_DOUBLE_EQ(db.BuscaUltimoCodigo(QStringLiteral("MV_EJERCICIOS"), QStringLiteral("PERIODO"), QStringLiteral("8"), QStringLiteral("   ")).toDouble(), 2026);
    EXPECT_EQ(db.ultimaSentencia, QStringLiteral("SELECT MAX(PERIODO) AS MAYOR FROM MV_EJERCICIOS"));
    // Article codes with a leading zero are skipped.
    env->sqlNativo(QStringLiteral("CREATE TABLE V_MA_ARTICULOS (idarticulo VARCHAR(25));"
                                  "INSERT INTO V_MA_ARTICULOS VALUES ('0999'), ('0005'), (' 850');"));
    QString vacia;
    EXPECT_DOUBLE_EQ(db.BuscaMaximo(QStringLiteral("V_MA_ARTICULOS"), QStringLiteral("idarticulo"), {}, &vacia).toDouble(), 850);
    EXPECT_EQ(vacia, QStringLiteral(" substring(ltrim(idarticulo),1,1)<>'0'"));
    EXPECT_DOUBLE_EQ(db.BuscaMaximo(QStringLiteral("V_MA_ARTICULOS"), QStringLiteral("idarticulo")).toDouble(), 850);
}

TEST_P(AccesoDatos, SchemaHelpersFindAndAddColumns) {
    DB_Dll& db = DB();
    EXPECT_TRUE(db.ExisteTablaDB(QStringLiteral(" ta_usuarios ")));
    EXPECT_FALSE(db.ExisteTablaDB(QStringLiteral("NO_EXISTE")));
    EXPECT_TRUE(db.ExisteCampoDB(QStringLiteral("TA_CAJAS"), QStringLiteral(" descripcion ")));
    EXPECT_FALSE(db.ExisteCampoDB(QStringLiteral("TA_CAJAS"), QStringLiteral("OBS")));
    EXPECT_TRUE(db.VerCampoDB(QStringLiteral("TA_CAJAS"), QStringLiteral("OBS"), false, QStringLiteral("VARCHAR(50)"), true));
    EXPECT_FALSE(db.ExisteCampoDB(QStringLiteral("TA_CAJAS"), QStringLiteral("OBS")));
    EXPECT_TRUE(db.VerCampoDB(QStringLiteral("TA_CAJAS"), QStringLiteral("OBS"), true, QStringLiteral("VARCHAR(50)"), true));
    EXPECT_TRUE(db.ExisteCampoDB(QStringLiteral("TA_CAJAS"), QStringLiteral("OBS")));
    db.AddField(QStringLiteral("TA_CAJAS"), QStringLiteral("NRO"), QStringLiteral("INT"), false, 0);
    EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM TA_CAJAS WHERE NRO = 0")), 2);
    EXPECT_TRUE(db.VerCampoDB(QStringLiteral("NO_EXISTE"), QStringLiteral("X"), true, QStringLiteral("INT"), true));
    DB().gProveedor = QStringLiteral("OraOLEDB.Oracle.1");
    EXPECT_TRUE(db.ExisteCampoDB(QStringLiteral("TA_CAJAS"), QStringLiteral("CUALQUIERA")));
    EXPECT_TRUE(prompt.records.empty());
}

TEST_P(AccesoDatos, NonAdministratorsReadTheRestrictedSynonyms) {
    ASSERT_TRUE(conectarDB(*env, QStringLiteral("OPERADOR")));
    DB_Dll& db = DB();
    EXPECT_FALSE(db.gEsAdmin);
    ado::Recordset rs;
    QString sql = QStringLiteral("SELECT CODIGO,DESCRIPCION FROM MA_CUENTAS WHERE (TITULO=0)  ORDER BY CODIGO");
    db.AbrirRecordset(sql, rs);
    EXPECT_EQ(sql, QStringLiteral("SELECT CODIGO,DESCRIPCION FROM SS_MA_CUENTAS WHERE (TITULO=0)  ORDER BY CODIGO"));
    long n = 0;
    for (; !rs.Eof(); rs.MoveNext()) ++n;
    // One postable account is confidential.
    EXPECT_EQ(n, contar(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS WHERE TITULO = 0")) - 1);
}

TEST(ScriptOracleEnMotor, RunsThePiecesInOneTransactionAndAddsTheCounts) {
    // A connection whose string names ORACLE takes the script runner; an
    // SQLite file in a folder of that name stands in for the server.
    EntornoPrueba env(Motor::Sqlite);
    QDir(env.db().carpeta).mkdir(QStringLiteral("ORACLE"));
    QFile::copy(env.db().carpeta + QStringLiteral("DEMO.db"), env.db().carpeta + QStringLiteral("ORACLE/DEMO.db"));
    DB_Dll db;
    db.gProveedor = DB_Dll::pJETOLEDB40();
    db.gDBName = env.db().carpeta + QStringLiteral("ORACLE/DEMO.db");
    db.OpenLocalADODB(QString(), QStringLiteral("User ID"), QStringLiteral("Password"));
    ASSERT_EQ(db.gCnn.State(), ado::ad::StateOpen);
    QString script = QStringLiteral("SET NOCOUNT ON\r\nBEGIN TRANSACTION\r\nINSERT INTO TA_CAJAS (IdCajas, Descripcion) VALUES ('   8','A')\r\n"
                                    "GO\r\nINSERT INTO TA_CAJAS (IdCajas, Descripcion) VALUES ('   9','B')\r\n"
                                    "IF NOT EXISTS (SELECT 1) SELECT 2\r\nCOMMIT TRANSACTION");
    long n = 0;
    db.EjecutaConsultaSQL(script, n, nullptr);
    EXPECT_EQ(n, 2);
    EXPECT_TRUE(script.isEmpty());
    EXPECT_FALSE(db.gCnn.inTransaction());
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT COUNT(*) FROM TA_CAJAS"), &db.gCnn);
    EXPECT_EQ(rs.Fields(0).Value().toLongLong(), 4);
    QString nada = QStringLiteral("SELECT 1");
    db.EjecutaConsultaSQL(nada, n, nullptr);
    EXPECT_EQ(n, 2);
}

INSTANTIATE_TEST_SUITE_P(Engines, PerdidaConexion, ::testing::Values(Motor::Postgres),
                         [](const auto& info) { return std::string(nombreMotor(info.param)); });
INSTANTIATE_TEST_SUITE_P(Engines, AccesoDatos, ::testing::Values(Motor::Sqlite, Motor::Postgres),
                         [](const auto& info) { return std::string(nombreMotor(info.param)); });

} // namespace
