#include "platform/ado/SqlDialect.h"
#include "platform/ado/SqlTokenizer.h"
#include "platform/ado/TranslationMemo.h"
#include <gtest/gtest.h>

using ado::NativeStatement;
using ado::SqlDialect;
using E = SqlDialect::Engine;
using K = NativeStatement::Kind;

namespace {

// Blanks outside literals carry no meaning; literals are compared exactly.
QString squeeze(const QString& s) {
    QString out;
    bool quote = false, blank = false;
    for (QChar c : s) {
        if (c == u'\'') quote = !quote;
        if (!quote && c.isSpace()) {
            blank = true;
            continue;
        }
        if (blank && !out.isEmpty()) out += u' ';
        blank = false;
        out += c;
    }
    return out;
}

struct Case {
    E engine;
    const char* tsql;
    std::vector<std::pair<K, const char*>> expected;
};

std::ostream& operator<<(std::ostream& o, const Case& c) { return o << c.tsql; }

class Translation : public ::testing::TestWithParam<Case> {};

TEST_P(Translation, MatchesEngineText) {
    const Case& c = GetParam();
    const auto got = SqlDialect(c.engine).translate(QString::fromUtf8(c.tsql));
    ASSERT_EQ(got.size(), c.expected.size()) << "statements of: " << c.tsql;
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(int(got[i].kind), int(c.expected[i].first)) << i;
        EXPECT_EQ(squeeze(got[i].text).toStdString(), squeeze(QString::fromUtf8(c.expected[i].second)).toStdString()) << i;
    }
}

