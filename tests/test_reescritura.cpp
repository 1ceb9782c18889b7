#include "data/DB_Dll.h"
#include <gtest/gtest.h>

namespace {

QString ss(const char* sql, bool admin = false, bool conf = true) {
    return SinonimosSS(QString::fromUtf8(sql), admin, conf, QStringLiteral("agrupcuentas"));
}

TEST(SinonimosSS, RedirectsEveryRuleForNonAdministrators) {
    const std::pair<const char*, const char*> rows[] = {
        {"SELECT * FROM MA_CUENTAS WHERE X", "SELECT * FROM SS_MA_CUENTAS WHERE X"},
        {"SELECT * FROM (MA_CUENTAS X)", "SELECT * FROM (SS_MA_CUENTAS X)"},
        {"SELECT MA_CUENTAS.CODIGO FROM T", "SELECT SS_MA_CUENTAS.CODIGO FROM T"},
        {"WHERE (MA_CUENTAS.A=1)", "WHERE (SS_MA_CUENTAS.A=1)"},
        {"SELECT A,MA_CUENTAS.CODIGO FROM T", "SELECT A,SS_MA_CUENTAS.CODIGO FROM T"},
        {"{MA_CUENTAS.A}", "{SS_MA_CUENTAS.A}"},
        {"SELECT * FROM @Admin_MA_CUENTAS WHERE X", "SELECT * FROM MA_CUENTAS WHERE X"},
        {"SELECT * FROM V_TA_DEPOSITO WHERE X", "SELECT * FROM SS_V_TA_DEPOSITO WHERE X"},
        {"(V_TA_DEPOSITO ", "(SS_V_TA_DEPOSITO "},
        {" V_TA_DEPOSITO.A", " SS_V_TA_DEPOSITO.A"},
        {"(V_TA_DEPOSITO.A", "(SS_V_TA_DEPOSITO.A"},
        {",V_TA_DEPOSITO.A", ",SS_V_TA_DEPOSITO.A"},
        {"SELECT * FROM MV_ASIENTOS WHERE X", "SELECT * FROM SS_MV_ASIENTOS WHERE X"},
        {"(MV_ASIENTOS ", "(SS_MV_ASIENTOS "},
        {" MV_ASIENTOS.A", " SS_MV_ASIENTOS.A"},
        {"(MV_ASIENTOS.A", "(SS_MV_ASIENTOS.A"},
        {",MV_ASIENTOS.A", ",SS_MV_ASIENTOS.A"},
        {" V_TA_FAMILIAS ", " SS_V_TA_FAMILIAS "},
        {"(V_TA_FAMILIAS ", "(SS_V_TA_FAMILIAS "},
        {" V_TA_FAMILIAS.A", " SS_V_TA_FAMILIAS.A"},
        {"(V_TA_FAMILIAS.A", "(SS_V_TA_FAMILIAS.A"},
        {",V_TA_FAMILIAS.A", ",SS_V_TA_FAMILIAS.A"},
        {"FROM V_TA_Cajas WHERE", "FROM SS_V_TA_CAJAS WHERE"},
        {"(V_TA_CAJAS ", "(SS_V_TA_CAJAS "},
        {" V_TA_CAJAS.A", " SS_V_TA_CAJAS.A"},
        {"(V_TA_CAJAS.A", "(SS_V_TA_CAJAS.A"},
        {",V_TA_CAJAS.A", ",SS_V_TA_CAJAS.A"},
        {" AC_CUENTASDIARIO ", " SS_AC_CUENTASDIARIO "},
        {"(AC_CUENTASDIARIO ", "(SS_AC_CUENTASDIARIO "},
        {" AC_CUENTASDIARIO.A", " SS_AC_CUENTASDIARIO.A"},
        {"(AC_CUENTASDIARIO.A", "(SS_AC_CUENTASDIARIO.A"},
        {",AC_CUENTASDIARIO.A", ",SS_AC_CUENTASDIARIO.A"},
        {" AC_CUENTASDIARIO_CCOSTO ", " SS_AC_CUENTAS_DIARIO_CCOSTO "},
        {"(AC_CUENTASDIARIO_CCOSTO ", "(SS_AC_CUENTAS_DIARIO_CCOSTO "},
        {" AC_CUENTASDIARIO_CCOSTO.A", " SS_AC_CUENTAS_DIARIO_CCOSTO.A"},
        {"(AC_CUENTASDIARIO_CCOSTO.A", "(SS_AC_CUENTAS_DIARIO_CCOSTO.A"},
        {",AC_CUENTASDIARIO_CCOSTO.A", ",SS_AC_CUENTAS_DIARIO_CCOSTO.A"},
        // The window's account query.
        {"SELECT CODIGO,DESCRIPCION FROM MA_CUENTAS WHERE (TITULO=0)  ORDER BY CODIGO",
         "SELECT CODIGO,DESCRIPCION FROM SS_MA_CUENTAS WHERE (TITULO=0)  ORDER BY CODIGO"},
        // Names at the very start or end, or after a line break, are left alone.
        {"MA_CUENTAS", "MA_CUENTAS"},
        {"SELECT * FROM MA_CUENTAS", "SELECT * FROM MA_CUENTAS"},
        {"SELECT *\nFROM\nMA_CUENTAS\nWHERE", "SELECT *\nFROM\nMA_CUENTAS\nWHERE"},
        {"INSERT INTO @Admin_V_TA_Cajas (IDCAJAS) VALUES('1')", "INSERT INTO V_TA_Cajas (IDCAJAS) VALUES('1')"},
    };
    for (const auto& [in, out] : rows) EXPECT_EQ(ss(in).toStdString(), std::string(out)) << in;
}

TEST(SinonimosSS, AdministratorsAndOpenJournalsSeeTheTables) {
    EXPECT_EQ(ss("SELECT * FROM @Admin_MA_CUENTAS WHERE X", true), QStringLiteral("SELECT * FROM MA_CUENTAS WHERE X"));
    EXPECT_EQ(ss("SELECT * FROM MA_CUENTAS WHERE X", true), QStringLiteral("SELECT * FROM MA_CUENTAS WHERE X"));
    // With confidentiality off, a statement that names the journal is not redirected at all.
    EXPECT_EQ(ss("SELECT * FROM MV_ASIENTOS A, MA_CUENTAS WHERE X @admin_", false, false),
              QStringLiteral("SELECT * FROM MV_ASIENTOS A, MA_CUENTAS WHERE X "));
    EXPECT_EQ(ss("SELECT * FROM MA_CUENTAS WHERE X", false, false), QStringLiteral("SELECT * FROM SS_MA_CUENTAS WHERE X"));
}

TEST(DiccionarioOracle, TranslatesTheSuitesIdioms) {
    const std::pair<const char*, const char*> rows[] = {
        {"len", "LENGTH"},
        {"SELECT", "SELECT"},
        {"SELECT TOP 5 * FROM T WHERE A=1 ORDER BY B", "SELECT  * FROM T WHERE A=1    AND ROWNUM <= 5  ORDER BY B"},
        {"SELECT TOP 5 * FROM T ORDER BY B", "SELECT  * FROM T    WHERE ROWNUM <= 5  ORDER BY B"},
        {"SELECT TOP 5 A, COUNT(*) FROM T GROUP BY A", "SELECT  A, COUNT(*) FROM T    WHERE ROWNUM <= 5  GROUP BY A "},
        {"SELECT * FROM T WHERE F = '31/12/2020'", "SELECT * FROM T WHERE F = TO_DATE('31/12/2020','DD/MM/YYYY')"},
        {"SELECT CONVERT(NVARCHAR,F,103) FROM T", "SELECT TO_CHAR(F,'DD/MM/YYYY') FROM T"},
        {"SELECT CONVERT(INT,F) FROM T", "SELECT TO_NUMBER(F) FROM T"},
        {"SELECT LEN (A), len(B) FROM T", "SELECT LENGTH(A), LENGTH(B) FROM T"},
        {"SELECT [NUMERO ASIENTO] FROM T", "SELECT \"NUMERO ASIENTO\" FROM T"},
        {"SELECT Charindex('a', B) FROM T", "SELECT InStr('a', B) FROM T"},
        {"SELECT A = '' FROM T WHERE B = '' AND C=''", "SELECT A = '' FROM T WHERE B  IS NULL  AND C IS NULL "},
        {"SELECT SUBSTRING(A,1,2), ISNULL(B,0) FROM T", "SELECT SUBSTR(A,1,2), NVL(B,0) FROM T"},
        {"SELECT * FROM T WHERE N = '103'", "SELECT * FROM T WHERE N = '103'"},
    };
    for (const auto& [in, out] : rows) EXPECT_EQ(DiccionarioOracle(QString::fromUtf8(in)).toStdString(), std::string(out)) << in;
}

TEST(OracleDicc, LeavesOtherConnectionsAlone) {
    DB_Dll db;
    db.gConnString = QStringLiteral("PROVIDER=SQLOLEDB;Server=S;Database =D;UId=U;Pwd=P;");
    EXPECT_EQ(db.ORACLE_Dicc(QStringLiteral("SELECT TOP 1 * FROM T")), QStringLiteral("SELECT TOP 1 * FROM T"));
    db.gConnString = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=D;");
    EXPECT_EQ(db.ORACLE_Dicc(QStringLiteral("len")), QStringLiteral("LENGTH"));
}

TEST(ScriptOracle, SplitsAtItsKeywordsAndFilters) {
    const QString script = QStringLiteral("SET NOCOUNT ON\r\nBEGIN TRANSACTION\r\nINSERT INTO A (X) VALUES ('1')\r\nGO\r\n"
                                          "INSERT INTO B (Y) VALUES ('2')\r\nCOMMIT TRANSACTION");
    const QStringList piezas = PiezasScriptOracle(NormalizarScriptOracle(script));
    ASSERT_EQ(piezas.size(), 4) << qPrintable(piezas.join(u'|'));
    EXPECT_EQ(piezas[0], QStringLiteral("SET TRANSACTION"));
    EXPECT_TRUE(piezas[1].startsWith(QStringLiteral("INSERT INTO A (X) VALUES ('1')")));
    EXPECT_TRUE(piezas[2].startsWith(QStringLiteral("INSERT INTO B (Y) VALUES ('2')")));
    EXPECT_EQ(piezas[3], QStringLiteral("COMMIT"));
    EXPECT_TRUE(PiezasScriptOracle(NormalizarScriptOracle(QStringLiteral("SELECT 1 FROM DUAL"))).isEmpty());
    EXPECT_EQ(FiltroOracle(QStringLiteral("IF NOT EXISTS (SELECT 1) CREATE TABLE X")), QString());
    EXPECT_EQ(FiltroOracle(QStringLiteral("set nocount on")), QString());
    EXPECT_EQ(FiltroOracle(QStringLiteral("DELETE X")), QStringLiteral("DELETE X"));
    const QStringList dos = PiezasScriptOracle(QStringLiteral("basura DELETE FROM A WHERE X=1 GRANT ALL"));
    EXPECT_EQ(dos, (QStringList{QStringLiteral("DELETE FROM A WHERE X=1"), QStringLiteral("GRANT ALL")}));
}

TEST(Literales, ClassifiersReadCodesAsNumbersOrText) {
    EXPECT_EQ(DB_Dll::ADOComilla(200), QStringLiteral("'"));
    EXPECT_EQ(DB_Dll::ADOComilla(135), QStringLiteral("'"));
    EXPECT_EQ(DB_Dll::ADOComilla(3), QString());
    EXPECT_TRUE(DB_Dll::adodate(QStringLiteral("133")));
    EXPECT_TRUE(DB_Dll::ADOText(QStringLiteral(" 202 ")));
    EXPECT_TRUE(DB_Dll::ADONumeric(131));
    EXPECT_FALSE(DB_Dll::ADONumeric(6));
    EXPECT_TRUE(DB_Dll::ADOCurrency(6));
    EXPECT_TRUE(DB_Dll::ADOBoolean(QStringLiteral("11")));
    EXPECT_FALSE(DB_Dll::ADOBoolean(QStringLiteral("x")));
}

TEST(Literales, SqlValueWrapsAndEscapes) {
    const auto v = [](const ado::Variant& x, const char* t) { return DB_Dll::SQLValue(x, QString::fromUtf8(t)).toText().toStdString(); };
    EXPECT_EQ(v(QStringLiteral("abc"), "'"), "'abc'");
    EXPECT_EQ(v(ado::Variant::null(), "'"), "NULL");
    EXPECT_EQ(v(QStringLiteral("1,5"), "@"), "1.5");
    EXPECT_EQ(v(ado::Variant::null(), "@"), "0");
    EXPECT_EQ(v(12, ""), "12");
    EXPECT_EQ(v(ado::Variant::null(), ""), "NULL");
    EXPECT_EQ(v(QStringLiteral("O'Brien"), "'"), "'O''Brien'");
    EXPECT_EQ(v(QStringLiteral("x' OR '1'='1"), "'"), "'x'' OR ''1''=''1'");
    EXPECT_THROW(DB_Dll::SQLValue(QStringLiteral("no es plata"), QStringLiteral("@")), VbError);
}

TEST(Literales, ObjectNames) {
    QString n = QStringLiteral("dbo.CLIENTES");
    EXPECT_EQ(DB_Dll::stSTF(n, true), QStringLiteral("CLIENTES"));
    EXPECT_EQ(DB_Dll::stSTF(n, false), QStringLiteral("dbo"));
    QString tres = QStringLiteral("db.dbo.CLIENTES");
    EXPECT_EQ(DB_Dll::stSTF(tres, true), QStringLiteral("dbo.CLIENTES"));
    EXPECT_EQ(tres, QStringLiteral("dbo.CLIENTES"));
    QString solo = QStringLiteral("CLIENTES");
    EXPECT_EQ(DB_Dll::stSTF(solo, true), QStringLiteral("CLIENTES"));
    EXPECT_THROW(DB_Dll::stSTF(solo, false), VbError);
    EXPECT_EQ(DB_Dll::AddBrackets(QStringLiteral("Mis Datos")), QStringLiteral("[Mis Datos]"));
    EXPECT_EQ(DB_Dll::AddBrackets(QStringLiteral("CLIENTES")), QStringLiteral("CLIENTES"));
    EXPECT_EQ(DB_Dll::AddBrackets(QStringLiteral("[Mis Datos]")), QStringLiteral("[Mis Datos]"));
    EXPECT_EQ(DB_Dll::StripBrackets(QStringLiteral("[Mis Datos]")), QStringLiteral("Mis Datos"));
    EXPECT_EQ(DB_Dll::StripBrackets(QStringLiteral("[ab")), QStringLiteral("a"));
    EXPECT_THROW(DB_Dll::StripBrackets(QStringLiteral("[")), VbError);
    EXPECT_EQ(DB_Dll::StripConnect(QStringLiteral("Base ->Tabla")), QStringLiteral("Base"));
    EXPECT_EQ(DB_Dll::StripConnect(QStringLiteral("Tabla")), QStringLiteral("Tabla"));
    EXPECT_THROW(DB_Dll::StripConnect(QStringLiteral("->Tabla")), VbError);
    QString dueno = QStringLiteral("dbo.T");
    EXPECT_EQ(DB_Dll::StripOwner(dueno), QStringLiteral("T"));
    EXPECT_EQ(dueno, QStringLiteral("T"));
    EXPECT_EQ(DB_Dll::StripFileName(QStringLiteral("C:\\A\\B.MDB")), QStringLiteral("C:\\A"));
    EXPECT_EQ(DB_Dll::StripFileName(QStringLiteral("/datos/conta/B.db")), QStringLiteral("/datos/conta"));
    EXPECT_EQ(DB_Dll::StripFileName(QStringLiteral("B.db")), QString());
}

TEST(SentenciaAddField, IsExact) {
    EXPECT_EQ(SentenciaAddField(QStringLiteral("CLIENTES"), QStringLiteral("OBS"), QStringLiteral("VARCHAR(50)"), true, {}),
              QStringLiteral("ALTER TABLE dbo.CLIENTES ADD OBS VARCHAR(50) Null "));
    EXPECT_EQ(SentenciaAddField(QStringLiteral("CLIENTES"), QStringLiteral("OBS"), QStringLiteral("INT"), false, 0),
              QStringLiteral("ALTER TABLE dbo.CLIENTES ADD OBS INT Not Null  CONSTRAINT DF_CLIENTES_OBS DEFAULT (0)"));
}

TEST(ReescrituraEjecucion, RemovesTheMarkerAndRedirectsOnlyScripts) {
    DB_Dll db;
    db.gEsAdmin = false;
    const std::pair<const char*, const char*> rows[] = {
        {"DELETE @Admin_TA_CAJAS WHERE X", "DELETE TA_CAJAS WHERE X"},
        {"UPDATE MA_CUENTAS SET A=1", "UPDATE MA_CUENTAS SET A=1"},
        {"DROP VIEW V CREATE VIEW V AS SELECT * FROM MA_CUENTAS WHERE 1=1", "DROP VIEW V CREATE VIEW V AS SELECT * FROM SS_MA_CUENTAS WHERE 1=1"},
        {"DROP VIEW V CREATE VIEW V AS SELECT * FROM @ADMIN_MA_CUENTAS WHERE 1=1", "DROP VIEW V CREATE VIEW V AS SELECT * FROM MA_CUENTAS WHERE 1=1"},
        {"DROP T CREATE T DELETE FROM MA_CUENTAS WHERE 1", "DROP T CREATE T DELETE FROM MA_CUENTAS WHERE 1"},
    };
    for (const auto& [in, out] : rows) EXPECT_EQ(ReescrituraEjecucion(QString::fromUtf8(in), db).toStdString(), std::string(out)) << in;
}

} // namespace
