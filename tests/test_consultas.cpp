#include "ConexionPrueba.h"
#include "ScriptedPrompt.h"
#include "data/Ajustes.h"
#include "lookup/Lib_ClsCons3.h"
#include "lookup/MascaraConsultas.h"
#include "lookup/gui/Lib_FrmCons3.h"
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class Consultas : public ::testing::Test {
protected:
    void SetUp() override {
        env = std::make_unique<EntornoPrueba>(Motor::Sqlite);
        ASSERT_TRUE(conectarDB(*env));
        reiniciarClsCons();
        ClsCons().gUsarMascarasConsultas = true;
        ClsCons().gRutaMascaraConsultas = env->db().carpeta + QStringLiteral("consultas.vlm");
        CrearMascarasConsultas();
    }
    void TearDown() override {
        reiniciarClsCons();
        reiniciarDB();
    }
    std::optional<QString> armar(const char* sql, QString campo = {}, QString donde = {}) {
        return ClsCons().ArmarSentencia(QString::fromUtf8(sql), campo, donde, QString());
    }
    std::unique_ptr<EntornoPrueba> env;
    ScriptedPrompt prompt;
};

TEST_F(Consultas, BuildsTheWorkedExamples) {
    EXPECT_EQ(armar("VT_CLIENTES").value_or(QString()),
              QStringLiteral("SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES  with(nolock)  WHERE Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL"));
    EXPECT_EQ(armar("V_MA_ARTICULOS").value_or(QString()),
              QStringLiteral("SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS  with(nolock)  WHERE SUSPENDIDO = 0 ORDER BY DESCRIPCION"));
    ClsCons().gUsarMascarasConsultas = false;
    EXPECT_EQ(armar("V_TA_DEPOSITO").value_or(QString()),
              QStringLiteral("SELECT TOP 1000 Descripcion,IdDeposito,UnidadNegocio FROM V_TA_DEPOSITO  ORDER BY IDDEPOSITO"));
    env->sqlNativo(QStringLiteral("CREATE TABLE T_PRUEBA (ID INTEGER, CODIGO VARCHAR(4), DESCRIPCION VARCHAR(30), FECHAHORA_GRABACION DATETIME);"));
    QString campo;
    QString donde;
    EXPECT_EQ(ClsCons().ArmarSentencia(QStringLiteral("T_PRUEBA"), campo, donde, QString()).value_or(QString()),
              QStringLiteral("SELECT TOP 1000 DESCRIPCION,CODIGO FROM T_PRUEBA  ORDER BY DESCRIPCION"));
    EXPECT_EQ(campo, QStringLiteral("DESCRIPCION"));
    ClsCons().gUsarMascarasConsultas = true;
    // A bare name without a mask record falls back to the table's own columns.
    EXPECT_EQ(armar("T_PRUEBA").value_or(QString()), QStringLiteral("SELECT TOP 1000 DESCRIPCION,CODIGO FROM T_PRUEBA  ORDER BY DESCRIPCION"));
    EXPECT_TRUE(prompt.records.empty());
}

TEST_F(Consultas, WrapsTheConditionAndReadsTheRowLimit) {
    QString campo, donde = QStringLiteral("x=1");
    EXPECT_EQ(ClsCons().ArmarSentencia(QStringLiteral("SELECT A FROM T"), campo, donde, QString()).value_or(QString()),
              QStringLiteral("SELECT A FROM T WHERE  (x=1) "));
    donde = QStringLiteral("(x=1)");
    EXPECT_EQ(ClsCons().ArmarSentencia(QStringLiteral("SELECT A FROM T"), campo, donde, QString()).value_or(QString()),
              QStringLiteral("SELECT A FROM T WHERE (x=1)"));
    donde = QStringLiteral("x");
    EXPECT_EQ(ClsCons().ArmarSentencia(QStringLiteral("SELECT A FROM T"), campo, donde, QString()).value_or(QString()),
              QStringLiteral("SELECT A FROM T WHERE x"));
    for (const auto& [valor, tope] : {std::pair{"250", "250"}, std::pair{"0", "1000"}, std::pair{"abc", "1000"}}) {
        env->sqlNativo(QStringLiteral("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'TOPCONSART'; INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('TOPCONSART', '%1');")
                           .arg(QString::fromLatin1(valor)));
        EXPECT_TRUE(armar("MA_CUENTAS").value_or(QString()).startsWith(QStringLiteral("SELECT TOP %1 DESCRIPCION,CODIGO FROM MA_CUENTAS").arg(QString::fromLatin1(tope))));
    }
}

