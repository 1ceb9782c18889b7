#include "ScriptedPrompt.h"
#include "TestDb.h"
#include "data/DB_Dll.h"
#include "platform/ProgramFolder.h"
#include "util/ReportaError.h"
#include "util/ZtWorkstation.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString leer(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QStringLiteral("<no file>");
}

TEST(LineaLog, IsExact) {
    const QDateTime m(QDate(2026, 3, 5), QTime(9, 7, 3));
    EXPECT_EQ(LineaLog(m, QStringLiteral("Cfg"), QStringLiteral(" Ha ocurrido x "), vb::Retry),
              QStringLiteral("03-05-2026 09:07:03 Rutina: - Cfg Mensaje Ha ocurrido x Respondió : Reintentar"));
    // Without a routine two blanks stand between the two words.
    EXPECT_EQ(LineaLog(m, QString(), QStringLiteral("m"), vb::OK), QStringLiteral("03-05-2026 09:07:03 Rutina:  Mensaje m Respondió : "));
    const std::pair<int, const char*> words[] = {{4, "Reintentar"}, {5, "Ignorar"}, {3, "Abortar"}, {2, "Cancelar"},
                                                 {6, "Sí"},         {7, "No"},      {1, ""},        {0, ""}};
    for (const auto& [code, word] : words) EXPECT_EQ(PalabraRespuesta(code), QString::fromUtf8(word)) << code;
}

class Reporte : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* v : {"temp", "TEMP", "tmp", "TMP"}) qunsetenv(v);
        Puesto().setDefaultFolder(defecto.path());
    }
    void TearDown() override {
        for (const char* v : {"temp", "tmp"}) qunsetenv(v);
        Puesto().setDefaultFolder(QString());
    }
    QTemporaryDir defecto, tmp;
    ScriptedPrompt prompt;
};

TEST_F(Reporte, ShowsAsksAndLogsOneLine) {
    prompt.answer(vb::Ignore);
    const int r = ReportaError(VbError(3021, QStringLiteral("  sin registro "), QStringLiteral("ADODB.Recordset")), 18, QStringLiteral("Cfg"));
    EXPECT_EQ(r, vb::Ignore);
    ASSERT_EQ(prompt.records.size(), 1u);
    EXPECT_EQ(prompt.records[0].text, QStringLiteral("Ha ocurrido el Siguiente Error (3021) sin registro"));
    EXPECT_EQ(prompt.records[0].title, QStringLiteral("ADODB.Recordset - Cfg Aviso al operador!!! - 2 "));
    EXPECT_EQ(prompt.records[0].buttons, 18);
    const QString log = leer(defecto.path() + QStringLiteral("/VMERR.LOG"));
    EXPECT_TRUE(log.endsWith(QStringLiteral(" Rutina: - Cfg Mensaje Ha ocurrido el Siguiente Error (3021) sin registro Respondió : Ignorar\r\n")))
        << qPrintable(log);
    EXPECT_EQ(log.count(u'\n'), 1);
    prompt.answer(vb::Abort);
    ReportaError(VbError(5, QStringLiteral("otro")));
    EXPECT_EQ(leer(defecto.path() + QStringLiteral("/VMERR.LOG")).count(u'\n'), 2);
    EXPECT_EQ(prompt.records[1].title, QStringLiteral(" Aviso al operador!!! - 2 "));
}

TEST_F(Reporte, FolderFollowsTheTempAndTmpVariables) {
    qputenv("tmp", tmp.path().toUtf8());
    prompt.answer(vb::Abort);
    ReportaError(VbError(1, QStringLiteral("a")));
    // With "temp" unset the log goes to the default folder, even with "tmp" set.
    EXPECT_TRUE(QFile::exists(defecto.path() + QStringLiteral("/VMERR.LOG")));
    EXPECT_FALSE(QFile::exists(tmp.path() + QStringLiteral("/VMERR.LOG")));
    qputenv("temp", "x");
    prompt.answer(vb::Abort);
    ReportaError(VbError(1, QStringLiteral("a")));
    EXPECT_TRUE(QFile::exists(tmp.path() + QStringLiteral("/VMERR.LOG")));
    EXPECT_EQ(CarpetaLogErrores(), tmp.path() + u'/');
}

