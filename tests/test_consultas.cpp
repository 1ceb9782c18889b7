#include "ConexionPrueba.h"
#include "ScriptedPrompt.h"
#include "data/Ajustes.h"
#include "lookup/Lib_ClsCons3.h"
#include "lookup/MascaraConsultas.h"
#include "lookup/AnchosColumnas.h"
#include "lookup/gui/Lib_FrmCons3.h"
#include "lookup/gui/Lib_FrmCons3Tree.h"
#include "platform/ProgramFolder.h"
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>
#include "lookup/gui/FilasConsulta.h"
#include <gtest/gtest.h>

namespace {

class Consultas : public PruebaConDemo {
protected:
    void SetUp() override {
        PruebaConDemo::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        reiniciarClsCons();
        ClsCons().gUsarMascarasConsultas = true;
        ClsCons().gRutaMascaraConsultas = env->db().carpeta + QStringLiteral("consultas.vlm");
        CrearMascarasConsultas();
    }
    void TearDown() override {
        reiniciarClsCons();
        PruebaConDemo::TearDown();
    }
    std::optional<QString> armar(const char* sql, QString campo = {}, QString donde = {}) {
        return ClsCons().ArmarSentencia(QString::fromUtf8(sql), campo, donde, QString());
    }
};

TEST_P(Consultas, BuildsTheWorkedExamples) {
    EXPECT_EQ(armar("VT_CLIENTES").value_or(QString()),
              QStringLiteral("SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES  with(nolock)  WHERE Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL"));
    EXPECT_EQ(armar("V_MA_ARTICULOS").value_or(QString()),
              QStringLiteral("SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS  with(nolock)  WHERE SUSPENDIDO = 0 ORDER BY DESCRIPCION"));
    ClsCons().gUsarMascarasConsultas = false;
    EXPECT_EQ(armar("V_TA_DEPOSITO").value_or(QString()),
              QStringLiteral("SELECT TOP 1000 Descripcion,IdDeposito,UnidadNegocio FROM V_TA_DEPOSITO  ORDER BY IDDEPOSITO"));
    env->sqlNativo(QStringLiteral("CREATE TABLE T_PRUEBA (ID INTEGER, CODIGO VARCHAR(4), DESCRIPCION VARCHAR(30), FECHAHORA_GRABACION TIMESTAMP);"));
    QString campo;
    QString donde;
    // Column names come in the engine's spelling (PostgreSQL: lower case).
    EXPECT_EQ(ClsCons().ArmarSentencia(QStringLiteral("T_PRUEBA"), campo, donde, QString()).value_or(QString()).toUpper(),
              QStringLiteral("SELECT TOP 1000 DESCRIPCION,CODIGO FROM T_PRUEBA  ORDER BY DESCRIPCION"));
    EXPECT_EQ(campo.toUpper(), QStringLiteral("DESCRIPCION"));
    ClsCons().gUsarMascarasConsultas = true;
    // A bare name without a mask record falls back to the table's own columns.
    EXPECT_EQ(armar("T_PRUEBA").value_or(QString()).toUpper(), QStringLiteral("SELECT TOP 1000 DESCRIPCION,CODIGO FROM T_PRUEBA  ORDER BY DESCRIPCION"));
    EXPECT_TRUE(prompt.records.empty());
}

TEST_P(Consultas, WrapsTheConditionAndReadsTheRowLimit) {
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

TEST_P(Consultas, MaskFilterWinsAndASingleColumnMaskAsksForConfiguration) {
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

TEST_P(Consultas, MaskFileIsByteExact) {
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

TEST_P(Consultas, RequestResetsItsOneShotSettingsAndPassesTheStatementOn) {
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

TEST_P(Consultas, ListDialogSearchesNarrowsAndAnswers) {
    PedidoConsulta p;
    p.sql = QStringLiteral("SELECT DESCRIPCION , IDAGRUPACION FROM TA_AGRUPCUENTAS ORDER BY IDAGRUPACION");
    p.CampoDevuelto = QStringLiteral("IDAGRUPACION");
    Lib_FrmCons3 d(p);
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    EXPECT_TRUE(QApplication::focusWidget() == d.CmbSearch(0)->lineEdit() || QApplication::focusWidget() == d.CmbSearch(0));
    ASSERT_EQ(d.Filas()->count(), 3);
    EXPECT_EQ(d.cantidadCajas(), 2);
    // Typing in a search box selects the first row that starts with the text, in any case.
    QTest::keyClicks(d.CmbSearch(0)->lineEdit(), QStringLiteral("gas"));
    EXPECT_EQ(d.Filas()->texto(d.filaActual(), 0), QStringLiteral("Gastos de administración"));
    d.Aceptar();
    EXPECT_EQ(d.respuesta().ValorDevuelto.toText(), QStringLiteral("0002"));
    // F5 narrows the statement with a LIKE condition before ORDER BY.
    d.CmbSearch(0)->setEditText(QStringLiteral("Ven"));
    QTest::keyClick(d.CmbSearch(0), Qt::Key_F5);
    // The column name is the engine's spelling of it; names ignore case.
    EXPECT_EQ(d.sqlNueva().toUpper().toStdString(),
              "SELECT DESCRIPCION , IDAGRUPACION FROM TA_AGRUPCUENTAS  WHERE DESCRIPCION LIKE 'VEN%' ORDER BY IDAGRUPACION ");
    EXPECT_EQ(d.Filas()->count(), 1);
    d.NuevaBusqueda();
    EXPECT_EQ(d.Filas()->count(), 3);
    // A key typed in the list goes to the current search box.
    d.ListView1()->setFocus();
    QTest::keyClicks(d.ListView1(), QStringLiteral("D"));
    EXPECT_EQ(d.CmbSearch(0)->currentText(), QStringLiteral("D"));
    EXPECT_EQ(d.Filas()->texto(d.filaActual(), 1), QStringLiteral("0001"));
    EXPECT_TRUE(prompt.records.empty());
}

// Hostile search texts: F5 with them only ever searches: nothing is found
// that should not be, no message, no row changed.
TEST_P(Consultas, HostileSearchTextsOnlyEverSearch) {
    PedidoConsulta p;
    p.sql = QStringLiteral("SELECT DESCRIPCION , IDAGRUPACION FROM TA_AGRUPCUENTAS ORDER BY IDAGRUPACION");
    p.CampoDevuelto = QStringLiteral("IDAGRUPACION");
    const QString textos[] = {QStringLiteral("'"), QStringLiteral("' OR '1'='1"), QStringLiteral("x'; DELETE FROM TA_AGRUPCUENTAS; --"),
                              QStringLiteral("/* */ --"), QStringLiteral("; DROP TABLE MA_CUENTAS"), QStringLiteral("%_[]"),
                              QString(10000, u'z'), QStringLiteral("\t\x01\x1f"), QStringLiteral("中文 Ελληνικά 🙂"),
                              QString::fromUtf8("\xff\xfe\xfd")};
    int probados = 0;
    for (const QString& t : textos) {
        Lib_FrmCons3 d(p);
        d.show();
        d.CmbSearch(0)->setEditText(t);
        QTest::keyClick(d.CmbSearch(0), Qt::Key_F5);
        EXPECT_EQ(d.Filas()->count(), 0) << t.left(40).toStdString();
        ++probados;
    }
    EXPECT_TRUE(prompt.records.empty()) << prompt.records[0].text.toStdString();
    Lib_FrmCons3 todo(p);
    EXPECT_EQ(todo.Filas()->count(), 3);
    informeFiabilidad(QStringLiteral("Entradas hostiles %1: %2 textos de búsqueda (F5) probados, filas alteradas: 0")
                          .arg(QString::fromLatin1(nombreMotor(GetParam()))).arg(probados));
}

TEST_P(Consultas, TickListReturnsTheTickedCodes) {
    PedidoConsulta p;
    p.sql = QStringLiteral("SELECT CODIGO,DESCRIPCION FROM MA_CUENTAS WHERE (TITULO=0)  ORDER BY CODIGO");
    p.CheckBoxes = true;
    p.DestildarTodo = true;
    Lib_FrmCons3 d(p);
    const int n = d.Filas()->count();
    ASSERT_GT(n, 200);
    EXPECT_EQ(d.ListView1()->header()->sectionSize(0), 25 * d.ListView1()->fontMetrics().horizontalAdvance(QLatin1Char('X')));
    d.Filas()->setTildada(0, true);
    d.Filas()->setTildada(2, true);
    d.Aceptar();
    // Without a return column, the first column's values come back.
    ASSERT_TRUE(d.respuesta().Valores.has_value());
    EXPECT_EQ(*d.respuesta().Valores, (QStringList{QStringLiteral("110101"), QStringLiteral("110103")}));
    Lib_FrmCons3 e(p);
    e.Marcar();
    e.Cancelar();
    EXPECT_FALSE(e.respuesta().Valores.has_value());
}

TEST_P(Consultas, FamilyTreeAndCodeTreeFollowTheirParents) {
    PedidoConsulta p;
    p.sql = QStringLiteral("SELECT * FROM V_TA_FAMILIAS");
    p.CampoDevuelto = QStringLiteral("IDFAMILIA");
    Lib_FrmCons3Tree d(p);
    QTreeWidgetItem* raiz = d.nodo(QStringLiteral("A"));
    ASSERT_TRUE(raiz);
    EXPECT_EQ(raiz->text(0), QStringLiteral("Consulta..."));
    ASSERT_EQ(raiz->childCount(), 2);
    EXPECT_EQ(d.nodo(QStringLiteral("A01"))->childCount(), 2);
    EXPECT_EQ(d.nodo(QStringLiteral("A02"))->childCount(), 1);
    EXPECT_EQ(d.nodo(QStringLiteral("A0201"))->parent(), d.nodo(QStringLiteral("A02")));
    EXPECT_EQ(d.nodo(QStringLiteral("A0101"))->text(0), QStringLiteral("0101 - LACTEOS"));
    // Typing selects the first node whose code or description starts with the text.
    d.CmbSearch()->setEditText(QStringLiteral("deter"));
    EXPECT_EQ(d.TreeV()->currentItem(), d.nodo(QStringLiteral("A0201")));
    d.Aceptar();
    EXPECT_EQ(d.respuesta().ValorDevuelto.toText(), QStringLiteral("0201"));

    env->sqlNativo(QStringLiteral("CREATE TABLE T_ARBOL (C VARCHAR(4), D VARCHAR(10)); INSERT INTO T_ARBOL VALUES ('1','uno'),('10','diez'),('11','once'),('2','dos');"));
    PedidoConsulta q;
    q.sql = QStringLiteral("SELECT C, D FROM T_ARBOL ORDER BY C");
    q.CampoDevuelto = QStringLiteral("CODIGO");
    q.CheckBoxes = true;
    Lib_FrmCons3Tree t(q);
    EXPECT_EQ(t.nodo(QStringLiteral("A10"))->parent(), t.nodo(QStringLiteral("A1")));
    EXPECT_EQ(t.nodo(QStringLiteral("A11"))->parent(), t.nodo(QStringLiteral("A1")));
    EXPECT_EQ(t.nodo(QStringLiteral("A2"))->parent(), t.nodo(QStringLiteral("A")));
    // Ticking a node ticks its subtree.
    t.nodo(QStringLiteral("A1"))->setCheckState(0, Qt::Checked);
    EXPECT_EQ(t.nodo(QStringLiteral("A11"))->checkState(0), Qt::Checked);
    t.Aceptar();
    EXPECT_EQ(*t.respuesta().Valores, (QStringList{QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("11")}));
    // F5 narrows by description.
    Lib_FrmCons3Tree f(q);
    f.CmbSearch()->setEditText(QStringLiteral("o"));
    QTest::keyClick(f.CmbSearch(), Qt::Key_F5);
    EXPECT_EQ(f.sql(), QStringLiteral("SELECT C, D FROM T_ARBOL  where Descripcion like '%o%' ORDER BY C"));
}

TEST_P(Consultas, OptionListsAndFileLines) {
    std::vector<PedidoConsulta> vistos;
    setMostradorConsulta([&](const PedidoConsulta& p) {
        vistos.push_back(p);
        Lib_FrmCons3 d(p);
        if (p.CheckBoxes) d.Aceptar();
        else {
            d.ListView1()->setCurrentIndex(d.Filas()->index(d.Filas()->count() - 1, 0));
            d.Aceptar();
        }
        return d.respuesta();
    });
    Lib_ClsCons3& c = ClsCons();
    EXPECT_EQ(c.CheckOpciones(QStringLiteral("Opciones"), nullptr, {QStringLiteral("1Primera"), QStringLiteral("0Segunda")}), QString());
    ASSERT_TRUE(c.Valores.has_value());
    EXPECT_EQ(*c.Valores, QStringList{QStringLiteral("Primera")});
    c.CheckOpciones(QStringLiteral("Opciones"), nullptr, {QStringLiteral("1Sola")});
    EXPECT_TRUE(vistos.back().filas.isEmpty());
    EXPECT_EQ(c.MenuOpciones(QStringLiteral("Menu"), {QStringLiteral("Alta"), QStringLiteral("Baja")}), QStringLiteral("Baja"));
    QFile f(env->db().carpeta + QStringLiteral("lineas.txt"));
    f.open(QIODevice::WriteOnly);
    f.write("uno\r\ndos\r\ntres\r\n");
    f.close();
    EXPECT_EQ(c.ConsultaDesdeArchivo(QStringLiteral("Lineas"), u'"' + f.fileName() + u'"', QStringLiteral(",")), QStringLiteral("uno"));
    EXPECT_EQ(c.ConsultaDesdeArchivo(QStringLiteral("Lineas"), QStringLiteral("/no/esta.txt"), QString()), QString());
    ASSERT_EQ(prompt.records.size(), 1u);
    EXPECT_EQ(prompt.records[0].text, QStringLiteral("No existe el archivo /no/esta.txt que desea consultar consulta "));
    QFile vacio(env->db().carpeta + QStringLiteral("vacio.txt"));
    vacio.open(QIODevice::WriteOnly);
    vacio.close();
    EXPECT_EQ(c.ConsultaDesdeArchivo(QStringLiteral("Lineas"), vacio.fileName(), QString()), QString());
    setMostradorConsulta(nullptr);
}

TEST_P(Consultas, ColumnWidthsFileLastLineWinsAndSavesThroughTheWorkFile) {
    const QString archivo = ArchivoAnchos();
    EXPECT_EQ(archivo, env->db().carpeta + QStringLiteral("CONSULTASLEN.VLM"));
    QFile f(archivo);
    f.open(QIODevice::WriteOnly);
    f.write("\"TA_AGRUPCUENTAS\",\"3000|900|\"\r\n\"ta_agrupcuentas\",\"1500|1200|\"\r\n\"OTRA\",\"1|\"\r\n");
    f.close();
    EXPECT_EQ(*LeerAnchos(archivo, QStringLiteral("TA_AgrupCuentas")), (std::vector<double>{1500, 1200}));
    {
        // A lone CR ends a line as CR LF does, for reading and for rewriting alike.
        QTemporaryDir t;
        const QString otro = t.filePath(QStringLiteral("CONSULTASLEN.VLM"));
        QFile g(otro);
        g.open(QIODevice::WriteOnly);
        g.write("\"MA_CUENTAS\",\"1500|\"\r,\"x|\"\r\"V\",\"7|\"");
        g.close();
        EXPECT_EQ(*LeerAnchos(otro, QStringLiteral("MA_CUENTAS")), (std::vector<double>{1500}));
        ASSERT_TRUE(GuardarAnchos(otro, QStringLiteral("V"), {8}));
        EXPECT_EQ(*LeerAnchos(otro, QStringLiteral("MA_CUENTAS")), (std::vector<double>{1500}));
        EXPECT_EQ(*LeerAnchos(otro, QStringLiteral("V")), (std::vector<double>{8}));
    }
    PedidoConsulta p;
    p.sql = QStringLiteral("SELECT DESCRIPCION , IDAGRUPACION FROM TA_AGRUPCUENTAS ORDER BY IDAGRUPACION");
    p.GrabarCfg = true;
    {
        Lib_FrmCons3 d(p);
        EXPECT_EQ(d.ListView1()->header()->sectionSize(0), 100);   // 1500 twips at 96 dpi
        d.ListView1()->header()->resizeSection(1, 150);
        d.Cancelar();
    }
    EXPECT_FALSE(QFile::exists(env->db().carpeta + QStringLiteral("CONSULTASLEN.AUX")));
    f.open(QIODevice::ReadOnly);
    const QString texto = QString::fromUtf8(f.readAll());
    EXPECT_EQ(texto, QStringLiteral("\"OTRA\",\"1|\"\r\n\"TA_AGRUPCUENTAS\",\"1500|2250|\"\r\n"));
    EXPECT_TRUE(ExisteArchivo(u'"' + archivo + u'"'));
    EXPECT_FALSE(ExisteArchivo(archivo + QStringLiteral(".no")));
}

TEST_P(Consultas, QuantityKeysAndShortageReport) {
    env->sqlNativo(QStringLiteral("CREATE TABLE STK_ARTICULOS (idarticulo VARCHAR(25), Descripcion VARCHAR(30), \"**cantidad**\" VARCHAR(12));"
                                  "INSERT INTO STK_ARTICULOS VALUES ('A1', 'Tornillo', '1'), ('A2', 'Tuerca', '0');"));
    PedidoConsulta p;
    p.sql = QStringLiteral("SELECT idarticulo, Descripcion, [**Cantidad**] FROM STK_ARTICULOS ORDER BY idarticulo");
    p.CheckBoxes = true;
    p.UsaCantidades = true;
    Lib_FrmCons3 d(p);
    QTreeView* l = d.ListView1();
    FilasConsulta* f = d.Filas();
    l->setCurrentIndex(f->index(0, 0));
    QTest::keyClick(l, Qt::Key_Delete);
    EXPECT_EQ(f->texto(0, 2), QStringLiteral("0.00"));
    EXPECT_FALSE(f->tildada(0));
    QTest::keyClick(l, Qt::Key_Insert);
    EXPECT_EQ(f->texto(0, 2), QStringLiteral("1.0"));
    EXPECT_TRUE(f->tildada(0));
    prompt.answerText(QStringLiteral("12,5"));
    QTest::keyClick(l, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(prompt.records.back().title, QStringLiteral("Carga de Datos"));
    EXPECT_EQ(f->texto(0, 2), QStringLiteral("12.00"));
    d.Aceptar();
    EXPECT_EQ(*d.respuesta().Cantidades, QStringList{QStringLiteral("12.00")});
    // F12 reports a shortage of the selected article.
    prompt.answer(vb::Yes);
    QTest::keyClick(l, Qt::Key_F12);
    ASSERT_GE(prompt.records.size(), 2u);
    EXPECT_EQ(prompt.records.back().text, QStringLiteral("Desea informar el articulo A1 Tornillo\r\ncomo un faltante de stock?"));
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT IdArticulo, Usuario FROM MV_FALTANTES"), &DB().gCnn);
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.Fields(0).Value().toText(), QString(23, u' ') + QStringLiteral("A1"));
    EXPECT_EQ(rs.Fields(1).Value().toText(), QStringLiteral("ADMIN"));
}

TEST_P(Consultas, ArticleRowsTakeTheColourOfTheirStockLevel) {
    env->sqlNativo(QStringLiteral("CREATE TABLE ARTICULOS_T (IDARTICULO VARCHAR(4), PUNTOPEDIDO INTEGER, Stock INTEGER);"
                                  "INSERT INTO ARTICULOS_T VALUES ('A', 0, 5), ('B', 2, 5), ('C', 5, 2), ('D', 0, 0);"));
    PedidoConsulta p;
    p.sql = QStringLiteral("SELECT IDARTICULO, PUNTOPEDIDO, Stock FROM ARTICULOS_T ORDER BY IDARTICULO");
    p.MuestraStock = QStringLiteral("SI");
    p.StkNivel1 = 255;            // red
    p.StkNivel2 = 65280;          // green
    p.StkNivel3 = 16711680;       // blue
    p.StkNivel4 = QString();      // no colour
    Lib_FrmCons3 d(p);
    FilasConsulta* f = d.Filas();
    ASSERT_EQ(f->count(), 4);
    auto pincel = [&](int fila) { return f->data(f->index(fila, 1), Qt::ForegroundRole).value<QBrush>(); };
    EXPECT_EQ(pincel(0).color(), QColor(255, 0, 0));
    EXPECT_EQ(pincel(1).color(), QColor(0, 255, 0));
    EXPECT_EQ(pincel(2).color(), QColor(0, 0, 255));
    EXPECT_EQ(pincel(3).style(), Qt::NoBrush);
    EXPECT_TRUE(f->data(f->index(0, 1), Qt::FontRole).value<QFont>().bold());
}

INSTANTIATE_TEST_SUITE_P(Engines, Consultas, ::testing::Values(Motor::Sqlite, Motor::Postgres),
                         [](const auto& info) { return std::string(nombreMotor(info.param)); });

} // namespace

namespace {
TEST(ConsultasGrandes, HundredThousandRowsLoadAndSearchQuickly) {
    EntornoPrueba env(Motor::Sqlite);
    {
        ado::Connection c;
        c.Open(QStringLiteral("Provider=SQLite;Data Source=") + env.db().carpeta + QStringLiteral("DEMO.db"));
        c.runNative(QStringLiteral("CREATE TABLE GRANDE (CODIGO VARCHAR(10), DESCRIPCION VARCHAR(60))"));
        c.runNative(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000) "
                                   "INSERT INTO GRANDE SELECT printf('%07d', i), 'Articulo numero ' || i FROM n"));
    }
    ScriptedPrompt prompt;
    ASSERT_TRUE(conectarDB(env));
    PedidoConsulta p;
    p.sql = QStringLiteral("SELECT CODIGO, DESCRIPCION FROM GRANDE ORDER BY CODIGO");
    p.CheckBoxes = true;
    QElapsedTimer t;
    t.start();
    Lib_FrmCons3 d(p);
    const qint64 carga = t.elapsed();
    ASSERT_EQ(d.Filas()->count(), 100000);
    t.restart();
    d.CmbSearch(0)->setEditText(QStringLiteral("0099999"));
    const qint64 busqueda = t.elapsed();
    EXPECT_EQ(d.Filas()->texto(d.filaActual(), 0), QStringLiteral("0099999"));
    std::printf("100000 rows: load %lld ms, search at the end %lld ms\n", static_cast<long long>(carga), static_cast<long long>(busqueda));
    EXPECT_LT(carga, 5000);
    EXPECT_LT(busqueda, 50);
    reiniciarDB();
}
} // namespace
