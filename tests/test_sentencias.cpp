#include "TestDb.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/ado/StatementCache.h"
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace ado;

TEST(SentenciasPreparadas, OnlyComparedTextsAfterTheOuterWhereBecomeParameters) {
    struct Caso {
        const char* sql;
        const char* texto;   // "" : the statement runs as written
        std::vector<QByteArray> valores;
    };
    const Caso casos[] = {
        {"SELECT * FROM T WHERE A = '  96'", "SELECT * FROM T WHERE A = ?", {"  96"}},
        {"  select * from t where ltrim(rtrim(a)) ='96' LIMIT 1", "  select * from t where ltrim(rtrim(a)) =? LIMIT 1", {"96"}},
        {"SELECT a FROM t WHERE a<>'x' AND b>='y' AND c<'z' AND d!='w'", "SELECT a FROM t WHERE a<>? AND b>=? AND c<? AND d!=?",
         {"x", "y", "z", "w"}},
        {"SELECT a FROM t WHERE a = 'O''Brien'", "SELECT a FROM t WHERE a = ?", {"O'Brien"}},
        {"SELECT a FROM t WHERE a = 'año ñ'", "SELECT a FROM t WHERE a = ?", {"año ñ"}},
        // The result columns are named by their words: they never change.
        {"SELECT CASE WHEN a = 'x' THEN 1 END FROM t WHERE b = 'y'", "SELECT CASE WHEN a = 'x' THEN 1 END FROM t WHERE b = ?", {"y"}},
        {"SELECT (SELECT 1 FROM u WHERE u.a = 'x') FROM t", "", {}},
        {"SELECT a 'alias' FROM t WHERE a = 'b'", "SELECT a 'alias' FROM t WHERE a = ?", {"b"}},
        // Lists, calls, LIKE, blobs and texts not compared stay.
        {"SELECT a FROM t WHERE a IN ('x', 'y')", "", {}},
        {"SELECT a FROM t WHERE a LIKE 'x%'", "", {}},
        {"SELECT a FROM t WHERE b = X'41'", "", {}},
        {"SELECT a FROM t WHERE a = 'x' || 'y'", "SELECT a FROM t WHERE a = ? || 'y'", {"x"}},
        {"SELECT a FROM t WHERE a = (SELECT b FROM u WHERE c = 'k')", "SELECT a FROM t WHERE a = (SELECT b FROM u WHERE c = ?)", {"k"}},
        // Quotes inside names and comments are not texts.
        {"SELECT \"it's\" FROM t WHERE a = 'x' -- don't\n", "SELECT \"it's\" FROM t WHERE a = ? -- don't\n", {"x"}},
        {"SELECT [a'b] FROM t /* it's */ WHERE a = 'x'", "SELECT [a'b] FROM t /* it's */ WHERE a = ?", {"x"}},
        {"SELECT a FROM t WHERE a = 'x' -- it's the end", "SELECT a FROM t WHERE a = ? -- it's the end", {"x"}},
        // A WHERE in a word or a name is not the clause.
        {"SELECT a FROM nowhere_t, \"where\" WHERE a = 'x'", "SELECT a FROM nowhere_t, \"where\" WHERE a = ?", {"x"}},
        // Not one plain SELECT, or parameters already: as written.
        {"SELECT a FROM t WHERE a = 'x'; DELETE FROM t", "", {}},
        {"SELECT a FROM t WHERE a = ? AND b = 'x'", "", {}},
        {"SELECT a FROM t WHERE a = :v AND b = 'x'", "", {}},
        {"UPDATE t SET a = 'x' WHERE b = 'y'", "", {}},
        {"WITH c AS (SELECT 1) SELECT * FROM c WHERE a = 'x'", "", {}},
        {"SELECTED FROM t WHERE a = 'x'", "", {}},
        {"SELECT a FROM t WHERE a = 'x", "", {}},
        {"SELECT a FROM t WHERE a = 'x' /* open", "", {}},
        {"SELECT a FROM t WHERE a = 1", "", {}},
        {"", "", {}},
    };
    for (const Caso& c : casos) {
        const ParameterizedSelect p = parameterizeSelect(QByteArray(c.sql));
        EXPECT_EQ(p.text, QByteArray(c.texto)) << c.sql;
        EXPECT_EQ(p.values, c.valores) << c.sql;
    }
}

namespace {

// Each read on a fresh connection (nothing kept) against the same read on
// one connection that keeps its statements: values, names and types alike.
std::string leer(Connection& c, const QString& sql) {
    Recordset rs;
    rs.Open(sql, &c);
    QString s;
    for (int i = 0; i < rs.FieldCount(); ++i) s += rs.Fields(i).Name() + u':' + QString::number(rs.Fields(i).Type()) + u' ';
    for (; !rs.Eof(); rs.MoveNext()) {
        s += u'|';
        for (int i = 0; i < rs.FieldCount(); ++i) s += rs.Fields(i).Value().toText() + u',';
    }
    return s.toStdString();
}

} // namespace

