#include "ConexionPrueba.h"
#include "ScriptedPrompt.h"
#include "app/Configuracion.h"
#include "app/Sesion.h"
#include "data/Ajustes.h"
#include <QFile>
#include <gtest/gtest.h>

namespace {

class Configuracion : public ::testing::TestWithParam<Motor> {
protected:
    void SetUp() override {
        REQUIRE_MOTOR(GetParam());
        env = std::make_unique<EntornoPrueba>(GetParam());
        Ajustes = AjustesSesion();
        reiniciarSesion();
        reiniciarDBEstadisticas();
        ASSERT_TRUE(conectarDB(*env));
        Session.UsuarioLogeado = QStringLiteral("ADMIN");
    }
    void TearDown() override {
        reiniciarDB();
        reiniciarDBEstadisticas();
    }
    void clave(const char* k, const char* v) {
        env->sqlNativo(QStringLiteral("DELETE FROM TA_CONFIGURACION WHERE CLAVE = '%1';").arg(QString::fromUtf8(k)));
        if (v) env->sqlNativo(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux) VALUES ('%1', '%2', 'aux');")
                                  .arg(QString::fromUtf8(k), QString::fromUtf8(v)));
    }
    std::unique_ptr<EntornoPrueba> env;
    ScriptedPrompt prompt;
};

TEST_P(Configuracion, CfgReadsValueAndAuxiliaryOrOneBlank) {
    QString aux = QStringLiteral("previo");
    EXPECT_EQ(Cfg(QStringLiteral(" periodo "), aux), QStringLiteral("2026"));
    EXPECT_EQ(aux, QString());
    EXPECT_EQ(DB().ultimaSentencia, QStringLiteral("SELECT VALOR, valoraux FROM TA_CONFIGURACION with(nolock)  WHERE CLAVE = 'periodo'"));
    clave("CONAUX", "v");
    EXPECT_EQ(Cfg(QStringLiteral("conaux"), aux), QStringLiteral("v"));
    EXPECT_EQ(aux, QStringLiteral("aux"));
    EXPECT_EQ(Cfg(QStringLiteral("NO_ESTA"), aux), QStringLiteral(" "));
    EXPECT_EQ(aux, QString());
    EXPECT_EQ(Cfg(QStringLiteral("x' OR '1'='1")), QStringLiteral(" "));
    Cfg(QStringLiteral("[Fecha Hasta]"));
    EXPECT_EQ(DB().ultimaSentencia, QStringLiteral("SELECT VALOR, VALORAUX FROM TA_CONFIGURACION WITH(NOLOCK)  WHERE CLAVE = '[FECHA HASTA]'"));
    clave("THEME", nullptr);
    EXPECT_EQ(Cfg(QStringLiteral("theme")), QStringLiteral("1"));
    clave("THEME", "  ");
    EXPECT_EQ(Cfg(QStringLiteral("THEME")), QStringLiteral("1"));
    clave("THEME", "3");
    EXPECT_EQ(Cfg(QStringLiteral("THEME")), QStringLiteral("3"));
    EXPECT_TRUE(prompt.records.empty());
}

TEST_P(Configuracion, CfgOnAClosedDatabaseDoesNotTouchIt) {
    DB().gCnn.Close();
    DB().gOpenFlag = false;
    EXPECT_EQ(Cfg(QStringLiteral("PERIODO")), QString());
    EXPECT_TRUE(prompt.records.empty());
}

TEST_P(Configuracion, StatisticsConnectionSetsTheTimeOut) {
    ConectaEstadisticas();
    EXPECT_TRUE(DBEstadisticas().gOpenFlag);
    EXPECT_EQ(DBEstadisticas().gDBName, QStringLiteral("VM_ESTADISTICAS"));
    EXPECT_EQ(DBEstadisticas().gUsuario, QStringLiteral("VM_ESTADISTICAS"));
    EXPECT_EQ(DBEstadisticas().gUserPassWord.size(), 15);
    EXPECT_EQ(DBEstadisticas().gServidor, DB().gServidor);
    EXPECT_EQ(Session.TimeOut, 360);
    EXPECT_EQ(CfgVM(QStringLiteral("TimeOut")), QStringLiteral("360"));
    EXPECT_TRUE(prompt.records.empty());
}

