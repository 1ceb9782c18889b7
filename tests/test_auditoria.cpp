#include "ConexionPrueba.h"
#include "ScriptedPrompt.h"
#include "app/Auditoria.h"
#include "app/Programas.h"
#include "app/Sesion.h"
#include "data/SentenciasSQL.h"
#include "platform/ProgramFolder.h"
#include "util/Formatos.h"
#include "util/ZtWorkstation.h"
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(Sentencias, BuildInsertAndUpdateTexts) {
    QStringList s;
    AgregaCampo(QStringLiteral("Maquina"), QStringLiteral("PC'07"), QStringLiteral("'"), true);
    AgregaCampo(QStringLiteral("Importe"), QStringLiteral("1,5"), QStringLiteral("@"), false);
    AgregaCampo(QStringLiteral("Obs"), QStringLiteral("null"), QStringLiteral("'"), false);
    QString donde;
    ArmaSentenciaSQL(CamposSQL(), s, QStringLiteral("T"), false, donde, true);
    ASSERT_EQ(s.size(), 2);
    EXPECT_EQ(s[0], QStringLiteral("INSERT INTO T (Maquina,Importe,Obs) VALUES ('PC07',1.5,Null)"));
    EXPECT_EQ(s[1], QString());
    donde = QStringLiteral("Id = 3");
    ArmaSentenciaSQL(CamposSQL(), s, QStringLiteral("T"), true, donde, false);
    EXPECT_EQ(s[2], QStringLiteral("UPDATE T SET Maquina = 'PC07',Importe = 1.5,Obs = Null  WHERE Id = 3"));
    EXPECT_EQ(donde, QStringLiteral(" WHERE Id = 3"));
    EXPECT_EQ(CamposSQL().size(), 1u);
    QString vacio;
    QStringList u;
    AgregaCampo(QStringLiteral("A"), QStringLiteral("1"), QString(), true);
    ArmaSentenciaSQL(CamposSQL(), u, QStringLiteral("T"), true, vacio, false);
    EXPECT_EQ(u[0], QStringLiteral("UPDATE T SET A = 1  WHERE "));
}

TEST(Sentencias, OracleAdaptationOnlyOnOracle) {
    reiniciarDB();
    EXPECT_EQ(AdaptaSentenciaOracle(QStringLiteral("Select TOP 1 * from X")), QStringLiteral("Select TOP 1 * from X"));
    DB().gConnString = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=D;");
    EXPECT_EQ(AdaptaSentenciaOracle(QStringLiteral("SELECT TOP 100 * FROM X")), QStringLiteral("SELECT  *  FROM X WHERE ROWNUM <=  100 "));
    EXPECT_EQ(AdaptaSentenciaOracle(QStringLiteral("len")), QStringLiteral("LENGTH"));
    EXPECT_THROW(AdaptaSentenciaOracle(QStringLiteral("SELECT TOP 1 A FROM X")), VbError);
    reiniciarDB();
}

TEST(Formatos, VoucherNumbersAndPatterns) {
    EXPECT_EQ(FormatoNroComprobante(QStringLiteral("1"), QStringLiteral("123"), QStringLiteral("A")), QStringLiteral("0001-00000123A"));
    EXPECT_EQ(FormatoNroComprobante(QString(), QStringLiteral("x"), QStringLiteral("BC")), QStringLiteral("0000-00000000B"));
    EXPECT_EQ(FormatoNroComprobante(QStringLiteral("12"), QStringLiteral("7"), QString()), QStringLiteral("0012-00000007 "));
    // A number beyond 64 bits is an overflow for the caller's trap, not a wrong text.
    for (const char* enorme : {"94e91", "-9.3e18"}) {
        try {
            FormatoNroComprobante(QStringLiteral("1"), QString::fromLatin1(enorme), QStringLiteral("A"));
            ADD_FAILURE() << enorme;
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), 6) << enorme;
        }
    }
    const QDateTime m(QDate(2026, 3, 5), QTime(14, 7));
    EXPECT_EQ(FormatearVB(m, FormatoFechaHora()), QStringLiteral("05/03/26 14:07"));
    EXPECT_EQ(FormatearVB(m, FormatoFecha()), QStringLiteral("05/03/26"));
    EXPECT_EQ(FormatearVB(m, FormatoHora()), QStringLiteral("14:07"));
}

class Script : public PruebaConDemo {};