const Case kCases[] = {
    {E::Sqlite, "SELECT TOP 1 * FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '0003'",
     {{K::Sql, "SELECT * FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '0003' LIMIT 1"}}},
    {E::Postgres, "SELECT TOP 5 A FROM T WHERE A=1 ORDER BY B", {{K::Sql, "SELECT A FROM T WHERE A=1 ORDER BY B LIMIT 5"}}},
    {E::Sqlite, "SELECT DISTINCT TOP (3) A FROM T", {{K::Sql, "SELECT DISTINCT A FROM T LIMIT 3"}}},
    {E::Sqlite, "SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='110101' ",
     {{K::Sql, "SELECT * FROM MA_CUENTAS WHERE LTRIM(RTRIM(Codigo)) ='110101' LIMIT 1"}}},
    {E::Postgres, "SELECT * FROM T WITH (NOLOCK) WHERE A = 1", {{K::Sql, "SELECT * FROM T WHERE A = 1"}}},
    {E::Sqlite, "DELETE TA_AGRUPCUENTAS_DETALLE WHERE IDAGRUPACION = '   7'",
     {{K::Sql, "DELETE FROM TA_AGRUPCUENTAS_DETALLE WHERE IDAGRUPACION = '   7'"}}},
    {E::Postgres, "DELETE FROM T WHERE A = 1", {{K::Sql, "DELETE FROM T WHERE A = 1"}}},
    {E::Sqlite, "SELECT [NUMERO ASIENTO] FROM MV_ASIENTOS", {{K::Sql, "SELECT \"NUMERO ASIENTO\" FROM MV_ASIENTOS"}}},
    {E::Postgres, "SELECT MAX([NUMERO ASIENTO]) AS [NRO_ASIENTO] FROM MV_ASIENTOS",
     {{K::Sql, "SELECT MAX(\"numero asiento\") AS \"nro_asiento\" FROM MV_ASIENTOS"}}},
    {E::Sqlite, "SELECT ISNULL(VALOR,'') FROM T", {{K::Sql, "SELECT IFNULL(VALOR,'') FROM T"}}},
    {E::Postgres, "SELECT ISNULL(VALOR,'') FROM T", {{K::Sql, "SELECT COALESCE(VALOR,'') FROM T"}}},
    {E::Sqlite, "SELECT LEN(Codigo) FROM T WHERE LEN(LTRIM(RTRIM(a.X))) < 3",
     {{K::Sql, "SELECT LENGTH(RTRIM(Codigo)) FROM T WHERE LENGTH(RTRIM(LTRIM(RTRIM(a.X)))) < 3"}}},
    {E::Sqlite, "SELECT CHARINDEX('a', Codigo) FROM T", {{K::Sql, "SELECT INSTR(Codigo,'a') FROM T"}}},
    {E::Postgres, "SELECT CHARINDEX('a', UPPER(Codigo)) FROM T", {{K::Sql, "SELECT STRPOS(UPPER(Codigo),'a') FROM T"}}},
    // A start position has no equivalent, and an unclosed call keeps all its text.
    {E::Sqlite, "SELECT CHARINDEX('a', Codigo, 3) FROM T", {{K::Sql, "SELECT CHARINDEX('a', Codigo, 3) FROM T"}}},
    {E::Sqlite, "SELECT CHARINDEX('a', B DELETE T WHERE A = ';'", {{K::Sql, "SELECT CHARINDEX('a', B DELETE FROM T WHERE A = ';'"}}},
    // A broken escape or a transaction statement with more after it goes on whole.
    {E::Sqlite, "SELECT {d '2026-01-31' x}", {{K::Sql, "SELECT {d '2026-01-31' x}"}}},
    {E::Sqlite, "SELECT GETDATE(! -- x\nWHERE A = ';'", {{K::Sql, "SELECT GETDATE(! -- x\nWHERE A = ';'"}}},
    {E::Postgres, "BEGIN TRAN INT INTO T VALUES ('x')", {{K::Sql, "BEGIN TRAN INT INTO T VALUES ('x')"}}},
    {E::Postgres, "BEGIN TRANSACTION grabar", {{K::Begin, "BEGIN"}}},
    {E::Sqlite, "SELECT SUBSTRING(Codigo,1,2) FROM T", {{K::Sql, "SELECT SUBSTR(Codigo,1,2) FROM T"}}},
    {E::Postgres, "SELECT SUBSTRING(Codigo,1,2) FROM T", {{K::Sql, "SELECT SUBSTRING(Codigo,1,2) FROM T"}}},
    {E::Sqlite, "SELECT * FROM T WHERE F = #12/31/2020# ", {{K::Sql, "SELECT * FROM T WHERE F = '2020-12-31 00:00:00'"}}},
    {E::Postgres, "SELECT * FROM T WHERE F = #12/31/2020# ", {{K::Sql, "SELECT * FROM T WHERE F = '2020-12-31'"}}},
    {E::Sqlite, "SELECT * FROM T WHERE F >= {d '2026-01-01'}", {{K::Sql, "SELECT * FROM T WHERE F >= '2026-01-01 00:00:00'"}}},
    {E::Postgres, "SELECT * FROM T WHERE F >= {d '2026-01-01'}", {{K::Sql, "SELECT * FROM T WHERE F >= '2026-01-01'"}}},
    {E::Sqlite, "SELECT GETDATE()", {{K::Sql, "SELECT datetime('now','localtime')"}}},
    {E::Postgres, "SELECT GETDATE()", {{K::Sql, "SELECT LOCALTIMESTAMP(0)"}}},
    {E::Sqlite, "SELECT * FROM dbo.T", {{K::Sql, "SELECT * FROM T"}}},
    {E::Sqlite, "SELECT * FROM T WHERE MONTH(FECHA_DESDE) = 3", {{K::Sql, "SELECT * FROM T WHERE CAST(strftime('%m', FECHA_DESDE) AS INTEGER) = 3"}}},
    {E::Postgres, "SELECT * FROM T WHERE MONTH(FECHA_DESDE) = 3", {{K::Sql, "SELECT * FROM T WHERE EXTRACT(MONTH FROM FECHA_DESDE) = 3"}}},
    {E::Sqlite, "SELECT N'abc'", {{K::Sql, "SELECT 'abc'"}}},
    // A literal keeps its keywords, separators and blanks.
    {E::Sqlite, "INSERT INTO T (A) VALUES ('DELETE x WHERE; GO  TOP 1')",
     {{K::Sql, "INSERT INTO T (A) VALUES ('DELETE x WHERE; GO  TOP 1')"}}},
    {E::Postgres, "SELECT (SELECT TOP 1 idfamilia FROM T a ORDER BY idfamilia DESC) AS r FROM T b",
     {{K::Sql, "SELECT (SELECT idfamilia FROM T a ORDER BY idfamilia DESC LIMIT 1) AS r FROM T b"}}},
    {E::Sqlite, "SELECT     TOP 100 PERCENT IdFamilia FROM T", {{K::Sql, "SELECT IdFamilia FROM T"}}},
    // Batches: the script runner's transaction, lines ended by CR alone.
    {E::Sqlite, "BEGIN TRANSACTION \r\r\rINSERT INTO A (X) VALUES ('1')\rINSERT INTO B (Y) VALUES ('2')\r",
     {{K::Begin, "BEGIN IMMEDIATE"}, {K::Sql, "INSERT INTO A (X) VALUES ('1')"}, {K::Sql, "INSERT INTO B (Y) VALUES ('2')"}}},
    {E::Postgres, "BEGIN TRAN\nUPDATE T SET A = 1 WHERE B = 2\nCOMMIT TRANSACTION",
     {{K::Begin, "BEGIN"}, {K::Sql, "UPDATE T SET A = 1 WHERE B = 2"}, {K::Commit, "COMMIT"}}},
    {E::Sqlite, "ROLLBACK TRANSACTION", {{K::Rollback, "ROLLBACK"}}},
    // Only session options are dropped; another SET reaches the engine, which refuses it.
    {E::Sqlite, "SET ROWCOUNT 10", {{K::Sql, "SET ROWCOUNT 10"}}},
    {E::Sqlite, "SET NOCOUNT ON\nUPDATE T SET A = 1 WHERE B = 2\nGO\nSELECT 1",
     {{K::Sql, "UPDATE T SET A = 1 WHERE B = 2"}, {K::Sql, "SELECT 1"}}},
    {E::Postgres, "DELETE FROM A; DELETE B WHERE X = 1", {{K::Sql, "DELETE FROM A"}, {K::Sql, "DELETE FROM B WHERE X = 1"}}},
    {E::Sqlite, "DELETE A\nDELETE B", {{K::Sql, "DELETE FROM A"}, {K::Sql, "DELETE FROM B"}}},
    {E::Sqlite, "INSERT INTO A (X) SELECT X FROM B", {{K::Sql, "INSERT INTO A (X) SELECT X FROM B"}}},
    {E::Sqlite, "ALTER TABLE T DROP COLUMN C", {{K::Sql, "ALTER TABLE T DROP COLUMN C"}}},
    {E::Postgres, "ALTER TABLE dbo.CLIENTES ADD OBS DATETIME Null", {{K::Sql, "ALTER TABLE CLIENTES ADD OBS TIMESTAMP Null"}}},
    {E::Sqlite, "-- nada\n", {}},
    // SQL Server receives its batches as they are.
    {E::TSql, "SELECT TOP 1 * FROM T with(nolock)\nGO\nDELETE T WHERE A = 1",
     {{K::Sql, "SELECT TOP 1 * FROM T with(nolock)"}, {K::Sql, "DELETE T WHERE A = 1"}}},
};

