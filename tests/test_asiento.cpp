#include "ConexionPrueba.h"
#include "ScriptedPrompt.h"
#include "accounting/Lbc_Asiento.h"
#include <gtest/gtest.h>

namespace {

TEST(Asiento, EntryNumberFormsAndCheckDigit) {
    EXPECT_EQ(Lbc_Asiento::FormatDisplayNroAsiento(45, QDate(2026, 3, 9)), QStringLiteral("03-0000045"));
    EXPECT_EQ(Lbc_Asiento::FormatNroAsiento(QStringLiteral("03-0000045")), QStringLiteral("45"));
    EXPECT_EQ(Lbc_Asiento::FormatNroAsiento(QStringLiteral("0000045")), QStringLiteral("45"));
    EXPECT_EQ(Lbc_Asiento::FMTNroAsiento(QStringLiteral("03-45")), QStringLiteral("03-0000045"));
    EXPECT_EQ(Lbc_Asiento::FMTNroAsiento(QStringLiteral("030000045")), QStringLiteral("03-0000045"));
    EXPECT_EQ(Lbc_Asiento::FMTNroAsiento(QStringLiteral("3-")), QStringLiteral("3-"));
    EXPECT_EQ(Lbc_Asiento::EliminaCarNroAsiento(QStringLiteral("03-0000045")).toText(), QStringLiteral("345"));
    EXPECT_EQ(Lbc_Asiento::EliminaCarNroAsiento(QStringLiteral("03/0000045"), QStringLiteral("3"), QStringLiteral("/")).toLongLong(), 345);
    EXPECT_EQ(Lbc_Asiento::EliminaCarNroAsiento(QStringLiteral("345")).toText(), QStringLiteral("345"));
    EXPECT_EQ(Lbc_Asiento::EliminaCarNroAsiento(QString()).toText(), QString());
    const std::pair<const char*, int> dv[] = {{"1234", 50}, {"11111", 25}, {"9999999", 36}, {"", 0}, {"1a2", 19}};
    for (const auto& [c, v] : dv) EXPECT_EQ(Lbc_Asiento::CalculoDV(QString::fromLatin1(c)), v) << c;
    EXPECT_EQ(Lbc_Asiento::UltimoDiaMes(QStringLiteral("2"), QStringLiteral("2024")), 29);
    EXPECT_EQ(Lbc_Asiento::UltimoDiaMes(QStringLiteral("2"), QStringLiteral("2026")), 28);
    EXPECT_EQ(Lbc_Asiento::UltimoDiaMes(QStringLiteral("12"), QStringLiteral("2026")), 31);
    EXPECT_THROW(Lbc_Asiento::UltimoDiaMes(QStringLiteral("13"), QStringLiteral("2026")), VbError);
    EXPECT_THROW(Lbc_Asiento::UltimoDiaMes(QStringLiteral("1"), QStringLiteral("x")), VbError);
}

class AsientoDb : public ::testing::TestWithParam<Motor> {
protected:
    void SetUp() override {
        REQUIRE_MOTOR(GetParam());
        env = std::make_unique<EntornoPrueba>(GetParam());
        ASSERT_TRUE(conectarDB(*env));
    }
    void TearDown() override { reiniciarDB(); }
    std::unique_ptr<EntornoPrueba> env;
    ScriptedPrompt prompt;
};

TEST_P(AsientoDb, NumbersPeriodsAndChecks) {
    Lbc_Asiento a;
    EXPECT_EQ(a.Periodo, 2026);
    EXPECT_EQ(a.UltimoNumeroAsiento(QStringLiteral("1")), 2);                       // entry 1 of January has no journal kind
    EXPECT_EQ(a.UltimoNumeroAsiento(QStringLiteral("1"), QStringLiteral("VENTAS")), 3);
    EXPECT_EQ(a.UltimoNumeroAsiento(QStringLiteral("7")), 1);
    QString m;
    bool cerrado = false;
    EXPECT_TRUE(a.ValidaEstadoPeriodoActual(m, &cerrado));                          // 2026 open, 2025 closed
    EXPECT_FALSE(a.ValidaEstadoPeriodoActual(m, &cerrado, nullptr, nullptr, QStringLiteral("2025")));
    EXPECT_TRUE(cerrado);
    EXPECT_EQ(m, QStringLiteral("El Periodo tiene realizado el Cierre y la Cancelacion de saldos de cuentas de resultados"));
    EXPECT_TRUE(a.ValidaEstadoPeriodoActual(m, nullptr, nullptr, nullptr, QStringLiteral("2030")));
    EXPECT_FALSE(a.ValidaRangoFechaEjercicio(QStringLiteral("15/06/2026"), QStringLiteral("01/01/2030")));
    EXPECT_TRUE(a.ValidaRangoFechaEjercicio(QStringLiteral("15/06/2026"), QStringLiteral("20/06/2026"), QStringLiteral("2026")));
    QString e = QStringLiteral("2026");
    EXPECT_TRUE(a.EjercicioAnteriorCerrado(e));
    QString desde, hasta;
    a.EjercicioRango(desde, hasta, QStringLiteral("2026"));   // the checks above left the current period at 2030
    EXPECT_EQ(desde, QStringLiteral("01/01/2026"));
    EXPECT_EQ(hasta, QStringLiteral("31/12/2026"));
    EXPECT_EQ(a.FechaHastaUltimoPeriodo(), QDate(2026, 12, 31));
    EXPECT_TRUE(a.ExistenMovFueraPeriodo(QStringLiteral("2026"), QStringLiteral("02/01/2026"), QStringLiteral("31/12/2026")));
    EXPECT_FALSE(a.ExistenMovFueraPeriodo(QStringLiteral("2026"), QStringLiteral("01/01/2025"), QStringLiteral("31/12/2026")));
    bool error = false;
    a.FechaValidada(QStringLiteral("10/05/2026"), m, error);
    EXPECT_FALSE(error);
    a.FechaValidada(QStringLiteral("10/05/2027"), m, error);
    EXPECT_TRUE(error);
    EXPECT_EQ(m, QStringLiteral("La fecha ingresada No es una Fecha Operativa posible!"));
    a.FechaValidada(QStringLiteral("31/02/2026"), m, error);
    EXPECT_EQ(m, QStringLiteral("La fecha ingresada no es correcta!!"));

    EXPECT_TRUE(a.CuentaImputable(QStringLiteral(" 110101 ")));
    EXPECT_FALSE(a.CuentaImputable(QStringLiteral("1101")));                        // a heading
    env->sqlNativo(QStringLiteral("UPDATE MA_CUENTAS SET BLOQUEO = 1 WHERE Codigo = '110102';"));
    EXPECT_FALSE(a.CuentaImputable(QStringLiteral("110102")));
    ado::Variant nombre = QStringLiteral("sin tocar");
    EXPECT_FALSE(a.ExisteCuentas(QStringLiteral("110102"), nullptr, &nombre));
    EXPECT_EQ(nombre.toText(), QStringLiteral("sin tocar"));
    EXPECT_TRUE(a.ExisteCuentas(QStringLiteral("110101"), nullptr, &nombre));
    EXPECT_EQ(nombre.toText(), QStringLiteral("Caja"));
    EXPECT_FALSE(a.ExisteCuentas(QStringLiteral("x' OR '1'='1")));
    ado::Recordset rs;
    EXPECT_FALSE(a.ExisteDatosAdicionales(QStringLiteral("110101"), rs));
    EXPECT_EQ(a.UltimoIDBienDeUso(), QStringLiteral("1"));
    env->sqlNativo(QStringLiteral("INSERT INTO MA_BIENES (CODIGO, Descripcion) VALUES (41, 'Rodado');"));
    EXPECT_EQ(a.UltimoIDBienDeUso(), QStringLiteral("42"));
    EXPECT_EQ(a.UltimoIDNovedadBienDeUso(QStringLiteral("41")), QStringLiteral("1"));
    ado::Recordset linea;
    EXPECT_TRUE(a.ExisteEnMVAsientos(QStringLiteral("FC"), QStringLiteral("0001"), QStringLiteral("00000120"), QStringLiteral("A"), nullptr, &linea));
    EXPECT_EQ(linea.State(), ado::ad::StateOpen);
    EXPECT_FALSE(a.ExisteEnMVAsientos(QStringLiteral("FC"), QStringLiteral("0001"), QStringLiteral("00000121"), QStringLiteral("A")));
    EXPECT_TRUE(a.ExisteEnMVAsientos2(QStringLiteral("FC"), QStringLiteral("0001"), QStringLiteral("00000120"), QStringLiteral("A"), QString(),
                                      QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("2026")));
    QString f, p;
    ado::Variant n;
    a.UltimoAjuste(f, p, n);
    EXPECT_EQ(f, QString());
    EXPECT_EQ(n.toLongLong(), 0);
    EXPECT_TRUE(prompt.records.empty());
}

INSTANTIATE_TEST_SUITE_P(Engines, AsientoDb, ::testing::Values(Motor::Sqlite, Motor::Postgres),
                         [](const auto& info) { return std::string(nombreMotor(info.param)); });

} // namespace
