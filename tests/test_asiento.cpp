#include "ConexionPrueba.h"
#include "ScriptedPrompt.h"
#include "accounting/Lbc_Asiento.h"
#include <QTest>
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

class AsientoDb : public PruebaConDemo {};

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

#include "accounting/Display.h"
#include "accounting/gui/Lbf_CtrlDisplay.h"
#include <QLabel>
#include <QPushButton>

namespace {

struct DisplayPrueba final : DisplayProgreso {
    int inicios = 0, cierres = 0, mostrados = 0;
    bool cancelarEn1 = false, fallarEn1 = false;
    QStringList lineas;
    DisplayPrueba() { setDisplay(this); }
    ~DisplayPrueba() override { setDisplay(nullptr); }
    void CartelInicio(const QString&, bool) override { ++inicios; }
    bool CartelMostrar(const std::optional<QString>& a, const std::optional<QString>& b, const std::optional<QString>&) override {
        ++mostrados;
        lineas << a.value_or(QString()) + u'|' + b.value_or(QString());
        if (fallarEn1 && mostrados == 1) throw VbError(3021, QStringLiteral("falla de prueba"));
        return cancelarEn1 && mostrados == 1;
    }
    void CartelCerrar() override { ++cierres; }
    void setSiempre_Visible(bool) override {}
};

class Subdiario : public AsientoDb {
protected:
    QStringList filas(const char* usuario) {
        ado::Recordset rs;
        rs.Open(QStringLiteral("SELECT cuenta_D, cuenta_H, Fecha, Concepto FROM AUX_SUBDIARIOS WHERE Usuario = '%1' ORDER BY Id").arg(QString::fromLatin1(usuario)),
                &DB().gCnn);
        QStringList out;
        for (; !rs.Eof(); rs.MoveNext())
            out << rs.Fields(0).Value().toText() + u'|' + rs.Fields(1).Value().toText() + u'|' + rs.Fields(2).Value().toText();
        return out;
    }
};

TEST_P(Subdiario, PairsDebitAndCreditLinesForTheUserOnly) {
    env->sqlNativo(QStringLiteral("INSERT INTO AUX_SUBDIARIOS (Usuario, Concepto) VALUES ('OTRO', 'ajeno'); INSERT INTO AUX_SUBDIARIOS (Usuario, Concepto) VALUES ('ADMIN', 'viejo');"));
    DisplayPrueba cartel;
    Lbc_Asiento a;
    QString desde;
    a.GeneraAuxiliarSubdiarios(desde, QStringLiteral("31/12/2026"), QStringLiteral("VENTAS"));
    EXPECT_EQ(desde, QStringLiteral("01/01/1990"));
    // One debit and two credits: two rows led by the credits, the debit in the first only.
    EXPECT_EQ(filas("ADMIN"), (QStringList{QStringLiteral("110301|210401|15/01/26"), QStringLiteral("|410101|15/01/26")}));
    EXPECT_EQ(filas("OTRO").size(), 1);
    EXPECT_EQ(cartel.lineas, QStringList{QStringLiteral("Generando el Reporte|0001-0000002")});
    EXPECT_EQ(cartel.cierres, 1);
    QString d2 = QStringLiteral("01/01/2026");
    a.GeneraAuxiliarSubdiarios(d2, QStringLiteral("31/12/2026"), QStringLiteral("COMPRAS"));
    const QStringList compras = filas("ADMIN");
    ASSERT_EQ(compras.size(), 2);
    EXPECT_TRUE(compras[0].startsWith(QStringLiteral("110402|210101|20/01/2026"))) << compras[0].toStdString();
    // A range without entries of that kind leaves no rows and shows nothing.
    const int antes = cartel.inicios;
    a.GeneraAuxiliarSubdiarios(d2, QStringLiteral("31/12/2026"), QStringLiteral("NINGUNO"));
    EXPECT_TRUE(filas("ADMIN").isEmpty());
    EXPECT_EQ(cartel.inicios, antes);
    EXPECT_TRUE(prompt.records.empty());
}

TEST_P(Subdiario, CancelAndFailureKeepTheRightRows) {
    DisplayPrueba cartel;
    Lbc_Asiento a;
    QString d = QStringLiteral("01/01/2026");
    cartel.cancelarEn1 = true;
    prompt.answer(vb::No);   // go on
    a.GeneraAuxiliarSubdiarios(d, QStringLiteral("31/12/2026"), QStringLiteral("VENTAS"));
    EXPECT_EQ(prompt.records.back().text, QStringLiteral("¿Realmente desea abortar el proceso?"));
    EXPECT_EQ(filas("ADMIN").size(), 2);
    cartel.mostrados = 0;
    prompt.answer(vb::Yes);  // stop: what was written stays (nothing yet here)
    a.GeneraAuxiliarSubdiarios(d, QStringLiteral("31/12/2026"), QStringLiteral("VENTAS"));
    EXPECT_TRUE(filas("ADMIN").isEmpty());
    // A failure leaves the user's previous rows.
    cartel.cancelarEn1 = false;
    cartel.mostrados = 0;
    a.GeneraAuxiliarSubdiarios(d, QStringLiteral("31/12/2026"), QStringLiteral("COMPRAS"));
    ASSERT_EQ(filas("ADMIN").size(), 2);
    cartel.mostrados = 0;
    cartel.fallarEn1 = true;
    prompt.answer(vb::Abort);
    a.GeneraAuxiliarSubdiarios(d, QStringLiteral("31/12/2026"), QStringLiteral("VENTAS"));
    EXPECT_EQ(filas("ADMIN").size(), 2);
    EXPECT_FALSE(DB().gCnn.inTransaction());
}

INSTANTIATE_TEST_SUITE_P(Engines, Subdiario, ::testing::Values(Motor::Sqlite, Motor::Postgres),
                         [](const auto& info) { return std::string(nombreMotor(info.param)); });

TEST(Display, NoticeLinesCancelAndAnimation) {
    Dll_Display d;
    EXPECT_FALSE(d.CartelMostrar(QStringLiteral("uno")));
    ASSERT_TRUE(d.ventana());
    EXPECT_FALSE(d.ventana()->isVisible());   // made, not shown, before CartelInicio
    d.CartelInicio(QStringLiteral("Procesando"), true);
    EXPECT_TRUE(d.ventana()->isVisible());
    EXPECT_TRUE(d.ventana()->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_NEAR(d.ventana()->windowOpacity(), 200.0 / 255.0, 0.01);
    d.CartelMostrar(std::nullopt, QStringLiteral("dos"));
    EXPECT_EQ(d.ventana()->LblCtrol[0]->text(), QStringLiteral("uno"));
    EXPECT_EQ(d.ventana()->LblCtrol[1]->text(), QStringLiteral("dos"));
    d.ventana()->CmdDisplayCancelar->click();
    EXPECT_EQ(d.ventana()->CmdDisplayCancelar->text(), QStringLiteral("Abortado"));
    EXPECT_TRUE(d.CartelMostrar());
    EXPECT_TRUE(d.CartelMostrar());
    d.setSiempre_Visible(true);
    EXPECT_TRUE(d.ventana()->windowFlags() & Qt::WindowStaysOnTopHint);
    const int16_t antes = d.ventana()->contador;
    QTest::qWait(250);
    EXPECT_NE(d.ventana()->contador, antes);
    d.CartelCerrar();
    EXPECT_EQ(d.ventana(), nullptr);
    EXPECT_FALSE(Lbf_CtrlDisplay::cuadro(1).toImage() == Lbf_CtrlDisplay::cuadro(2).toImage());
}

} // namespace

namespace {
TEST_P(AsientoDb, VouchersLettersAndDuplicates) {
    Lbc_Asiento a;
    EXPECT_EQ(a.DeterminaLetra(QStringLiteral("3")), QStringLiteral("B"));
    EXPECT_EQ(a.DeterminaLetra(QStringLiteral("1")), QStringLiteral("A"));
    env->sqlNativo(QStringLiteral("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'CONDIVA';"));
    EXPECT_EQ(a.DeterminaLetra(QStringLiteral("3")), QStringLiteral("Z"));
    EXPECT_TRUE(a.ComprobanteEntrada(QStringLiteral("FCC")));
    EXPECT_FALSE(a.ComprobanteEntrada(QStringLiteral("FC")));
    env->sqlNativo(QStringLiteral("INSERT INTO TA_COMPROBANTES (CODIGO, Letras) VALUES ('  RC', 'X');"));
    EXPECT_TRUE(a.ComprobanteEntrada(QStringLiteral("RC")));     // letters without numbering: incoming
    EXPECT_FALSE(a.ComprobanteEntrada(QStringLiteral("ZZ")));
    QString pv, nro, letra = QStringLiteral("A");
    a.DatosComprobante(QStringLiteral("FC"), pv, nro, letra);
    EXPECT_EQ(pv, QStringLiteral("0001"));
    EXPECT_EQ(nro, QStringLiteral("00000120"));
    EXPECT_EQ(a.TalonarioActual, 1);
    EXPECT_TRUE(a.ValidaTCRegistraciones(QStringLiteral(" FC ")));
    EXPECT_FALSE(a.ValidaTCRegistraciones(QStringLiteral("NC")));
    EXPECT_TRUE(a.ValidaSubdiarioTC(QStringLiteral("VENTAS"), QStringLiteral("fc")));
    EXPECT_FALSE(a.ValidaSubdiarioTC(QStringLiteral("VENTAS"), QStringLiteral("FCC")));
    EXPECT_TRUE(a.ValidaFechaSubdiario(QStringLiteral("15/01/2026"), QStringLiteral("VENTAS")));
    env->sqlNativo(QStringLiteral("INSERT INTO MV_CONTROL_AS_RES (SUBDIARIO, ID, PERIODO, Fecha_Desde, Fecha_Hasta, Anulado) VALUES "
                                  "('VENTAS', 7, 2026, '2026-01-01 00:00:00', '2026-01-31 00:00:00', 0);"));
    EXPECT_FALSE(a.ValidaFechaSubdiario(QStringLiteral("15/01/2026"), QStringLiteral("VENTAS")));
    EXPECT_FALSE(a.AsientoResumenAnulado(QStringLiteral("VENTAS"), QStringLiteral("1-7")));
    env->sqlNativo(QStringLiteral("UPDATE MV_CONTROL_AS_RES SET Anulado = 1;"));
    EXPECT_TRUE(a.AsientoResumenAnulado(QStringLiteral("VENTAS"), QStringLiteral("1-7")));
    ASSERT_EQ(prompt.records.size(), 1u);
    EXPECT_EQ(prompt.records[0].text, QStringLiteral("Este Asiento Resumen ya fue Contrasentado!!!"));
    // A recorded voucher whose type renumbers: Yes walks to the next free number.
    QString m, mes, asiento, cuenta, periodo, numero = QStringLiteral("00000120");
    prompt.answer(vb::Yes);
    EXPECT_TRUE(a.ValidaComprobante(QStringLiteral("FC"), QStringLiteral("0001"), numero, QStringLiteral("A"), m, mes, asiento, QString(), cuenta, periodo));
    EXPECT_EQ(numero, QStringLiteral("121"));
    EXPECT_EQ(prompt.records.back().text, QStringLiteral("El Comprobante Duplicado, el nuevo numero es: 0001-00000121A"));
    numero = QStringLiteral("00000120");
    prompt.answer(vb::No);
    EXPECT_FALSE(a.ValidaComprobante(QStringLiteral("FC"), QStringLiteral("0001"), numero, QStringLiteral("A"), m, mes, asiento, QString(), cuenta, periodo));
    EXPECT_EQ(numero, QStringLiteral("00000120"));
    EXPECT_EQ(m, QStringLiteral("Comprobante duplicado"));
    // A type that does not renumber reports the entry holding it.
    numero = QStringLiteral("00004567");
    EXPECT_FALSE(a.ValidaComprobante(QStringLiteral("FCC"), QStringLiteral("0003"), numero, QStringLiteral("A"), m, mes, asiento, QString(), cuenta, periodo));
    EXPECT_EQ(m, QStringLiteral("Comprobante registrado en el Asiento 1-3\r\n Para el subdiario: COMPRAS"));
}
} // namespace

#include <QFile>
#include <QProcess>

namespace {
TEST(LbcAsientoTool, RunsTheServicesOnTheNamedDatabase) {
    EntornoPrueba env(Motor::Sqlite);
    const QString exe = env.db().carpeta + QStringLiteral("lbc-asiento");
    ASSERT_TRUE(QFile::copy(QStringLiteral(AGR_BIN_DIR "/lbc-asiento"), exe));
    QFile::setPermissions(exe, QFile::permissions(exe) | QFileDevice::ExeUser);
    const QString p = QStringLiteral("@server=sqlite; @dbname=DEMO; @usuario=ADMIN; @Password=;");
    const auto correr = [&](const QStringList& args) {
        QProcess pr;
        pr.start(exe, QStringList{p} + args);
        pr.waitForFinished(30000);
        return QString::fromUtf8(pr.readAllStandardOutput()).trimmed();
    };
    EXPECT_EQ(correr({QStringLiteral("digito"), QStringLiteral("1234")}), QStringLiteral("50"));
    EXPECT_EQ(correr({QStringLiteral("proximo-asiento"), QStringLiteral("1"), QStringLiteral("VENTAS")}), QStringLiteral("3"));
    EXPECT_EQ(correr({QStringLiteral("cuenta-imputable"), QStringLiteral("1101")}), QStringLiteral("NO"));
    const QStringList filas = correr({QStringLiteral("subdiario"), QStringLiteral("01/01/2026"), QStringLiteral("31/12/2026"), QStringLiteral("COMPRAS")})
                                  .split(u'\n');
    ASSERT_EQ(filas.size(), 3);
    EXPECT_TRUE(filas[1].startsWith(QStringLiteral("1\t3\t20/01/2026\t110402")));
}
} // namespace