TEST_P(Script, RunsAllOrNothingAndRecordsTheFailure) {
    const QStringList buenas = {QStringLiteral("INSERT INTO TA_CAJAS (IdCajas, Descripcion) VALUES ('   8', 'A')"), QString(),
                                QStringLiteral("INSERT INTO TA_CAJAS (IdCajas, Descripcion) VALUES ('   9', 'B')")};
    ResultadoScript r;
    EXPECT_EQ(GActualizarDatoScript(buenas, false, false, true, &r), 0);
    EXPECT_FALSE(r.fallo);
    EXPECT_EQ(r.script, QStringLiteral("BEGIN TRANSACTION \r\r\rINSERT INTO TA_CAJAS (IdCajas, Descripcion) VALUES ('   8', 'A')\r"
                                       "INSERT INTO TA_CAJAS (IdCajas, Descripcion) VALUES ('   9', 'B')\r"));
    EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM TA_CAJAS")), 4);
    EXPECT_FALSE(DB().gCnn.inTransaction());
    // The first statement would work, the second is a duplicate: nothing stays.
    const QStringList malas = {QStringLiteral("INSERT INTO TA_CAJAS (IdCajas, Descripcion) VALUES ('   7', 'C')"),
                               QStringLiteral("INSERT INTO TA_CAJAS (IdCajas, Descripcion) VALUES ('   8', 'D')")};
    EXPECT_EQ(GActualizarDatoScript(malas, false, false, true, &r), 2627);
    EXPECT_TRUE(r.fallo);
    EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM TA_CAJAS")), 4);
    EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM AUX_ERR WHERE Error = 2627")), 1);
    ASSERT_EQ(prompt.records.size(), 1u);
    EXPECT_EQ(prompt.records[0].title, QStringLiteral("Aviso al Operador!"));
    EXPECT_TRUE(prompt.records[0].text.startsWith(QStringLiteral("2627 : ")));
    EXPECT_FALSE(DB().gCnn.inTransaction());
    // Ignoring duplicates still rolls back and records, but asks nothing.
    GActualizarDatoScript(malas, true, false, true, &r);
    EXPECT_EQ(prompt.records.size(), 1u);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM AUX_ERR WHERE Error = 2627")), 2);
    // Only empty entries: nothing runs.
    EXPECT_EQ(GActualizarDatoScript({QString(), QStringLiteral("  ")}, false, false, true, &r), 0);
    EXPECT_TRUE(r.script.isEmpty());
}

TEST_P(Script, AuditRowRecordsTheStart) {
    Puesto().setComputerName(QStringLiteral("pc07"));
    setExeName(QStringLiteral("agrupcuentas"));
    RegistraAcceso(QString());
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT Maquina, Usuario, Formulario, Tarea, Ingreso, NombreUsuario FROM Control_Acceso"), &DB().gCnn);
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.Fields(0).Value().toText(), QStringLiteral("PC07"));
    EXPECT_EQ(rs.Fields(1).Value().toText(), QStringLiteral("ADMIN"));
    EXPECT_EQ(rs.Fields(2).Value().toText(), QStringLiteral("AGRUPCUENTAS"));
    EXPECT_EQ(rs.Fields(3).Value().toText(), QStringLiteral("AGRUPACIÓN DE CUENTAS CONTABLES"));
    EXPECT_EQ(rs.Fields(4).Value().toText().size(), 14);
    EXPECT_EQ(rs.Fields(5).Value().toText(), QStringLiteral("ADMIN"));
    EXPECT_EQ(Session.UsuarioLogeado, QStringLiteral("ADMIN"));
    // A user without a task row gets the executable name.
    env->sqlNativo(QStringLiteral("DELETE FROM TA_TAREAS;"));
    RegistraAcceso(QStringLiteral("OTRO"));
    rs.Close();
    rs.Open(QStringLiteral("SELECT Formulario, Tarea FROM Control_Acceso WHERE Formulario = 'OTRO'"), &DB().gCnn);
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.Fields(1).Value().toText(), QStringLiteral("AGRUPCUENTAS"));
    Puesto().setComputerName(QString());
    setExeName(QString());
    EXPECT_TRUE(prompt.records.empty());
}

INSTANTIATE_TEST_SUITE_P(Engines, Script, ::testing::Values(Motor::Sqlite, Motor::Postgres),
                         [](const auto& info) { return std::string(nombreMotor(info.param)); });

TEST(MenuExes, StartsTheCompanionWithTheSessionOnItsCommandLine) {
    QTemporaryDir dir;
    setProgramFolder(dir.path());
    reiniciarDB();
    reiniciarSesion();
    DB().gServidor = QStringLiteral("SRV01");
    DB().gDBName = QStringLiteral("CONTAB");
    DB().gUsuario = QStringLiteral("OPER");
    DB().gUserPassWord = QStringLiteral("clave");
    Session.UsuarioLogeado = QStringLiteral("OPER");
    Session.Caja = QStringLiteral("2");
    // A companion that writes what it received.
    const QString salida = dir.path() + QStringLiteral("/recibido.txt");
    QFile f(dir.path() + QStringLiteral("/Compania"));
    f.open(QIODevice::WriteOnly);
    f.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$*\" > '%1'\n").arg(salida).toUtf8());
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    ScriptedPrompt prompt;
    QString parametro = QStringLiteral("uno dos tres");
    qint64 pid = 0;
    MenuExes(QStringLiteral("SHELL:Compania"), parametro, pid);
    EXPECT_EQ(parametro, QStringLiteral("dos tres"));
    EXPECT_GT(pid, 0);
    for (int i = 0; i < 50 && !QFile::exists(salida); ++i) QTest::qWait(100);
    QTest::qWait(100);
    QFile r(salida);
    ASSERT_TRUE(r.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(r.readAll()),
              QStringLiteral("; @server=SRV01; @dbname=CONTAB; @usuario=OPER; @Password=clave; @ParametroAdicional=dos tres; ziro@ ; "
                             "@UsuarioLogeado = OPER; @Caja=2;"));
    EXPECT_TRUE(prompt.records.empty());
    QString p2;
    MenuExes(QStringLiteral("NoExiste"), p2, pid);
    EXPECT_EQ(pid, 0);
    ASSERT_EQ(prompt.records.size(), 1u);
    EXPECT_EQ(prompt.records[0].text, QStringLiteral("Opcion no Implementada!\rComuniquese con su proveedor de sistemas"));
    reiniciarDB();
}

} // namespace
