#include "FormularioPrueba.h"
#include "ScriptedPrompt.h"
#include "TestDb.h"
#include "data/DB_Dll.h"
#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(ComponerCadena, ComposesTheExactServerStrings) {
    struct Row {
        const char *servidor, *base, *usuario, *clave, *extra, *esperada;
    };
    const Row rows[] = {
        {"S", "D", "U", "P", "", "PROVIDER=SQLOLEDB;Server=S;Database =D;UId=U;Pwd=P;"},
        {"SRV\\INST", "CONTAB", "OPER", "", "App=x;", "PROVIDER=SQLOLEDB;Server=SRV\\INST;Database =CONTAB;UId=OPER;Pwd=;App=x;"},
        {"S#", "ORCL", "U", "P", "ignorado", "Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=U;Password=P;"},
        {"srv#x", "D", "U", "P", "", "Provider=OraOLEDB.Oracle.1;Data Source=D;User Id=U;Password=P;"},
        // A password holding ";" would end its pair early; it goes in quotes.
        {"S", "D", "U", "a;b", "", "PROVIDER=SQLOLEDB;Server=S;Database =D;UId=U;Pwd=\"a;b\";"},
    };
    for (const Row& r : rows) {
        DB_Dll db;
        db.gServidor = QString::fromUtf8(r.servidor);
        db.gDBName = QString::fromUtf8(r.base);
        db.gUsuario = QString::fromUtf8(r.usuario);
        db.gUserPassWord = QString::fromUtf8(r.clave);
        db.gExtended = QString::fromUtf8(r.extra);
        db.gProveedor = QStringLiteral("Microsoft.Jet.OLEDB.4.0");   // never used for the server string
        EXPECT_EQ(db.ComponerCadenaServidor().toStdString(), std::string(r.esperada));
        EXPECT_EQ(db.gConnString.toStdString(), std::string(r.esperada));
    }
}

class Apertura : public ::testing::Test {
protected:
    void SetUp() override { env = std::make_unique<EntornoPrueba>(Motor::Sqlite); }
    void datos(DB_Dll& db, const QString& base = QStringLiteral("DEMO"), const QString& usuario = QStringLiteral("ADMIN")) {
        db.gServidor = QStringLiteral("sqlite");
        db.gDBName = base;
        db.gUsuario = usuario;
        db.gUserPassWord = QString();
    }
    std::unique_ptr<EntornoPrueba> env;
    ScriptedPrompt prompt;
};

TEST_F(Apertura, OpensWithTheComposedStringAndLeavesTheDefaultProvider) {
    DB_Dll db;
    datos(db);
    db.OpenServerADODB(false, 3, QString(), true, true);
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_EQ(db.gCnn.State(), ado::ad::StateOpen);
    EXPECT_EQ(db.gConnString, QStringLiteral("PROVIDER=SQLOLEDB;Server=sqlite;Database =DEMO;UId=ADMIN;Pwd=;"));
    EXPECT_EQ(db.gProveedor, QStringLiteral("SQLOLEDB"));
    EXPECT_EQ(db.gCnn.CursorLocation, 3);
    EXPECT_TRUE(db.gEsAdmin);
    EXPECT_TRUE(prompt.records.empty());
}

TEST_F(Apertura, CancellingTheFormMakesNoAttempt) {
    FormularioGuionado form;
    DB_Dll db;
    datos(db, QStringLiteral("NO_ESTA"));
    db.OpenServerADODB(true, 3, QString(), true, true);
    EXPECT_FALSE(db.gOpenFlag);
    EXPECT_EQ(form.mostrado, 1);
    EXPECT_EQ(form.vistos[0].TxtDbName, QStringLiteral("NO_ESTA"));
    EXPECT_EQ(form.vistos[0].TxtServidor, QStringLiteral("sqlite"));
    EXPECT_EQ(form.vistos[0].CboPlataformaDB, 0);
    EXPECT_EQ(db.gCnn.State(), ado::ad::StateClosed);
    EXPECT_TRUE(prompt.records.empty());
}