INSTANTIATE_TEST_SUITE_P(Dialects, Translation, ::testing::ValuesIn(kCases));

TEST(SimpleSelectTable, FindsTheOneTableOrNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT * FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '1'", "TA_AGRUPCUENTAS"},
        {"select  top 1 * from AUX_ERR  with(nolock) ", "AUX_ERR"},
        {"SELECT TOP 1 * FROM TA_AGRUPCUENTAS_DETALLE", "TA_AGRUPCUENTAS_DETALLE"},
        {"SELECT * FROM dbo.T ORDER BY A", "T"},
        {"SELECT * FROM [MV ASIENTOS]", "MV ASIENTOS"},
        {"SELECT (SELECT 1 FROM X) AS c FROM T", "T"},
        {"SELECT * FROM A, B", ""},
        {"SELECT * FROM A INNER JOIN B ON A.X = B.X", ""},
        {"UPDATE T SET A = 1", ""},
        {"SELECT 1", ""},
    };
    for (const auto& [sql, table] : cases)
        EXPECT_EQ(SqlDialect::simpleSelectTable(QString::fromUtf8(sql)).toStdString(), std::string(table)) << sql;
}

TEST(SqlDialectLiteral, DoublesApostrophesAndFormatsDates) {
    const SqlDialect pg(E::Postgres), ms(E::TSql);
    EXPECT_EQ(pg.literal(ado::Variant(QStringLiteral("O'Brien"))), QStringLiteral("'O''Brien'"));
    EXPECT_EQ(pg.literal(ado::Variant::null()), QStringLiteral("NULL"));
    EXPECT_EQ(pg.literal(ado::Variant(true)), QStringLiteral("1"));
    const QDateTime d(QDate(2026, 3, 5), QTime(14, 7, 9));
    EXPECT_EQ(pg.literal(ado::Variant(d)), QStringLiteral("'2026-03-05 14:07:09'"));
    EXPECT_EQ(ms.literal(ado::Variant(d)), QStringLiteral("'20260305 14:07:09'"));
    EXPECT_EQ(ms.quoteIdent(QStringLiteral("a]b")), QStringLiteral("[a]]b]"));
    EXPECT_EQ(pg.quoteIdent(QStringLiteral("NUMERO ASIENTO")), QStringLiteral("\"numero asiento\""));
}

} // namespace

