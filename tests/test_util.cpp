#include "ScriptedPrompt.h"
#include "platform/ProcessEnd.h"
#include "platform/ProgramFolder.h"
#include "util/Cp1252.h"
#include "util/ErrorTrap.h"
#include "util/Formatos.h"
#include "util/VbText.h"
#include "util/ZtControlArray.h"
#include "util/ZtIni.h"
#include "util/ZtUtil.h"
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
ZtUtil& U() { return Utilidades(); }

TEST(ZtUtil, FormatCodeRightAlignsTrimmedCodes) {
    const std::tuple<const char*, int, const char*> rows[] = {
        {"7", 4, "   7"}, {" 12 ", 4, "  12"}, {"0003", 4, "0003"}, {"12345", 4, "12345"}, {"", 4, "    "},
        {"A1", 25, "                       A1"}, {"   1", 4, "   1"}};
    for (const auto& [code, width, expected] : rows)
        EXPECT_EQ(U().FormatCode(QString::fromUtf8(code), width).toStdString(), std::string(expected)) << code;
    EXPECT_EQ(U().FormatCode(QStringLiteral("9")), QStringLiteral("   9"));
}

TEST(ZtUtil, ScrambleIsReversibleAndSafeInCommaAndIniFiles) {
    for (const char* text : {"ValMore", "", "contraseña ñÑ", "a,b|c\"d;e\n", "ventas", "                x"}) {
        const QString t = QString::fromUtf8(text);
        const QString s = U().Scramble(t);
        EXPECT_EQ(U().Unscramble(s), t) << text;
        for (QChar bad : {u',', u'|', u'"', u'\n', u';', u'='}) EXPECT_FALSE(s.contains(bad)) << text;
        if (!t.isEmpty()) EXPECT_FALSE(s.contains(t)) << text;
    }
    EXPECT_NE(U().Scramble(QStringLiteral("ab")), U().Scramble(QStringLiteral("ba")));
    // A value typed into the file by hand is read as it stands.
    EXPECT_EQ(U().Unscramble(QStringLiteral("sa")), QStringLiteral("sa"));
    EXPECT_EQ(U().Unscramble(QStringLiteral("~ZZ")), QStringLiteral("~ZZ"));
}

TEST(ZtUtil, TextToCurrencyReadsTheLocalNumberForm) {
    const std::pair<const char*, double> rows[] = {{"1,5", 1.5},          {"1.234,56", 1234.56}, {"  12 ", 12.0},
                                                   {"1.5", 1.5},          {"", 0.0},             {"0,12345", 0.1235},
                                                   {"-3,25", -3.25},      {"$ 10,00", 10.0}};
    for (const auto& [text, value] : rows) EXPECT_DOUBLE_EQ(U().TextToCurrency(QString::fromUtf8(text)), value) << text;
    for (const char* bad : {"abc", "1,2,3x", "--1"}) {
        try {
            U().TextToCurrency(QString::fromUtf8(bad));
            ADD_FAILURE() << "no error for " << bad;
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), vberr::TypeMismatch);
        }
    }
}

TEST(ZtUtil, SmallTextOperations) {
    EXPECT_EQ(U().WordCount(QString()), 0);
    EXPECT_EQ(U().WordCount(QStringLiteral("len")), 1);
    EXPECT_EQ(U().WordCount(QStringLiteral("  a   b ")), 2);
    EXPECT_EQ(U().WordCount(QStringLiteral("SELECT TOP 1 *")), 4);
    EXPECT_EQ(U().RemoveText(QStringLiteral(" A=B= "), QStringLiteral("=")), QStringLiteral(" AB "));
    EXPECT_EQ(U().RemoveText(QStringLiteral("x@Admin_T @ADMIN_u|"), QStringLiteral("@Admin_"), QStringLiteral("|")), QStringLiteral("xT u"));
    EXPECT_EQ(U().ReplaceText(QStringLiteral("|A|b|"), QStringLiteral("|"), QStringLiteral(",")), QStringLiteral(",A,b,"));
    EXPECT_EQ(U().FitText(QStringLiteral("ABC"), 1), QStringLiteral("A"));
    EXPECT_EQ(U().FitText(QString(), 1), QStringLiteral(" "));
    EXPECT_EQ(U().LimitText(QStringLiteral("abcdef"), 3), QStringLiteral("abc"));
    EXPECT_EQ(U().NullToText(ado::Variant::null()), QString());
    EXPECT_EQ(U().NullToText(ado::Variant()), QString());
    EXPECT_EQ(U().NullToText(ado::Variant(12)), QStringLiteral("12"));
    EXPECT_EQ(U().TextToLong(QStringLiteral("12abc")), 12);
    EXPECT_EQ(U().AddBackslash(QStringLiteral("/a")), QStringLiteral("/a/"));
    EXPECT_EQ(U().AddBackslash(QStringLiteral("/a/")), QStringLiteral("/a/"));
    EXPECT_EQ(U().ReplaceName(QStringLiteral("SELECT * FROM V_MA_ARTICULOS, VV_MA_ARTICULOS"), QStringLiteral("v_ma_articulos"),
                              QStringLiteral("VT_MA_ARTICULOS")),
              QStringLiteral("SELECT * FROM VT_MA_ARTICULOS, VV_MA_ARTICULOS"));
    EXPECT_EQ(U().DateToSql(QStringLiteral("31/12/2020")), QStringLiteral("{d '2020-12-31'}"));
    EXPECT_EQ(U().DateToSql(ado::Variant(QDateTime(QDate(1990, 1, 1), QTime(0, 0)))), QStringLiteral("{d '1990-01-01'}"));
    EXPECT_THROW(U().DateToSql(QStringLiteral("31/02/2020")), VbError);
}