TEST_F(Apertura, OraclePlatformMarksTheServerOnce) {
    for (const char* servidor : {"ORA1", "ORA1#"}) {
        FormularioGuionado form;
        form.rellenar = [&](DatosConexion& d) {
            d.TxtServidor = QString::fromUtf8(servidor);
            d.TxtDbName = QStringLiteral("ORCL");
            d.CboPlataformaDB = 1;
            d.Aceptar = true;
        };
        DB_Dll db;
        datos(db);
        prompt.answer(vb::No);
        db.OpenServerADODB(true, 3, QString(), true, true);
        EXPECT_EQ(db.gServidor, QStringLiteral("ORA1#"));
        EXPECT_EQ(db.gProveedor, QStringLiteral("OraOLEDB.Oracle.1"));
        EXPECT_TRUE(db.gConnString.startsWith(QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=ORCL;")));
        // This platform has no Oracle provider: the failure is offered for retry, No gives up.
        EXPECT_FALSE(db.gOpenFlag);
    }
}

TEST_F(Apertura, FailedOpenOffersRetryWithTheFormAndTheExactMessage) {
    FormularioGuionado form;
    form.rellenar = [](DatosConexion& d) {
        d.TxtDbName = QStringLiteral("DEMO");
        d.Aceptar = true;
    };
    DB_Dll db;
    datos(db, QStringLiteral("NO_ESTA"), QStringLiteral("OPER"));
    prompt.answer(vb::Yes);
    db.OpenServerADODB(false, 3, QString(), true, true);
    ASSERT_EQ(prompt.records.size(), 1u);
    const auto& m = prompt.records[0];
    EXPECT_EQ(m.title, QStringLiteral(" Error de Conexion a Base de Datos"));
    EXPECT_EQ(m.buttons, vb::YesNo | vb::Critical);
    EXPECT_TRUE(m.text.startsWith(QStringLiteral(" Estado de Sql: 3024\rNumero de Error: "))) << qPrintable(m.text);
    EXPECT_TRUE(m.text.contains(QStringLiteral("\rCodigo Nativo: 3024\r\r\nNombre de Proceso: ")));
    EXPECT_TRUE(m.text.contains(QStringLiteral("por ejemplo : sqlite\\ZIROTEK\r\n3. Verifique si el inicio de sesion para el usuario OPER existe\r\n\r\n\r\n - Desea Intentarlo Nuevamente??? ")));
    EXPECT_TRUE(m.text.endsWith(QStringLiteral(" - Desea Intentarlo Nuevamente??? ")));
    EXPECT_EQ(form.mostrado, 1);
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_EQ(db.gCnn.State(), ado::ad::StateOpen);
    EXPECT_EQ(db.gConnString, QStringLiteral("PROVIDER=SQLOLEDB;Server=sqlite;Database =DEMO;UId=OPER;Pwd=;"));
}

TEST_F(Apertura, AnsweringNoOrMuteFailuresLeaveNoConnection) {
    DB_Dll db;
    datos(db, QStringLiteral("NO_ESTA"));
    prompt.answer(vb::No);
    db.OpenServerADODB(false, 3, QString(), true, true);
    EXPECT_FALSE(db.gOpenFlag);
    EXPECT_EQ(prompt.records.size(), 1u);
    DB_Dll mudo;
    datos(mudo, QStringLiteral("NO_ESTA"));
    mudo.OpenServerADODB(false, 3, QString(), true, false);
    EXPECT_FALSE(mudo.gOpenFlag);
    EXPECT_EQ(prompt.records.size(), 1u);
}

TEST_F(Apertura, OpeningAnOpenConnectionClosesItOnceAndOpensAgain) {
    DB_Dll db;
    datos(db);
    db.OpenServerADODB(false, 3, QString(), false, false);
    ASSERT_TRUE(db.gOpenFlag);
    db.OpenServerADODB(false, 3, QString(), false, false);
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_EQ(db.gCnn.State(), ado::ad::StateOpen);
}

TEST_F(Apertura, ReconnectionReopensOrFailsSilently) {
    DB_Dll db;
    datos(db);
    db.OpenServerADODB(false, 3, QString(), false, false);
    db.ReintentaConectar();
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_EQ(db.gCnn.State(), ado::ad::StateOpen);
    EXPECT_EQ(db.gCnn.CommandTimeout, 5);
    db.gCnn.Close();   // an already closed connection is no obstacle
    db.ReintentaConectar();
    EXPECT_TRUE(db.gOpenFlag);
    QFile::remove(env->db().carpeta + QStringLiteral("DEMO.db"));
    db.ReintentaConectar();
    EXPECT_FALSE(db.gOpenFlag);
    EXPECT_TRUE(prompt.records.empty());
}

TEST_F(Apertura, LocalOpenAsksForTheFileAndEndsOnCancel) {
    DB_Dll db;
    db.gProveedor = DB_Dll::pJETOLEDB40();
    prompt.answerText(env->db().carpeta + QStringLiteral("DEMO.db"));
    db.OpenLocalADODB(QString(), QStringLiteral("User ID"), QStringLiteral("Password"));
    EXPECT_EQ(db.gCnn.State(), ado::ad::StateOpen);
    ASSERT_EQ(prompt.records.size(), 1u);
    EXPECT_EQ(prompt.records[0].title, QStringLiteral("Buscar Base de Datos"));
    EXPECT_EQ(prompt.records[0].text, QStringLiteral("Base de Datos de Microsoft Access |*.MDB"));
    EXPECT_EQ(db.gConnString, QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source =") + env->db().carpeta +
                                  QStringLiteral("DEMO.db;User ID=;Password=;"));

    DB_Dll otra;
    otra.gProveedor = DB_Dll::pJETOLEDB40();
    otra.gDBName = QStringLiteral("/no/esta.mdb");
    prompt.answerText(std::nullopt);
    otra.OpenLocalADODB(QString(), QStringLiteral("User ID"), QStringLiteral("Password"));
    EXPECT_EQ(otra.gCnn.State(), ado::ad::StateClosed);
    EXPECT_EQ(prompt.records.size(), 2u);
    EXPECT_EQ(prompt.unexpected, 0);
}

// The admin check reads TA_USUARIOS.Administrador of the connected user.
class Administrador : public ::testing::TestWithParam<Motor> {
protected:
    void SetUp() override {
        REQUIRE_MOTOR(GetParam());
        env = std::make_unique<EntornoPrueba>(GetParam());
    }
    bool abrir(DB_Dll& db, const QString& usuario, bool valida = true, bool muestra = true) {
        db.gServidor = env->db().servidor;
        db.gDBName = env->db().base;
        db.gUsuario = usuario;
        db.OpenServerADODB(false, 3, QString(), valida, muestra);
        return db.gOpenFlag;
    }
    std::unique_ptr<EntornoPrueba> env;
    ScriptedPrompt prompt;
};

TEST_P(Administrador, FollowsTheUsersTable) {
    DB_Dll admin, oper;
    ASSERT_TRUE(abrir(admin, QStringLiteral("ADMIN")));
    EXPECT_TRUE(admin.gEsAdmin);
    oper.gEsAdmin = true;
    ASSERT_TRUE(abrir(oper, QStringLiteral("OPERADOR")));
    EXPECT_FALSE(oper.gEsAdmin);
    DB_Dll sinValidar;
    ASSERT_TRUE(abrir(sinValidar, QStringLiteral("OPERADOR"), false));
    EXPECT_TRUE(sinValidar.gEsAdmin);
    DB_Dll callado;
    ASSERT_TRUE(abrir(callado, QStringLiteral("OPERADOR"), true, false));
    EXPECT_TRUE(callado.gEsAdmin);
    env->sqlNativo(QStringLiteral("UPDATE TA_USUARIOS SET Administrador = 1 WHERE Nombre = 'OPERADOR';"));
    DB_Dll ascendido;
    ASSERT_TRUE(abrir(ascendido, QStringLiteral("OPERADOR")));
    EXPECT_TRUE(ascendido.gEsAdmin);
    env->sqlNativo(QStringLiteral("DELETE FROM TA_USUARIOS WHERE Nombre = 'OPERADOR';"));
    DB_Dll ausente;
    ausente.gEsAdmin = true;
    ASSERT_TRUE(abrir(ausente, QStringLiteral("OPERADOR")));
    EXPECT_FALSE(ausente.gEsAdmin);
    EXPECT_TRUE(prompt.records.empty());
}

TEST_P(Administrador, WithoutTheUsersTableTheFlagIsKept) {
    env->sqlNativo(QStringLiteral("DROP TABLE TA_USUARIOS;"));
    for (bool antes : {true, false}) {
        DB_Dll db;
        db.gEsAdmin = antes;
        ASSERT_TRUE(abrir(db, QStringLiteral("OPERADOR")));
        EXPECT_EQ(db.gEsAdmin, antes);
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, Administrador, ::testing::Values(Motor::Sqlite, Motor::Postgres),
                         [](const auto& info) { return std::string(nombreMotor(info.param)); });

} // namespace