TEST_P(Configuracion, LoadsTheKeysIntoTheSessionSettings) {
    clave("ModuloOrdenDeTrabajo", nullptr);
    clave("CFondo", "255");
    clave("CLetra", "0");
    clave("MADERERA", "no");
    clave("V_ModificaCPrecio", "x");
    clave("MaxDto", "12,5");
    clave("TituloClientes", "  Clientes  ");
    clave("CONDIVAEMPRESA", "0");
    clave("CONDIVA", "0");
    CargaConfiguracion(env->db().carpeta);
    const AjustesSesion& a = Ajustes;
    EXPECT_EQ(a.TablaConfiguracion, QStringLiteral("ta_configuracion"));
    EXPECT_TRUE(a.SS_CONFIDENCIALIDAD);
    EXPECT_TRUE(a.UsaConsultaLike);
    EXPECT_EQ(a.Periodo, 2026);
    EXPECT_TRUE(a.ModuloOrdenDeTrabajo);   // absent reads as true
    EXPECT_FALSE(a.ValidaCodigoBarra);     // absent reads as false
    EXPECT_FALSE(a.Maderera);
    EXPECT_TRUE(a.V_ModificaCPrecio);
    EXPECT_FALSE(a.C_ModificaCPrecio);
    EXPECT_DOUBLE_EQ(a.MaxDto, 12.5);
    EXPECT_EQ(a.TituloClientes, QStringLiteral("Clientes"));
    EXPECT_EQ(a.CondIvaEmpresa, 1);
    EXPECT_EQ(a.TopDefault, QStringLiteral("1000"));
    EXPECT_EQ(a.UnidadNegocio, QStringLiteral("   1"));
    EXPECT_EQ(a.ArchivoTareas, env->db().carpeta + QStringLiteral("VMDOCTareas.vlm"));
    EXPECT_EQ(Session.ColorFondo, 255u);
    EXPECT_EQ(Session.ColorLetra, 0u);
    EXPECT_TRUE(prompt.records.empty());
    clave("CFondo", "0");
    clave("ModuloOrdenDeTrabajo", " no ");
    clave("Top_Default", "250");
    env->sqlNativo(QStringLiteral("UPDATE TA_USUARIOS SET UNegocio = '  ';"));
    CargaConfiguracion(env->db().carpeta);
    EXPECT_EQ(Session.ColorFondo, 16776960u);
    EXPECT_FALSE(Ajustes.ModuloOrdenDeTrabajo);
    EXPECT_EQ(Ajustes.TopDefault, QStringLiteral("250"));
    EXPECT_EQ(Ajustes.UnidadNegocio, QStringLiteral("   1"));
}

INSTANTIATE_TEST_SUITE_P(Engines, Configuracion, ::testing::Values(Motor::Sqlite, Motor::Postgres),
                         [](const auto& info) { return std::string(nombreMotor(info.param)); });

// The statistics database of each SQLite test is its own file, so these may write it.
TEST(EstadisticasSqlite, MissingTimeOutCreatesTheRowAndKeepsTheDefault) {
    EntornoPrueba env(Motor::Sqlite);
    ScriptedPrompt prompt;
    reiniciarDBEstadisticas();
    ASSERT_TRUE(conectarDB(env));
    {
        ado::Connection c;
        c.Open(QStringLiteral("Provider=SQLite;Data Source=") + env.db().carpeta + QStringLiteral("VM_ESTADISTICAS.db"));
        c.Execute(QStringLiteral("DELETE FROM TA_CONFIGURACION"));
    }
    ConectaEstadisticas();
    EXPECT_EQ(Session.TimeOut, 360);
    QString aux;
    EXPECT_EQ(CfgVM(QStringLiteral("TIMEOUT"), aux), QStringLiteral("0"));
    EXPECT_EQ(DBEstadisticas().DatosTabla(QStringLiteral("TA_CONFIGURACION"), QStringLiteral("TIMEOUT"), QStringLiteral("Grupo"),
                                          QStringLiteral("CLAVE")).toText(),
              QStringLiteral("BaseDeDatos"));
    GuardaCfgEstadisticas(QStringLiteral("timeout"), QStringLiteral(" 90 "), QStringLiteral(" x "), true, QStringLiteral("BaseDeDatos"), true);
    ConectaEstadisticas();
    EXPECT_EQ(Session.TimeOut, 90);
    EXPECT_EQ(CfgVM(QStringLiteral("TimeOut"), aux), QStringLiteral("90"));
    EXPECT_EQ(aux, QStringLiteral("x"));
    // Without the statistics database the default stays, and nobody is asked.
    QFile::remove(env.db().carpeta + QStringLiteral("VM_ESTADISTICAS.db"));
    ConectaEstadisticas();
    EXPECT_EQ(Session.TimeOut, 360);
    EXPECT_FALSE(DBEstadisticas().gOpenFlag);
    EXPECT_TRUE(prompt.records.empty());
    reiniciarDB();
    reiniciarDBEstadisticas();
}

} // namespace