TEST_F(Reporte, NumberZeroShowsNothingButLeavesTheEmptyLog) {
    EXPECT_EQ(ReportaError(VbError(0, QStringLiteral("nada"))), 0);
    EXPECT_TRUE(prompt.records.empty());
    EXPECT_EQ(leer(defecto.path() + QStringLiteral("/VMERR.LOG")), QString());
}

TEST_F(Reporte, UnwritableLogStillAsks) {
    Puesto().setDefaultFolder(QStringLiteral("/proc/no/such/folder"));
    prompt.answer(vb::Retry);
    EXPECT_EQ(ReportaError(VbError(7, QStringLiteral("x"))), vb::Retry);
    EXPECT_EQ(prompt.records.size(), 1u);
}

TEST_F(Reporte, DataAccessReportLogsBesideTheProgramAfterTheAnswer) {
    QTemporaryDir programa;
    setProgramFolder(programa.path());
    DB_Dll db;
    prompt.onMessage = [&](const ScriptedPrompt::Record&) {
        EXPECT_FALSE(QFile::exists(programa.path() + QStringLiteral("/VMERR.LOG")));
    };
    prompt.answer(vb::Retry);
    EXPECT_EQ(db.TratamientoErrores(VbError(3709, QStringLiteral("cerrada"), QStringLiteral("ADODB")), 18, QStringLiteral("AbrirRecordset")), vb::Retry);
    EXPECT_EQ(prompt.records[0].title, QStringLiteral("ADODB - AbrirRecordset Aviso al operador!!! - 5 "));
    EXPECT_TRUE(leer(programa.path() + QStringLiteral("/VMERR.LOG")).contains(QStringLiteral("Rutina: - AbrirRecordset Mensaje Ha ocurrido el Siguiente Error (3709) cerrada Respondió : Reintentar")));
    db.ArchivoErrores = programa.path() + QStringLiteral("/otro.log");
    prompt.onMessage = nullptr;
    prompt.answer(vb::Ignore);
    int respuesta = 0;
    db.TratamientoErrores(VbError(1, QStringLiteral("y")), 18, QString(), respuesta);
    EXPECT_EQ(respuesta, vb::Ignore);
    EXPECT_TRUE(leer(db.ArchivoErrores).contains(QStringLiteral("Respondió : Ignorar")));
    QFile::remove(programa.path() + QStringLiteral("/VMERR.LOG"));
    EXPECT_EQ(db.TratamientoErrores(VbError(0, QStringLiteral("z"))), 0);
    EXPECT_FALSE(QFile::exists(programa.path() + QStringLiteral("/VMERR.LOG")));
}

class AuxErr : public ::testing::TestWithParam<Motor> {};

TEST_P(AuxErr, RecordsTheFailedStatement) {
    REQUIRE_MOTOR(GetParam());
    EntornoPrueba env(GetParam());
    reiniciarDB();
    DB().gServidor = env.db().servidor;
    DB().gDBName = env.db().base;
    DB().gUsuario = QStringLiteral("ADMIN");
    DB().OpenServerADODB(false, 3, QString(), true, false);
    ASSERT_TRUE(DB().gOpenFlag);
    QString proceso;
    const QString larga = QString(300, u'x');
    RegistraErrorSQL(QStringLiteral("INSERT INTO X VALUES ('it''s')"), proceso, 2627, larga);
    EXPECT_EQ(proceso, exeName());
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM AUX_ERR"), &DB().gCnn);
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs[QStringLiteral("Proceso")].toText(), exeName());
    EXPECT_EQ(rs[QStringLiteral("Error")].toLongLong(), 2627);
    EXPECT_EQ(rs[QStringLiteral("Descripcion")].toText().size(), 250);
    EXPECT_EQ(rs[QStringLiteral("sql")].toText(), QStringLiteral("INSERT INTO X VALUES ('it''s')"));
    EXPECT_EQ(rs[QStringLiteral("Usuario")].toText(), QStringLiteral("ADMIN"));
    EXPECT_EQ(rs[QStringLiteral("Fecha")].toText().size(), 14);   // dd/mm/yy hh:mm
    reiniciarDB();
}

INSTANTIATE_TEST_SUITE_P(Engines, AuxErr, ::testing::Values(Motor::Sqlite, Motor::Postgres),
                         [](const auto& info) { return std::string(nombreMotor(info.param)); });

} // namespace