TEST_F(Consultas, MaskFilterWinsAndASingleColumnMaskAsksForConfiguration) {
    AgregarMascaras(ClsCons().gRutaMascaraConsultas, {{QStringLiteral("UNA"), QStringLiteral("T_UNA"), QStringLiteral("|A|"), QString()},
                                                       {QStringLiteral("F"), QStringLiteral("T_FILTRO"), QStringLiteral("|A|B|"), QStringLiteral("B > 2")}});
    EXPECT_FALSE(armar("t_una").has_value());
    ASSERT_EQ(prompt.records.size(), 1u);
    EXPECT_EQ(prompt.records[0].text, QStringLiteral("Debe configurar la consulta para esta tabla"));
    EXPECT_EQ(prompt.records[0].title, QStringLiteral("Aviso al operador"));
    EXPECT_EQ(armar("T_FILTRO", {}, QStringLiteral("Z=1")).value_or(QString()),
              QStringLiteral("SELECT TOP 1000 A,B FROM T_FILTRO  with(nolock)  WHERE B > 2 ORDER BY A"));
    EXPECT_EQ(armar("T_FILTRO", QStringLiteral("OTRA")).value_or(QString()),
              QStringLiteral("SELECT TOP 1000 A,B FROM T_FILTRO  with(nolock)  WHERE B > 2 ORDER BY OTRA"));
}

TEST_F(Consultas, MaskFileIsByteExact) {
    QFile f(ClsCons().gRutaMascaraConsultas);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray b = f.readAll();
    ASSERT_EQ(b.size(), 11 * 1202);
    const QByteArray r1 = b.left(1202);
    EXPECT_EQ(r1.left(100), QByteArray("ARTICULOS").leftJustified(100, ' '));
    EXPECT_EQ(r1.mid(100, 100), QByteArray("V_MA_ARTICULOS").leftJustified(100, ' '));
    EXPECT_EQ(r1.mid(200, 500), QByteArray("|DESCRIPCION|IDARTICULO|").leftJustified(500, ' '));
    EXPECT_EQ(r1.mid(700, 500), QByteArray(500, ' '));
    EXPECT_EQ(r1.right(2), QByteArray("\r\n"));
    const QByteArray r9 = b.mid(8 * 1202, 1202);
    EXPECT_EQ(r9.mid(100, 100), QByteArray("V_TA_Tareas  ").leftJustified(100, ' '));
    EXPECT_EQ(r9.mid(200, 500), QByteArray("|Descripcion|IdTarea|").leftJustified(500, ' '));
    f.close();
    // Appending goes after the last whole record, over a partial one.
    QFile g(ClsCons().gRutaMascaraConsultas);
    g.open(QIODevice::Append);
    g.write("basura");
    g.close();
    CrearMascarasConsultas();
    EXPECT_EQ(QFileInfo(ClsCons().gRutaMascaraConsultas).size(), 22 * 1202);
    EXPECT_EQ(LeerMascaras(ClsCons().gRutaMascaraConsultas)->size(), 22u);
    EXPECT_EQ(MascaraConsulta::deBytes("corto").TituloMascara, QStringLiteral("corto").leftJustified(100, u' '));
}

TEST_F(Consultas, RequestResetsItsOneShotSettingsAndPassesTheStatementOn) {
    std::vector<PedidoConsulta> vistos;
    setMostradorConsulta([&](const PedidoConsulta& p) {
        vistos.push_back(p);
        RespuestaConsulta r;
        r.ValorDevuelto = QStringLiteral("0002");
        return r;
    });
    Lib_ClsCons3& c = ClsCons();
    c.Checks = true;
    c.CampoDevuelto = QStringLiteral("IDAGRUPACION");
    QStringList cmps{QStringLiteral("DESCRIPCION")};
    QString vacio, campo, donde;
    c.ConsultaSearch(QStringLiteral("SELECT DESCRIPCION , IDAGRUPACION FROM TA_AGRUPCUENTAS ORDER BY IDAGRUPACION"), &cmps, QStringLiteral("G"),
                     campo, donde, vacio, false, vacio);
    ASSERT_EQ(vistos.size(), 1u);
    EXPECT_FALSE(vistos[0].OrdenarPorLwv);
    EXPECT_TRUE(vistos[0].CheckBoxes);
    EXPECT_TRUE(vistos[0].DestildarTodo);
    EXPECT_EQ(vistos[0].FiltroInicial, QStringLiteral("G"));
    EXPECT_TRUE(vistos[0].CfgUsaConsultaLIKE);
    EXPECT_EQ(vistos[0].CmpsDevueltos, QStringList{QStringLiteral("DESCRIPCION")});
    EXPECT_EQ(c.ValorDevuelto.toText(), QStringLiteral("0002"));
    EXPECT_FALSE(c.Checks);
    EXPECT_EQ(c.CampoDevuelto, QString());
    EXPECT_TRUE(cmps.isEmpty());
    setMostradorConsulta(nullptr);
}