TEST(SplitStatements, AnOptionStatementNeverSwallowsTheNextOne) {
    const auto got = SqlDialect(E::Postgres).translate(QStringLiteral("SET NOCOUNT ON UPDATE T SET A = 1"));
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].text, QStringLiteral("UPDATE T SET A = 1"));
    EXPECT_EQ(SqlDialect::splitStatements(QStringLiteral("ALTER TABLE H ADD CONSTRAINT F FOREIGN KEY (A) REFERENCES P (A) ON DELETE CASCADE")).size(), 1u);
}

TEST(SqlTokenWords, CompareAsQtDoesWithoutRegardToCase) {
    const char* palabras[] = {"SELECT", "GO", "dbo", "ISNULL", "A", "TOP", "DELETE"};
    // ASCII in every case, near misses of the ASCII folding (@ and `, _ and
    // DEL), and letters beyond ASCII that Qt folds (the Kelvin sign, long s).
    const QString textos[] = {QStringLiteral("select"), QStringLiteral("SeLeCt"), QStringLiteral("selec"), QStringLiteral("selectx"),
                              QStringLiteral("go"),     QStringLiteral("Go"),     QStringLiteral("DBO"),   QStringLiteral("isNull"),
                              QStringLiteral("a"),      QStringLiteral("@"),      QStringLiteral("`"),     QStringLiteral("T0P"),
                              QStringLiteral("top"),    QStringLiteral("ſelect"),     QStringLiteral("dbſ"),       QStringLiteral("DELETE"),
                              QStringLiteral("\u212Aa"),      QStringLiteral("dëlete"),     QString(),               QStringLiteral("A_")};
    for (const char* p : palabras) {
        for (const QString& t : textos) {
            const ado::SqlToken tok{ado::SqlToken::Kind::Word, t};
            EXPECT_EQ(tok.is(p), t.compare(QLatin1String(p), Qt::CaseInsensitive) == 0) << p << " / " << t.toStdString();
        }
        EXPECT_FALSE((ado::SqlToken{ado::SqlToken::Kind::String, QString::fromLatin1(p)}.is(p)));
    }
}

TEST(SqlDialectShortCut, PlainTextsGoAsWrittenAndEqualTheFullTranslation) {
    struct Caso {
        const char* sql;
        bool comoEsta;
    };
    const Caso casos[] = {
        {"  INSERT INTO T (A, B) VALUES ('1', 'x'), ('2', 'O''Brien'), ('3', 'año; -- [no] {d} #1/1/2020# N''x')  ", true},
        {"SELECT D.Cuenta, C.DESCRIPCION FROM D LEFT JOIN C ON C.Codigo = D.Cuenta WHERE D.ID = '  96'", true},
        {"select a, b\r\n\tfrom t where x >= 1.5 and y = X'41' and z <> @v", true},
        {"SELECT a FROM t WHERE b = 'unclosed", false},
        // Anything a rule touches, or a second statement, takes the long way.
        {"SELECT TOP 1 * FROM t", false},
        {"SELECT * FROM t with(nolock)", false},
        {"SELECT ISNULL(a, 0), LEN(b) FROM t", false},
        {"SELECT a FROM dbo.t", false},
        {"SELECT a FROM t WHERE b = N'x'", false},
        {"SELECT a FROM t WHERE b IN(N'x')", false},
        {"SELECT a FROM [t]", false},
        {"SELECT \"a\" FROM t", false},
        {"SELECT a FROM t WHERE d = #12/31/2020#", false},
        {"SELECT {fn NOW()}", false},
        {"SELECT a FROM t; SELECT b FROM u", false},
        {"SELECT a FROM t\nGO\nSELECT b FROM u", false},
        {"INSERT INTO t SELECT * FROM u", false},
        {"SELECT a FROM t WHERE b IN (SELECT c FROM u)", false},
        {"SELECT a FROM t -- a comment", false},
        {"SELECT a /* a comment */ FROM t", false},
        {"SELECT 1TOP FROM t", false},
        {"SELECT 1e5 FROM t", false},
        {"SELECT a FROM t WHERE b = 'x' UNION SELECT c FROM u", false},
        {"SELECT a FROM tábla", false},
        {"UPDATE t SET a = 1", false},
        {"DELETE t WHERE a = 1", false},
        {"CREATE TABLE t (a DATETIME)", false},
        {"BEGIN TRAN", false},
        {"SET NOCOUNT ON", false},
        {"  ", false},
        {"", false},
        {"'x'", false},
    };
    for (const Caso& c : casos) {
        const QString sql = QString::fromUtf8(c.sql);
        EXPECT_EQ(SqlDialect::asWritten(sql), c.comoEsta) << c.sql;
        for (E e : {E::Sqlite, E::Postgres}) {
            const SqlDialect d(e);
            const auto corta = d.translate(sql);
            EXPECT_EQ(corta, d.translateTokens(sql)) << c.sql;
            if (c.comoEsta) {
                ASSERT_EQ(corta.size(), 1u) << c.sql;
                EXPECT_EQ(corta[0].text, sql.trimmed()) << c.sql;
            }
        }
    }
}