TEST(VbText, ValReadsTheLeadingNumber) {
    const std::pair<const char*, double> rows[] = {{"  12abc", 12}, {"1.5", 1.5}, {"1,5", 1}, {"&H10", 16}, {"abc", 0},
                                                   {"-3", -3},       {"1 2 3", 123}, {"", 0},    {"1e3", 1000}, {"1e", 1},
                                                   {"1.2.3", 1.2}};
    for (const auto& [text, value] : rows) EXPECT_DOUBLE_EQ(vbtext::Val(QString::fromUtf8(text)), value) << text;
    EXPECT_EQ(vbtext::Trim(QStringLiteral("\t a \t")), QStringLiteral("\t a \t"));
    EXPECT_EQ(vbtext::Trim(QStringLiteral("  a b  ")), QStringLiteral("a b"));
    EXPECT_EQ(vbtext::InStr(QStringLiteral("x;@SERVER=1"), QStringLiteral("@server")), 3);
    EXPECT_EQ(vbtext::InStr(QStringLiteral("abc"), QStringLiteral("z")), 0);
}

TEST(ExtraeServidor, KeepsTheHostBetweenProtocolAndPort) {
    const std::pair<const char*, const char*> rows[] = {{"SRV01:1433", "SRV01"},       {"NODO/SRV01:1433", "SRV01"},
                                                        {"SRV01", "SRV01"},            {"HOST/SRV\\INST:1433", "SRV\\INST"},
                                                        {"PG\\agrtest", "PG\\agrtest"}, {"", ""},
                                                        {"a/b/c:1:2", "b/c"}};
    for (const auto& [in, out] : rows) EXPECT_EQ(ExtraeServidor(QString::fromUtf8(in)).toStdString(), std::string(out)) << in;
}