TEST_F(Consultas, ListDialogSearchesNarrowsAndAnswers) {
    PedidoConsulta p;
    p.sql = QStringLiteral("SELECT DESCRIPCION , IDAGRUPACION FROM TA_AGRUPCUENTAS ORDER BY IDAGRUPACION");
    p.CampoDevuelto = QStringLiteral("IDAGRUPACION");
    Lib_FrmCons3 d(p);
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    EXPECT_TRUE(QApplication::focusWidget() == d.CmbSearch(0)->lineEdit() || QApplication::focusWidget() == d.CmbSearch(0));
    ASSERT_EQ(d.ListView1()->topLevelItemCount(), 3);
    EXPECT_EQ(d.cantidadCajas(), 2);
    // Typing in a search box selects the first row that starts with the text, in any case.
    QTest::keyClicks(d.CmbSearch(0)->lineEdit(), QStringLiteral("gas"));
    EXPECT_EQ(d.ListView1()->currentItem()->text(0), QStringLiteral("Gastos de administración"));
    d.Aceptar();
    EXPECT_EQ(d.respuesta().ValorDevuelto.toText(), QStringLiteral("0002"));
    // F5 narrows the statement with a LIKE condition before ORDER BY.
    d.CmbSearch(0)->setEditText(QStringLiteral("Ven"));
    QTest::keyClick(d.CmbSearch(0), Qt::Key_F5);
    // The column name is the engine's spelling of it; names ignore case.
    EXPECT_EQ(d.sqlNueva().toUpper().toStdString(),
              "SELECT DESCRIPCION , IDAGRUPACION FROM TA_AGRUPCUENTAS  WHERE DESCRIPCION LIKE 'VEN%' ORDER BY IDAGRUPACION ");
    EXPECT_EQ(d.ListView1()->topLevelItemCount(), 1);
    d.NuevaBusqueda();
    EXPECT_EQ(d.ListView1()->topLevelItemCount(), 3);
    // A key typed in the list goes to the current search box.
    d.ListView1()->setFocus();
    QTest::keyClicks(d.ListView1(), QStringLiteral("D"));
    EXPECT_EQ(d.CmbSearch(0)->currentText(), QStringLiteral("D"));
    EXPECT_EQ(d.ListView1()->currentItem()->text(1), QStringLiteral("0001"));
    EXPECT_TRUE(prompt.records.empty());
}

TEST_F(Consultas, TickListReturnsTheTickedCodes) {
    PedidoConsulta p;
    p.sql = QStringLiteral("SELECT CODIGO,DESCRIPCION FROM MA_CUENTAS WHERE (TITULO=0)  ORDER BY CODIGO");
    p.CheckBoxes = true;
    p.DestildarTodo = true;
    Lib_FrmCons3 d(p);
    const int n = d.ListView1()->topLevelItemCount();
    ASSERT_GT(n, 200);
    EXPECT_EQ(d.ListView1()->header()->sectionSize(0), 25 * d.ListView1()->fontMetrics().horizontalAdvance(QLatin1Char('X')));
    d.ListView1()->topLevelItem(0)->setCheckState(0, Qt::Checked);
    d.ListView1()->topLevelItem(2)->setCheckState(0, Qt::Checked);
    d.Aceptar();
    // Without a return column, the first column's values come back.
    ASSERT_TRUE(d.respuesta().Valores.has_value());
    EXPECT_EQ(*d.respuesta().Valores, (QStringList{QStringLiteral("110101"), QStringLiteral("110103")}));
    Lib_FrmCons3 e(p);
    e.Marcar();
    e.Cancelar();
    EXPECT_FALSE(e.respuesta().Valores.has_value());
}

} // namespace