TEST(TranslationMemo, ComparedTextsAreTakenOutOfTheShape) {
    struct Caso {
        const char* sql;
        const char* forma;   // the mark written as #n
        QStringList textos;
    };
    const Caso casos[] = {
        {"SELECT * FROM T WHERE A = '  96'", "SELECT * FROM T WHERE A = '#0'", {"'  96'"}},
        {"SELECT TOP 1 * FROM T WHERE LTRIM(RTRIM(A)) ='9''6' AND B<>'x' AND C>=''", "SELECT TOP 1 * FROM T WHERE LTRIM(RTRIM(A)) ='#0' AND B<>'#1' AND C>='#2'",
         {"'9''6'", "'x'", "''"}},
        // N'' texts, escapes, calls, lists, names and comments keep theirs.
        {"SELECT 'a' FROM T WHERE A = N'x' AND B IN ('y') AND C LIKE 'z' AND D = {d '2020-01-01'} AND E = ISNULL('w', F)", "", {}},
        {"SELECT [a='b'] FROM T WHERE \"x='y'\" = 1 -- = 'c'\n", "", {}},
        {"SELECT a FROM T WHERE b = /* it's */ 'c'", "", {}},
        {"SELECT a FROM T WHERE b = 'open", "", {}},
        {"SELECT a FROM T WHERE b = '\xEF\xBF\xBF'", "", {}},   // the mark itself: as written
    };
    for (const Caso& c : casos) {
        const ado::MaskedText m = ado::maskComparedTexts(QString::fromUtf8(c.sql));
        QString forma = m.shape;
        forma.replace(QChar(0xFFFF), u'#');
        EXPECT_EQ(forma.toStdString(), c.forma) << c.sql;
        EXPECT_EQ(m.texts, c.textos) << c.sql;
    }
}

TEST(TranslationMemo, ATextOfAKnownShapeTranslatesAsOnItsOwn) {
    // Each statement with two sets of texts: the second is translated from
    // the shape the first left, and must equal its translation in full.
    const char* plantillas[] = {
        "SELECT TOP 1  * FROM TA_AGRUPCUENTAS with(nolock)  WHERE LTRIM(RTRIM(IDAGRUPACION)) =%1",
        "SELECT TOP (5) A FROM dbo.T WHERE CHARINDEX(B, C) = %1 AND ISNULL(D, 0) <> %2 ORDER BY A",
        "DELETE TA_AGRUPCUENTAS_DETALLE WHERE IDAGRUPACION = %1",
        "UPDATE [T] SET A = %1, B = N'n' WHERE C >= %2 AND LEN(D) > 0",
        "SET NOCOUNT ON\nSELECT A FROM T WHERE B = %1\nGO\nSELECT MONTH(F) FROM U WHERE G <= %2",
        "BEGIN TRAN\nUPDATE T SET A = %1\nCOMMIT",
        "SELECT A FROM T WHERE B = %1; SELECT C FROM U WHERE D = %1",
        "SET @v = %1",
    };
    const std::pair<const char*, const char*> valores[] = {{"'96'", "'x'"}, {"'O''Brien'", "''"}, {"'a;b GO'", "'--'"}};
    for (E e : {E::Sqlite, E::Postgres}) {
        const SqlDialect d(e);
        for (const char* p : plantillas) {
            for (const auto& [a, b] : valores) {
                const QString sql = QString::fromLatin1(p).arg(QLatin1String(a), QLatin1String(b));
                EXPECT_EQ(d.translate(sql), d.translateTokens(sql)) << sql.toStdString();
            }
        }
    }
}