class IniFile : public ::testing::Test {
protected:
    void SetUp() override { setProgramFolder(dir.path()); }
    void write(const QString& name, const QByteArray& bytes) {
        QFile f(dir.path() + u'/' + name);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
    QTemporaryDir dir;
};

TEST_F(IniFile, MatchesFileSectionAndKeyWithoutRegardToCase) {
    write(QStringLiteral("CN000pr.INI"),
          "; comentario\r\n[PC07|OPERADOR]\r\n  FlatToolbars = 2 \r\nServidor=\"SRV01\"\r\n"
          "[pc07|operadorBaseDeDatos]\r\nDbName=CONTAB=2\r\nVacio=\r\n");
    const auto v = [&](const char* sec, const char* key, const char* def = "def") {
        return Ini().ReadIniValue(QStringLiteral("cn000pr.ini"), QString::fromUtf8(sec), QString::fromUtf8(key), QString::fromUtf8(def)).toStdString();
    };
    EXPECT_EQ(v("PC07|OPERADOR", "flattoolbars"), "2");
    EXPECT_EQ(v("pc07|operador", "SERVIDOR"), "SRV01");
    EXPECT_EQ(v("PC07|OPERADORBaseDeDatos", "DbName"), "CONTAB=2");
    EXPECT_EQ(v("PC07|OPERADORBaseDeDatos", "Vacio"), "");
    EXPECT_EQ(v("PC07|OPERADORBaseDeDatos", "Servidor"), "def");
    EXPECT_EQ(v("OTRA", "FlatToolbars", "1"), "1");
    EXPECT_EQ(Ini().ReadIniValue(QStringLiteral("NOHAY.INI"), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("x")), QStringLiteral("x"));
}

TEST_F(IniFile, ReadsWindowsFilesAndSurvivesGarbage) {
    write(QStringLiteral("cn000pr.ini"), QByteArray("[Se\xf1or]\r\nNombre=A\xf1o \x80\r\n"));
    EXPECT_EQ(Ini().ReadIniValue(QStringLiteral("CN000PR.INI"), QStringLiteral("SEÑOR"), QStringLiteral("nombre")), QStringLiteral("Año €"));
    write(QStringLiteral("raro.ini"), QByteArray("\x00\xff[\n=\n[]\n===\n[x\nk=v", 19));
    EXPECT_EQ(Ini().ReadIniValue(QStringLiteral("raro.ini"), QStringLiteral("x"), QStringLiteral("k"), QStringLiteral("d")), QStringLiteral("v"));
    EXPECT_TRUE(Ini().WriteIniValue(QStringLiteral("nuevo.ini"), QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("1")));
    EXPECT_TRUE(Ini().WriteIniValue(QStringLiteral("NUEVO.INI"), QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("2")));
    EXPECT_EQ(Ini().ReadIniValue(QStringLiteral("nuevo.ini"), QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("2"));
}

TEST(Cp1252, RoundTripsItsCharactersAndMarksOthers) {
    const QString s = QStringLiteral("€ñÑáé‰ ABC");
    EXPECT_EQ(cp1252::decode(cp1252::encode(s)), s);
    EXPECT_EQ(cp1252::encode(QStringLiteral("ж")), QByteArray("?"));
    EXPECT_EQ(cp1252::encode(QStringLiteral("ñ")).size(), 1);
    // The five bytes the code page leaves undefined survive a round trip.
    const QByteArray indefinidos("\x81\x8D\x8F\x90\x9D", 5);
    EXPECT_EQ(cp1252::encode(cp1252::decode(indefinidos)), indefinidos);
}

TEST(ErrorTrap, AnswersRetryIgnoreOrLeave) {
    struct Row {
        std::vector<int> answers;
        const char* trace;   // steps that ran to their end
        bool result;
    };
    const Row rows[] = {
        {{vb::Retry}, "ab2c", true},   // the failing step runs again and then succeeds
        {{vb::Ignore}, "ac", true},    // it is skipped
        {{vb::Abort}, "a", false},     // the routine is left
        {{0}, "a", false},
    };
    for (const Row& r : rows) {
        std::string trace;
        int failures = 0;
        std::deque<int> answers(r.answers.begin(), r.answers.end());
        const bool ok = runTrapped([&](const VbError&) { const int a = answers.front(); answers.pop_front(); return a; },
                                   {[&] { trace += 'a'; },
                                    [&] {
                                        if (failures++ == 0) throw VbError(3021, QStringLiteral("x"));
                                        trace += "b2";
                                    },
                                    [&] { trace += 'c'; }});
        EXPECT_EQ(trace, r.trace);
        EXPECT_EQ(ok, r.result);
    }
    // Ending the process is never taken for an error of the routine.
    EXPECT_THROW(runTrapped(trap::skipAll, {[] { throw ProcessEndRequested{0}; }}), ProcessEndRequested);
    EXPECT_TRUE(runTrapped(trap::skipInvalidArguments, {[] { throw VbError::invalidCall(); }}));
    EXPECT_FALSE(runTrapped(trap::skipInvalidArguments, {[] { throw VbError(13, QStringLiteral("x")); }}));
}

TEST(ZtUtil, ReportErrorAsksThroughThePromptSeam) {
    ScriptedPrompt p;
    p.answer(vb::Ignore);
    EXPECT_EQ(U().ReportError(VbError(3021, QStringLiteral("sin registro")), 18, QStringLiteral("AsignarDatos")), vb::Ignore);
    ASSERT_EQ(p.records.size(), 1u);
    EXPECT_EQ(p.records[0].buttons, 18);
    EXPECT_TRUE(p.records[0].title.startsWith(QStringLiteral("AsignarDatos")));
    EXPECT_TRUE(p.records[0].text.contains(QStringLiteral("sin registro")));
    EXPECT_EQ(U().ReportError(VbError(0, QString())), 0);
    EXPECT_EQ(p.records.size(), 1u);
}

TEST(ZtControlArray, FindsTheControlBoundToAField) {
    const QStringList fields = {QStringLiteral("IDAGRUPACION"), QStringLiteral("DESCRIPCION")};
    EXPECT_EQ(Controles().FindFieldControl(QStringLiteral("descripcion"), fields), 1);
    EXPECT_EQ(Controles().FindFieldControl(QStringLiteral("IDAGRUPACION"), fields), 0);
    EXPECT_EQ(Controles().FindFieldControl(QStringLiteral("OTRO"), fields), -1);
}
} // namespace