TEST(SentenciasPreparadas, ReadsWithKeptStatementsAnswerAsReadsAsWritten) {
    EntornoPrueba env(Motor::Sqlite);
    env.sqlNativo(QStringLiteral("CREATE TABLE P (COD VARCHAR(10) COLLATE NOCASE, NUM INTEGER, FECHA DATETIME, IMPORTE NUMERIC(10,2))"));
    env.sqlNativo(QStringLiteral("INSERT INTO P VALUES ('  96', 1, '2024-01-31 10:00:00', 12.5), ('o''brien', 2, NULL, 3), ('12', 12, NULL, NULL), "
                                 "('AbC', 3, NULL, 1)"));
    const QStringList lecturas = {
        QStringLiteral("SELECT * FROM P WHERE COD = '  96'"),
        QStringLiteral("SELECT * FROM P WHERE COD = 'O''BRIEN'"),             // NOCASE holds for the bound text
        QStringLiteral("SELECT * FROM P WHERE COD = 'abc'"),
        QStringLiteral("SELECT COD FROM P WHERE NUM = '12'"),                 // the column's affinity converts the text
        QStringLiteral("SELECT COD FROM P WHERE NUM > '2' ORDER BY NUM"),
        QStringLiteral("SELECT COUNT(*) AS N FROM P WHERE FECHA >= '2024-01-01'"),
        QStringLiteral("SELECT COD, NUM + 1 FROM P WHERE COD = 'nadie'"),
        QStringLiteral("SELECT TOP 1 * FROM P WHERE LTRIM(RTRIM(COD)) = '96'"),
    };
    Connection guarda;
    guarda.Open(env.db().cadena());
    for (int vuelta = 0; vuelta < 3; ++vuelta) {
        for (const QString& sql : lecturas) {
            Connection fresca;
            fresca.Open(env.db().cadena());
            EXPECT_EQ(leer(guarda, sql), leer(fresca, sql)) << sql.toStdString();
        }
    }
    // The table changes under a kept statement: the next read sees the new
    // columns and rows, not the ones it was prepared with.
    const QString sql = QStringLiteral("SELECT * FROM P WHERE COD = 'AbC'");
    leer(guarda, sql);
    env.sqlNativo(QStringLiteral("ALTER TABLE P ADD COLUMN EXTRA VARCHAR(5) DEFAULT 'e'"));
    env.sqlNativo(QStringLiteral("UPDATE P SET NUM = 30 WHERE COD = 'AbC'"));
    EXPECT_EQ(leer(guarda, sql), "COD:200 NUM:3 FECHA:135 IMPORTE:131 EXTRA:200 |AbC,30,,1,e,");
    // A failed read leaves nothing behind: the next one runs and the table can go.
    EXPECT_THROW(leer(guarda, QStringLiteral("SELECT NO_ESTA FROM P WHERE COD = 'x'")), VbError);
    EXPECT_EQ(leer(guarda, QStringLiteral("SELECT NUM FROM P WHERE COD = '12'")), "NUM:3 |12,");
    guarda.Execute(QStringLiteral("DROP TABLE P"));
    EXPECT_THROW(leer(guarda, sql), VbError);
}

TEST(SentenciasPreparadas, TheLeastRecentlyUsedGoesFirst) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
    {
        StatementCache cache(2);
        auto preparar = [&](const char* sql) {
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
            return st;
        };
        cache.give("A", preparar("SELECT 1"));
        cache.give("B", preparar("SELECT 2"));
        sqlite3_stmt* a = cache.take("A");   // taken out while in use
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(cache.take("A"), nullptr);
        cache.give("A", a);
        cache.give("C", preparar("SELECT 3"));   // B is the oldest
        EXPECT_EQ(cache.size(), 2u);
        sqlite3_stmt* b = cache.take("B");
        EXPECT_EQ(b, nullptr);
        sqlite3_stmt* c = cache.take("C");
        ASSERT_NE(c, nullptr);
        sqlite3_finalize(c);
    }
    // Every statement finalized: the connection closes at once.
    EXPECT_EQ(sqlite3_close(db), SQLITE_OK);
}

TEST(SentenciasPreparadas, FieldsAreFoundByNameWithoutRegardToCaseTheFirstOfTwo) {
    EntornoPrueba env(Motor::Sqlite);
    Connection c;
    c.Open(env.db().cadena());
    QString muchas = QStringLiteral("SELECT 0 AS c0");
    for (int i = 1; i < 20; ++i) muchas += QStringLiteral(", %1 AS c%1").arg(i);
    struct Caso {
        QString sql, nombre;
        int columna;   // -1: no such field
    };
    const Caso casos[] = {
        {QStringLiteral("SELECT 1 AS Codigo, 2 AS CODIGO"), QStringLiteral("codigo"), 0},
        {QStringLiteral("SELECT 1 AS Codigo, 2 AS Descripcion"), QStringLiteral("DESCRIPCION"), 1},
        {QStringLiteral("SELECT 1 AS Codigo"), QStringLiteral("Codig"), -1},
        {QStringLiteral("SELECT 1 AS a_b, 2 AS \"a@b\""), QStringLiteral("A@B"), 1},
        // Names beyond ASCII are lowered as Qt lowers them ("\u212A", the
        // Kelvin sign, lowers to "k"), also behind ASCII ones.
        {QString::fromUtf8("SELECT 1 AS x, 2 AS \"Año\", 3 AS \"\u212A\""), QString::fromUtf8("AÑO"), 1},
        {QString::fromUtf8("SELECT 1 AS x, 2 AS \"Año\", 3 AS \"\u212A\""), QStringLiteral("k"), 2},
        {muchas, QStringLiteral("C19"), 19},
        {muchas, QStringLiteral("c20"), -1},
    };
    for (const Caso& k : casos) {
        Recordset rs;
        rs.Open(k.sql, &c);
        int hallada = -1;
        try {
            hallada = int(rs.Fields(k.nombre).Value().toLongLong()) - (k.sql == muchas ? 0 : 1);
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), err::ItemNotFound) << k.sql.toStdString();
        }
        EXPECT_EQ(hallada, k.columna) << k.sql.toStdString() << " / " << k.nombre.toStdString();
    }
}
