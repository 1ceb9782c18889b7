#include "ScriptedPrompt.h"
#include "TestDb.h"
#include "app/Configuracion.h"
#include "app/Frm_AgrupCuentas.h"
#include "app/Sesion.h"
#include "app/SkinFramework.h"
#include "app/UtilBox.h"
#include "data/DB_Dll.h"
#include "lookup/Lib_ClsCons3.h"
#include "lookup/gui/Lib_FrmCons3.h"
#include "lookup/gui/Lib_FrmCons3Tree.h"
#include "platform/ProcessEnd.h"
#include "platform/ado/Connection.h"
#include "platform/ado/SqlDialect.h"
#include "util/ZtUtil.h"
#include "util/ZtWorkstation.h"
#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeView>
#include <QTreeWidget>
#include "lookup/gui/FilasConsulta.h"
#include "app/ListaCuentas.h"
#include <functional>
#include <gtest/gtest.h>

namespace {

void copiarCarpeta(const QString& de, const QString& a) {
    QDir().mkpath(a);
    for (const QFileInfo& fi : QDir(de).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (fi.isDir()) copiarCarpeta(fi.filePath(), a + u'/' + fi.fileName());
        else QFile::copy(fi.filePath(), a + u'/' + fi.fileName());
    }
}

class Ventana : public ::testing::TestWithParam<Motor> {
protected:
    void SetUp() override {
        REQUIRE_MOTOR(GetParam());
        env = std::make_unique<EntornoPrueba>(GetParam());
        copiarCarpeta(QStringLiteral(AGR_SOURCE_DIR "/resources/Styles"), env->db().carpeta + QStringLiteral("Styles"));
        reiniciarDB();
        reiniciarDBEstadisticas();
        reiniciarSesion();
        reiniciarClsCons();
        Puesto().setWorkstationUser(QStringLiteral("oper"));
        setProcessEndHandler([this](int c) {
            terminado = true;
            throw ProcessEndRequested{c};
        });
        setMostradorConsulta([this](const PedidoConsulta& p) {
            pedidos.push_back(p);
            RespuestaConsulta r;
            r.ValorDevuelto = valorLookup;
            r.Valores = valoresLookup;
            return r;
        });
    }
    void TearDown() override {
        w.reset();
        setMostradorConsulta(nullptr);
        setProcessEndHandler(nullptr);
        Puesto().setWorkstationUser(QString());
        reiniciarDB();
        reiniciarDBEstadisticas();
    }
    void abrir(const QString& resto = QString()) {
        setLineaDeComandos(QStringLiteral("@server=%1; @dbname=%2; @usuario=ADMIN; @Password=; ").arg(env->db().servidor, env->db().base) +
                           resto);
        w = std::make_unique<Frm_AgrupCuentas>();
        w->Form_Load();
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    QStringList filas(const QString& sql) {
        ado::Recordset rs;
        rs.Open(sql, &DB().gCnn);
        QStringList out;
        for (; !rs.Eof(); rs.MoveNext()) {
            QStringList c;
            for (int i = 0; i < rs.FieldCount(); ++i) c << rs.Fields(i).Value().toText();
            out << c.join(u'|');
        }
        return out;
    }
    QStringList detalle(const char* codigo) {
        return filas(QStringLiteral("SELECT Cuenta FROM TA_AGRUPCUENTAS_DETALLE WHERE IDAGRUPACION = '%1' ORDER BY Cuenta").arg(QString::fromUtf8(codigo)));
    }
    QString descripcion(const char* codigo) {
        const QStringList f = filas(QStringLiteral("SELECT Descripcion FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '%1'").arg(QString::fromUtf8(codigo)));
        return f.isEmpty() ? QStringLiteral("<sin fila>") : f.first();
    }
    int tildadas() const {
        int n = 0;
        for (int i = 0; i < w->Cuentas()->count(); ++i) n += w->Cuentas()->at(i).tildada;
        return n;
    }
    // The listed account of a code, nullptr when it is not listed.
    const ListaCuentas::Cuenta* cuenta(const QString& codigo) const {
        const int f = w->Cuentas()->fila(codigo);
        return f < 0 ? nullptr : &w->Cuentas()->at(f);
    }
    void tildar(const QString& codigo, bool si) { w->Cuentas()->setTildada(w->Cuentas()->fila(codigo), si); }
    QString panel(const char* k) const { return w->sbStatusBar()->findChild<QLabel*>(QString::fromLatin1(k))->text(); }
    void tecla(QWidget* a, int k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(a, Qt::Key(k), m); }

    std::unique_ptr<EntornoPrueba> env;
    std::unique_ptr<Frm_AgrupCuentas> w;
    ScriptedPrompt prompt;
    bool terminado = false;
    std::vector<PedidoConsulta> pedidos;
    QString valorLookup;
    std::optional<QStringList> valoresLookup;
};

TEST_P(Ventana, OpensTheGroupingOfTheCommandLineWithItsAccountsTicked) {
    abrir(QStringLiteral("@ParametroAdicional=0003; @Caja=1;"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Agrupación de Cuentas "));
    EXPECT_EQ(w->txtfields(0)->text(), QStringLiteral("0003"));
    EXPECT_EQ(w->txtfields(1)->text(), QStringLiteral("Ventas por zona"));
    ASSERT_EQ(w->Cuentas()->count(), 8);
    EXPECT_EQ(tildadas(), 8);
    const ListaCuentas::Cuenta* it = cuenta(QStringLiteral("410106"));
    ASSERT_TRUE(it);
    EXPECT_EQ(it->descripcion, QStringLiteral("Ventas zona Centro"));
    EXPECT_EQ(panel("SERVER"), QStringLiteral("Srv: ") + env->db().servidor);
    EXPECT_EQ(panel("BASEDEDATOS"), QStringLiteral("Db: ") + env->db().base);
    EXPECT_EQ(panel("USUARIO"), QStringLiteral("Uid: ADMIN"));
    EXPECT_EQ(panel("CAJA"), QStringLiteral("1 CAJA 1"));
    EXPECT_EQ(panel("VERSION"), QStringLiteral("V.%1.%2.%3").arg(AGR_VERSION_MAJOR).arg(AGR_VERSION_MINOR).arg(AGR_VERSION_PATCH));
    EXPECT_EQ(w->sbStatusBar()->findChild<QLabel*>(QStringLiteral("SERVER"))->toolTip(), panel("SERVER"));
    EXPECT_TRUE(w->ParamCargados());
    EXPECT_FALSE(w->UtilBox1()->accion(QStringLiteral("NUEVO"))->isVisible());
    EXPECT_TRUE(prompt.records.empty());
}

TEST_P(Ventana, UnknownOrMissingCodeShowsAnEmptyGrouping) {
    abrir(QStringLiteral("@ParametroAdicional=0099;"));
    EXPECT_EQ(w->txtfields(0)->text(), QStringLiteral("0099"));
    EXPECT_EQ(w->txtfields(1)->text(), QString());
    EXPECT_EQ(w->Cuentas()->count(), 0);
    w.reset();
    reiniciarDB();
    abrir();
    EXPECT_EQ(w->txtfields(0)->text(), QString());
    EXPECT_EQ(w->txtfields(1)->text(), QString());
    EXPECT_EQ(w->Cuentas()->count(), 0);
}

TEST_P(Ventana, EnterLoadsClearsOrMovesOn) {
    abrir();
    w->txtfields(0)->setFocus();
    w->txtfields(0)->setText(QStringLiteral("0001"));
    tecla(w->txtfields(0), Qt::Key_Return);
    EXPECT_EQ(w->txtfields(1)->text(), QStringLiteral("Disponibilidades"));
    EXPECT_EQ(w->Cuentas()->count(), 5);
    // An empty code clears the description and leaves the list.
    w->txtfields(0)->setFocus();
    w->txtfields(0)->setText(QString());
    tecla(w->txtfields(0), Qt::Key_Return);
    EXPECT_EQ(w->txtfields(1)->text(), QString());
    EXPECT_EQ(w->Cuentas()->count(), 5);
    // Enter on the description only moves the focus on.
    w->txtfields(1)->setText(QStringLiteral("texto"));
    w->txtfields(1)->setFocus();
    tecla(w->txtfields(1), Qt::Key_Return);
    EXPECT_EQ(w->txtfields(1)->text(), QStringLiteral("texto"));
    EXPECT_EQ(w->Cuentas()->count(), 5);
    EXPECT_EQ(QApplication::focusWidget(), w->cmdAsociar());
}

TEST_P(Ventana, SpaceInTheListTicksAndUnticksTheCurrentAccount) {
    abrir(QStringLiteral("@ParametroAdicional=0003;"));
    w->show();
    QTreeView* v = w->LstTodo();
    v->setFocus();
    v->setCurrentIndex(w->Cuentas()->index(2, 0));
    tecla(v, Qt::Key_Space);
    EXPECT_FALSE(w->Cuentas()->at(2).tildada);
    EXPECT_EQ(tildadas(), 7);
    EXPECT_EQ(v->model()->data(w->Cuentas()->index(2, 0), Qt::CheckStateRole).toInt(), Qt::Unchecked);
    tecla(v, Qt::Key_Space);
    EXPECT_TRUE(w->Cuentas()->at(2).tildada);
}

TEST_P(Ventana, AddingAccountsKeepsTheOnesAlreadyListed) {
    abrir(QStringLiteral("@ParametroAdicional=0003;"));
    tildar(QStringLiteral("410106"), false);
    valoresLookup = QStringList{QStringLiteral("410106"), QStringLiteral("110101")};
    QTest::mouseClick(w->cmdAsociar(), Qt::LeftButton);
    ASSERT_EQ(pedidos.size(), 1u);
    EXPECT_EQ(pedidos[0].sql, QStringLiteral("SELECT CODIGO,DESCRIPCION FROM MA_CUENTAS WHERE (TITULO=0)  ORDER BY CODIGO"));
    EXPECT_TRUE(pedidos[0].CheckBoxes);
    EXPECT_EQ(pedidos[0].CampoDevuelto, QStringLiteral("CODIGO"));
    EXPECT_EQ(ClsCons().CampoDevuelto, QStringLiteral("IDARTICULO"));
    EXPECT_EQ(w->Cuentas()->count(), 9);
    EXPECT_EQ(cuenta(QStringLiteral("410106"))->tildada, false);
    EXPECT_EQ(cuenta(QStringLiteral("110101"))->tildada, true);
    EXPECT_EQ(cuenta(QStringLiteral("110101"))->descripcion, QStringLiteral("Caja"));
    // Nothing chosen changes nothing.
    valoresLookup.reset();
    QTest::mouseClick(w->cmdAsociar(), Qt::LeftButton);
    EXPECT_EQ(w->Cuentas()->count(), 9);
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("CmdSeleccionarTodo")), Qt::LeftButton);
    EXPECT_EQ(tildadas(), 9);
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("CmdDeSeleccionarTodo")), Qt::LeftButton);
    EXPECT_EQ(tildadas(), 0);
}

TEST_P(Ventana, RightClickLooksUpOnlyTheCode) {
    abrir();
    QTest::mouseClick(w->txtfields(1), Qt::RightButton);
    EXPECT_TRUE(pedidos.empty());
    valorLookup = QStringLiteral("0002");
    QTest::mouseClick(w->txtfields(0), Qt::RightButton);
    ASSERT_EQ(pedidos.size(), 1u);
    EXPECT_EQ(pedidos[0].sql, QStringLiteral("SELECT DESCRIPCION , IDAGRUPACION FROM TA_AGRUPCUENTAS ORDER BY IDAGRUPACION"));
    EXPECT_EQ(pedidos[0].CampoDevuelto, QStringLiteral("IDAGRUPACION"));
    EXPECT_EQ(w->txtfields(1)->text(), QStringLiteral("Gastos de administración"));
    EXPECT_EQ(w->Cuentas()->count(), 20);
    // F3 from the code field looks it up too; the description field offers no lookup.
    w->txtfields(0)->setFocus();
    tecla(w->txtfields(0), Qt::Key_F3);
    EXPECT_EQ(pedidos.size(), 2u);
    w->txtfields(1)->setFocus();
    EXPECT_FALSE(w->UtilBox1()->accion(QStringLiteral("CONSULTAR"))->isEnabled());
    EXPECT_EQ(w->CampoActual(), 1);
}

TEST_P(Ventana, SavingANewGroupingWritesHeaderAndTickedAccounts) {
    abrir();
    w->txtfields(0)->setText(QStringLiteral("7"));
    tecla(w->txtfields(0), Qt::Key_Return);
    w->txtfields(1)->setText(QStringLiteral("Ventas d'Alba"));
    valoresLookup = QStringList{QStringLiteral("410101"), QStringLiteral("410102"), QStringLiteral("410103")};
    w->cmdAsociar_Click();
    tildar(QStringLiteral("410103"), false);
    tecla(w->LstTodo(), Qt::Key_F10);
    EXPECT_EQ(descripcion("   7"), QStringLiteral("Ventas d'Alba"));
    EXPECT_EQ(detalle("   7"), (QStringList{QStringLiteral("410101"), QStringLiteral("410102")}));
    EXPECT_TRUE(prompt.records.empty());
    EXPECT_EQ(w->txtfields(1)->text(), QStringLiteral("Ventas d'Alba"));
    // Saving the same screen again writes the same rows.
    tecla(w->LstTodo(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(detalle("   7"), (QStringList{QStringLiteral("410101"), QStringLiteral("410102")}));
    // Reloaded, it reads back exactly.
    w->txtfields(0)->setText(QStringLiteral("7"));
    w->ValidaCampo(0);
    EXPECT_EQ(w->txtfields(1)->text(), QStringLiteral("Ventas d'Alba"));
    EXPECT_EQ(w->Cuentas()->count(), 2);
}

// The accounts are written in batches of several hundred rows: across batch
// boundaries, with an apostrophe in a code, the stored set is exactly the
// ticked one, and a second save writes the same rows.
TEST_P(Ventana, SavesManyAccountsInBatchesExactly) {
    QStringList cuentas;
    QString sql = QStringLiteral("INSERT INTO MA_CUENTAS (Codigo, DESCRIPCION) VALUES ");
    for (int i = 0; i < 1203; ++i) {
        const QString c = i == 600 ? QStringLiteral("98'0600") : QStringLiteral("98%1").arg(i, 5, 10, QChar(u'0'));
        cuentas << c;
        sql += QStringLiteral("%1('%2', 'Cuenta %3')").arg(i ? QStringLiteral(",") : QString(), QString(c).replace(QStringLiteral("'"), QStringLiteral("''"))).arg(i);
    }
    env->sqlNativo(sql);
    abrir();
    w->txtfields(0)->setText(QStringLiteral("9"));
    tecla(w->txtfields(0), Qt::Key_Return);
    w->txtfields(1)->setText(QStringLiteral("Muchas"));
    valoresLookup = cuentas;
    w->cmdAsociar_Click();
    ASSERT_EQ(w->Cuentas()->count(), 1203);
    tildar(QStringLiteral("9800000"), false);
    tecla(w->LstTodo(), Qt::Key_F10);
    EXPECT_TRUE(prompt.records.empty());
    QStringList esperadas = cuentas.mid(1);
    std::sort(esperadas.begin(), esperadas.end());
    QStringList guardadas = detalle("   9");
    std::sort(guardadas.begin(), guardadas.end());
    EXPECT_EQ(guardadas, esperadas);
    tecla(w->LstTodo(), Qt::Key_F10);
    guardadas = detalle("   9");
    std::sort(guardadas.begin(), guardadas.end());
    EXPECT_EQ(guardadas, esperadas);
}

// Hostile codes, descriptions, account codes and parameter strings: no
// statement is altered, no other row changes, and what is stored reads back
// exactly as the fields show it (the fields hold at most the column's size);
// a text the engine cannot take is refused with a message, nothing written.
TEST_P(Ventana, HostileInputIsStoredExactlyOrRefused) {
    const QString todo = QStringLiteral("SELECT IDAGRUPACION, Descripcion FROM TA_AGRUPCUENTAS ORDER BY IDAGRUPACION");
    const QString detalles = QStringLiteral("SELECT IDAGRUPACION, Cuenta FROM TA_AGRUPCUENTAS_DETALLE ORDER BY IDAGRUPACION, Cuenta");
    abrir();
    const QStringList cuentasAntes = filas(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS"));
    auto desc = [&](const QString& codigo) {
        const QStringList f = filas(QStringLiteral("SELECT Descripcion FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '%1'")
                                        .arg(QString(codigo).replace(QStringLiteral("'"), QStringLiteral("''"))));
        return f.isEmpty() ? QStringLiteral("<sin fila>") : f.first();
    };
    const QString textos[] = {
        QStringLiteral("'"), QStringLiteral("O'Brien"), QStringLiteral("x'); DELETE FROM TA_AGRUPCUENTAS; --"),
        QStringLiteral("; DROP TABLE MA_CUENTAS"), QStringLiteral("/* comentario */ -- resto"), QStringLiteral("''''"),
        QString(10000, u'x'), QStringLiteral("tab\there\x01\x1f\x7f"), QStringLiteral("Ñandú ĳ 中文 Ελληνικά кириллица 🙂"),
        QString::fromUtf8("\xff\xfe inválido \xc3"), QStringLiteral("%_[]^"), QStringLiteral("\\ barra \\'"),
        QString::fromUtf8("con\0nulo", 8)};
    const QString codigos[] = {QStringLiteral("'"), QStringLiteral("a'b"), QStringLiteral("--"), QStringLiteral(";"), QStringLiteral("/*"),
                               QStringLiteral("ñ中"), QStringLiteral("'--'")};
    const QString cuentaHostil = QStringLiteral("x'); DROP TABLE T;--");
    int probados = 0, rechazados = 0;
    for (size_t i = 0; i < std::size(textos); ++i) {
        const QString codigo = codigos[i % std::size(codigos)];
        const QStringList otros = filas(todo), otrosDetalles = filas(detalles);
        w->txtfields(0)->setText(codigo);
        w->ValidaCampo(0);
        const QString guardado = Utilidades().FormatCode(codigo, 4);
        const QString antes = desc(guardado);
        w->txtfields(1)->setText(textos[i]);
        const QString visible = w->txtfields(1)->text();
        valoresLookup = QStringList{QStringLiteral("110101"), cuentaHostil};
        w->cmdAsociar_Click();
        prompt.records.clear();
        prompt.answer(vb::Abort);
        w->GrabarAgrupacion();
        ++probados;
        auto sinEste = [&](QStringList l) {
            l.erase(std::remove_if(l.begin(), l.end(), [&](const QString& f) { return f.startsWith(guardado + u'|'); }), l.end());
            return l;
        };
        if (visible.contains(QChar(0))) {
            ++rechazados;
            ASSERT_FALSE(prompt.records.empty());
            EXPECT_TRUE(prompt.records[0].text.contains(QStringLiteral("nulo"))) << prompt.records[0].text.toStdString();
            EXPECT_EQ(desc(guardado), antes);
        } else {
            EXPECT_TRUE(prompt.records.empty()) << i << " " << prompt.records[0].text.toStdString();
            w->txtfields(0)->setText(codigo);
            w->ValidaCampo(0);
            EXPECT_EQ(w->txtfields(1)->text(), visible) << i;
            EXPECT_EQ(desc(guardado), visible) << i;
            QStringList d;
            for (const QString& f : filas(detalles))
                if (f.startsWith(guardado + u'|')) d << f.mid(guardado.size() + 1);
            std::sort(d.begin(), d.end());
            QStringList esperado{QStringLiteral("110101"), cuentaHostil};
            std::sort(esperado.begin(), esperado.end());
            EXPECT_EQ(d, esperado) << i;
        }
        EXPECT_EQ(sinEste(filas(todo)), sinEste(otros)) << i;
        EXPECT_EQ(sinEste(filas(detalles)), sinEste(otrosDetalles)) << i;
    }
    EXPECT_EQ(filas(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS")), cuentasAntes);
    // Parameter strings: the window opens on whatever code they carry and changes nothing.
    const QStringList antesTodo = filas(todo), antesDetalles = filas(detalles);
    for (const QString& par : {QStringLiteral("@ParametroAdicional=0003'; DELETE FROM TA_AGRUPCUENTAS; --;"),
                               QStringLiteral("@ParametroAdicional=';--"), QStringLiteral("@ParametroAdicional=") + QString(10000, u'9'),
                               QStringLiteral("@ParametroAdicional=\x01\x02; @Caja=x'y;")}) {
        w.reset();
        reiniciarDB();
        reiniciarSesion();
        prompt.records.clear();
        abrir(par);
        ++probados;
        EXPECT_EQ(filas(todo), antesTodo);
        EXPECT_EQ(filas(detalles), antesDetalles);
    }
    informeFiabilidad(QStringLiteral("Entradas hostiles %1: %2 probadas (códigos, descripciones, cuentas de 10.000 caracteres, control, "
                                     "no latinas, UTF-8 inválido, parámetros): guardadas y releídas exactas, %3 rechazadas con mensaje "
                                     "(carácter nulo), otras filas alteradas: 0").arg(QString::fromLatin1(nombreMotor(GetParam()))).arg(probados).arg(rechazados));
}

// Every statement the window sends is T-SQL that reaches SQL Server exactly
// as written: the translation for SQL Server leaves each one unchanged.
TEST_P(Ventana, EveryStatementGoesToSqlServerUnchanged) {
    QStringList enviadas;
    ado::setObservadorSentencias([&](const QString& s) { enviadas << s; });
    abrir(QStringLiteral("@ParametroAdicional=0003;"));
    w->txtfields(1)->setText(QStringLiteral("Cambio d'Alba"));
    valoresLookup = QStringList{QStringLiteral("110101")};
    w->cmdAsociar_Click();
    tecla(w->LstTodo(), Qt::Key_F10);
    prompt.answer(vb::Yes);
    w->Borrar();
    ado::setObservadorSentencias(nullptr);
    ASSERT_GT(enviadas.size(), 10);
    const ado::SqlDialect tsql(ado::SqlDialect::Engine::TSql);
    for (const QString& s : enviadas) {
        const auto r = tsql.translate(s);
        ASSERT_EQ(r.size(), 1u) << s.toStdString();
        EXPECT_EQ(r[0].text, s.trimmed()) << s.toStdString();
    }
    informeFiabilidad(QStringLiteral("SQL Server: %1 sentencias enviadas por la ventana (%2), todas llegan sin cambios a la traducción de SQL Server")
                          .arg(enviadas.size()).arg(QString::fromLatin1(nombreMotor(GetParam()))));
}

TEST_P(Ventana, SavingAnExistingGroupingRewritesOnlyWhatChanged) {
    abrir(QStringLiteral("@ParametroAdicional=0003;"));
    Frm_AgrupCuentas::SeleccionaTodoList(w->Cuentas(), false);
    w->txtfields(1)->setText(QStringLiteral("Zonas"));
    w->UtilBox1_ButtonClick(QStringLiteral("grabar"));
    EXPECT_EQ(descripcion("0003"), QStringLiteral("Zonas"));
    EXPECT_TRUE(detalle("0003").isEmpty());
    EXPECT_EQ(filas(QStringLiteral("SELECT COUNT(*) FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '0003'")), QStringList{QStringLiteral("1")});
}

TEST_P(Ventana, BlankCodeOrDescriptionIsRefused) {
    abrir();
    const struct { const char* codigo; const char* desc; const char* mensaje; } casos[] = {
        {"  ", "  ", "DEBE INFORMAR EL CODIGO"}, {"  ", "x", "DEBE INFORMAR EL CODIGO"}, {"9", "   ", "DEBE INFORMAR LA DESCRIPCION"}};
    for (const auto& c : casos) {
        w->txtfields(0)->setText(QString::fromUtf8(c.codigo));
        w->txtfields(1)->setText(QString::fromUtf8(c.desc));
        prompt.records.clear();
        w->GrabarAgrupacion();
        ASSERT_EQ(prompt.records.size(), 1u);
        EXPECT_EQ(prompt.records[0].text, QString::fromUtf8(c.mensaje));
        EXPECT_EQ(prompt.records[0].buttons, vb::OKOnly);
    }
    EXPECT_EQ(descripcion("   9"), QStringLiteral("<sin fila>"));
}

TEST_P(Ventana, AFailedSaveWritesNothing) {
    abrir(QStringLiteral("@ParametroAdicional=0001;"));
    w->txtfields(1)->setText(QStringLiteral("Cambiada"));
    valoresLookup = QStringList{QStringLiteral("110108"), QString(30, u'9')};   // the second cannot be stored
    w->cmdAsociar_Click();
    prompt.answer(vb::Abort);
    w->UtilBox1_ButtonClick(QStringLiteral("GRABAR"));
    ASSERT_EQ(prompt.records.size(), 1u);
    EXPECT_EQ(descripcion("0001"), QStringLiteral("Disponibilidades"));
    EXPECT_EQ(detalle("0001").size(), 5);
    EXPECT_FALSE(DB().gCnn.inTransaction());
    // Without the bad account, Retry saves it all.
    prompt.onMessage = [&](const ScriptedPrompt::Record&) { tildar(QString(30, u'9'), false); };
    prompt.answer(vb::Retry);
    w->GrabarAgrupacion();
    EXPECT_EQ(prompt.records.size(), 2u);
    EXPECT_EQ(descripcion("0001"), QStringLiteral("Cambiada"));
    EXPECT_EQ(detalle("0001").size(), 6);
}

TEST_P(Ventana, ChangesFromAnotherWorkstationAreNotOverwritten) {
    abrir(QStringLiteral("@ParametroAdicional=0001;"));
    env->sqlNativo(QStringLiteral("UPDATE TA_AGRUPCUENTAS SET Descripcion = 'Otro puesto' WHERE IDAGRUPACION = '0001';"));
    w->txtfields(1)->setText(QStringLiteral("Mía"));
    w->GrabarAgrupacion();
    ASSERT_EQ(prompt.records.size(), 1u);
    EXPECT_TRUE(prompt.records[0].text.contains(QStringLiteral("fue modificada en otro puesto")));
    EXPECT_EQ(descripcion("0001"), QStringLiteral("Otro puesto"));
    EXPECT_EQ(detalle("0001").size(), 5);
    // Reloaded, the save goes through; then another station changes only the accounts.
    w->ValidaCampo(0);
    env->sqlNativo(QStringLiteral("DELETE FROM TA_AGRUPCUENTAS_DETALLE WHERE IDAGRUPACION = '0001' AND Cuenta = '110101';"));
    w->GrabarAgrupacion();
    EXPECT_EQ(prompt.records.size(), 2u);
    EXPECT_EQ(detalle("0001").size(), 4);
    w->ValidaCampo(0);
    w->GrabarAgrupacion();
    EXPECT_EQ(prompt.records.size(), 2u);
    EXPECT_EQ(detalle("0001").size(), 4);
}

TEST_P(Ventana, DeleteAsksAndRemovesTheWholeGrouping) {
    abrir(QStringLiteral("@ParametroAdicional=0002;"));
    prompt.answer(vb::No);
    tecla(w->txtfields(0), Qt::Key_F8);
    ASSERT_EQ(prompt.records.size(), 1u);
    EXPECT_EQ(prompt.records[0].text, QStringLiteral("Desea Eliminar los Parametros"));
    EXPECT_EQ(prompt.records[0].title, QStringLiteral("Aviso al Operador..."));
    EXPECT_EQ(descripcion("0002"), QStringLiteral("Gastos de administración"));
    // A code without a row deletes nothing and leaves the screen.
    w->txtfields(0)->setText(QStringLiteral("0077"));
    prompt.answer(vb::Yes);
    w->Borrar();
    EXPECT_EQ(w->txtfields(0)->text(), QStringLiteral("0077"));
    EXPECT_EQ(w->Cuentas()->count(), 20);
    w->txtfields(0)->setText(QString());
    prompt.answer(vb::Yes);
    w->Borrar();
    EXPECT_EQ(w->txtfields(1)->text(), QStringLiteral("Gastos de administración"));
    w->txtfields(0)->setText(QStringLiteral("0002"));
    prompt.answer(vb::Yes);
    w->UtilBox1_ButtonClick(QStringLiteral("BORRAR"));
    EXPECT_EQ(descripcion("0002"), QStringLiteral("<sin fila>"));
    EXPECT_TRUE(detalle("0002").isEmpty());
    EXPECT_EQ(w->txtfields(0)->text(), QString());
    EXPECT_EQ(w->txtfields(1)->text(), QString());
    EXPECT_EQ(w->Cuentas()->count(), 0);
}

TEST_P(Ventana, CloseEndsTheProcessAndUnknownTillsRegister) {
    abrir(QStringLiteral("@Caja=7;"));
    EXPECT_EQ(panel("CAJA"), QStringLiteral("7 CAJA 7"));
    EXPECT_EQ(filas(QStringLiteral("SELECT Descripcion FROM TA_CAJAS WHERE IdCajas = '   7'")), QStringList{QStringLiteral("CAJA 7")});
    EXPECT_THROW(tecla(w->txtfields(0), Qt::Key_Q, Qt::ControlModifier), ProcessEndRequested);
    EXPECT_TRUE(terminado);
}

TEST_P(Ventana, SkinComesFromTheIniOfUserAndDatabase) {
    abrir();
    auto* skin = w->findChild<SkinFramework*>(QStringLiteral("SkinFramework1"));
    EXPECT_EQ(Session.Skin, 4);
    EXPECT_TRUE(skin->hojaCargada().contains(QStringLiteral("Skin 4")));
    EXPECT_EQ(skin->ApplyOptions & 1, 1);
    w.reset();
    reiniciarDB();
    QFile ini(env->db().carpeta + QStringLiteral("cn000pr.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write(QStringLiteral("[OPER_%1Styles]\nStyles=7\n").arg(env->db().base.toUpper()).toUtf8());
    ini.close();
    abrir();
    EXPECT_EQ(Session.Skin, 7);
    EXPECT_TRUE(w->findChild<SkinFramework*>(QStringLiteral("SkinFramework1"))->hojaCargada().contains(QStringLiteral("Any other skin number")));
}

TEST_P(Ventana, AddsAccountsThroughTheRealDialogAndSavesThem) {
    setMostradorConsulta(MostrarConsulta);
    abrir(QStringLiteral("@ParametroAdicional=0003;"));
    bool visto = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<Lib_FrmCons3*>(QApplication::activeModalWidget());
        ASSERT_TRUE(d);
        visto = true;
        for (const char* c : {"110101", "110102"}) {
            const QModelIndexList filas = d->Filas()->match(d->Filas()->index(0, 0), Qt::DisplayRole, QString::fromLatin1(c), -1, Qt::MatchExactly);
            ASSERT_EQ(filas.size(), 1);
            d->Filas()->setTildada(filas.first().row(), true);
        }
        QTest::keyClick(d->ListView1(), Qt::Key_Return);
    });
    QTest::mouseClick(w->cmdAsociar(), Qt::LeftButton);
    EXPECT_TRUE(visto);
    EXPECT_EQ(w->Cuentas()->count(), 10);
    EXPECT_EQ(cuenta(QStringLiteral("110102"))->descripcion, QStringLiteral("Caja chica"));
    // The grouping lookup of the code field, answered with Esc, changes nothing.
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<Lib_FrmCons3*>(QApplication::activeModalWidget());
        ASSERT_TRUE(d);
        EXPECT_EQ(d->Filas()->count(), 3);
        QTest::keyClick(d, Qt::Key_Escape);
    });
    w->txtfields(0)->setFocus();
    tecla(w->txtfields(0), Qt::Key_F3);
    EXPECT_EQ(w->txtfields(0)->text(), QStringLiteral("0003"));
    tecla(w->LstTodo(), Qt::Key_F10);
    EXPECT_EQ(detalle("0003").size(), 10);
    EXPECT_TRUE(detalle("0003").contains(QStringLiteral("110101")));
    EXPECT_TRUE(prompt.records.empty());
}

INSTANTIATE_TEST_SUITE_P(Engines, Ventana, ::testing::Values(Motor::Sqlite, Motor::Postgres),
                         [](const auto& info) { return std::string(nombreMotor(info.param)); });

TEST(Ventana20000, ListsManyAccountsQuickly) {
    EntornoPrueba env(Motor::Sqlite);
    {
        ado::Connection c;
        c.Open(QStringLiteral("Provider=SQLite;Data Source=") + env.db().carpeta + QStringLiteral("DEMO.db"));
        c.BeginTrans();
        for (int i = 0; i < 20000; ++i) {
            c.runNative(QStringLiteral("INSERT INTO MA_CUENTAS (Codigo, DESCRIPCION) VALUES ('9%1', 'Cuenta %1')").arg(i, 6, 10, QChar(u'0')));
            c.runNative(QStringLiteral("INSERT INTO TA_AGRUPCUENTAS_DETALLE VALUES ('0001', '9%1')").arg(i, 6, 10, QChar(u'0')));
        }
        c.CommitTrans();
    }
    ScriptedPrompt prompt;
    reiniciarDB();
    reiniciarSesion();
    setLineaDeComandos(QStringLiteral("@server=sqlite; @dbname=DEMO; @usuario=ADMIN; @ParametroAdicional=0001;"));
    Frm_AgrupCuentas w;
    QElapsedTimer t;
    t.start();
    w.Form_Load();
    EXPECT_EQ(w.Cuentas()->count(), 20005);
    EXPECT_LT(t.elapsed(), 20000);
    std::printf("20005 accounts loaded in %lld ms\n", static_cast<long long>(t.elapsed()));
    reiniciarDB();
}

// The built program itself, started with a parameter string on a copy of the
// demo database, registers its till and shows the window.
TEST(Ejecutable, StartsOnTheDemoDatabase) {
    EntornoPrueba env(Motor::Sqlite);
    const QString exe = env.db().carpeta + QStringLiteral("agrupcuentas");
    ASSERT_TRUE(QFile::copy(QStringLiteral(AGR_BIN_DIR "/agrupcuentas"), exe));
    QFile::setPermissions(exe, QFile::permissions(exe) | QFileDevice::ExeUser);
    QProcess p;
    QProcessEnvironment pe = QProcessEnvironment::systemEnvironment();
    pe.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(pe);
    p.start(exe, {QStringLiteral("@server=sqlite; @dbname=DEMO; @usuario=ADMIN; @Password=; @ParametroAdicional=0003; @Caja=5;")});
    ASSERT_TRUE(p.waitForStarted(10000));
    ado::Connection c;
    c.Open(QStringLiteral("Provider=SQLite;Data Source=") + env.db().carpeta + QStringLiteral("DEMO.db"));
    QString caja;
    QElapsedTimer t;
    t.start();
    while (caja.isEmpty() && t.elapsed() < 20000 && p.state() == QProcess::Running) {
        QTest::qWait(100);
        ado::Recordset rs;
        rs.Open(QStringLiteral("SELECT Descripcion FROM TA_CAJAS WHERE IdCajas = '   5'"), &c);
        if (!rs.Eof()) caja = rs.Fields(0).Value().toText();
    }
    EXPECT_EQ(caja, QStringLiteral("CAJA 5"));
    EXPECT_EQ(p.state(), QProcess::Running) << p.readAllStandardError().constData();
    // Its start is in the access audit under its task.
    ado::Recordset audit;
    audit.Open(QStringLiteral("SELECT Usuario, Formulario, Tarea FROM Control_Acceso"), &c);
    ASSERT_FALSE(audit.Eof());
    EXPECT_EQ(audit.Fields(0).Value().toText(), QStringLiteral("ADMIN"));
    EXPECT_EQ(audit.Fields(1).Value().toText(), QStringLiteral("AGRUPCUENTAS"));
    EXPECT_EQ(audit.Fields(2).Value().toText(), QStringLiteral("AGRUPACIÓN DE CUENTAS CONTABLES"));
    p.kill();
    p.waitForFinished(5000);
    // --version and --help answer without a window or a database.
    QProcess v;
    v.start(exe, {QStringLiteral("--version")});
    ASSERT_TRUE(v.waitForFinished(10000));
    EXPECT_EQ(QString::fromUtf8(v.readAllStandardOutput()).trimmed(),
              QStringLiteral("agrupcuentas %1.%2.%3").arg(AGR_VERSION_MAJOR).arg(AGR_VERSION_MINOR).arg(AGR_VERSION_PATCH));
    v.start(exe, {QStringLiteral("--help")});
    ASSERT_TRUE(v.waitForFinished(10000));
    EXPECT_TRUE(QString::fromUtf8(v.readAllStandardOutput()).contains(QStringLiteral("@ParametroAdicional")));
}


// The server lost under an open window: the connection cut, the server
// restarted, the server down until the user answers. A private cluster of its
// own, so that stopping it disturbs no other test.
TEST(ServidorPerdido, TheSaveSurvivesACutOrRestartAndNoEndsWithNothingHalfWritten) {
    REQUIRE_MOTOR(Motor::Postgres);
    const QString dir = QStringLiteral("/tmp/agr-pg-perdido-%1").arg(QCoreApplication::applicationPid());
    const QString script = QStringLiteral(AGR_SOURCE_DIR "/scripts/pg_cluster.sh");
    auto cluster = [&](const char* orden) {
        QProcess p;
        p.start(QStringLiteral("bash"), {script, QString::fromLatin1(orden), dir});
        p.waitForFinished(180000);
        return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    };
    struct Parar {
        std::function<void()> f;
        ~Parar() { f(); }
    } parar{[&] { cluster("stop"); }};
    ASSERT_TRUE(cluster("start"));
    qputenv("PGSERVICEFILE", (dir + QStringLiteral("/pg_service.conf")).toUtf8());
    EntornoPrueba env(Motor::Postgres);
    ScriptedPrompt prompt;
    reiniciarDB();
    reiniciarDBEstadisticas();
    reiniciarSesion();
    bool terminado = false;
    setProcessEndHandler([&](int c) {
        terminado = true;
        throw ProcessEndRequested{c};
    });
    setLineaDeComandos(QStringLiteral("@server=%1; @dbname=%2; @usuario=ADMIN; @Password=; @ParametroAdicional=0003;")
                           .arg(env.db().servidor, env.db().base));
    auto w = std::make_unique<Frm_AgrupCuentas>();
    w->Form_Load();
    ASSERT_EQ(w->Cuentas()->count(), 8);
    int avisos = 0;
    bool noAlAviso = false;
    prompt.onMessage = [&](const ScriptedPrompt::Record& r) {
        if (r.text.contains(QStringLiteral("Se perdio la conexion"))) {
            ++avisos;
            if (noAlAviso) {
                prompt.answers.push_front({vb::No, std::nullopt});
            } else {
                cluster("resume");
                prompt.answers.push_front({vb::Yes, std::nullopt});
            }
        } else {
            prompt.answers.push_front({vb::Retry, std::nullopt});
        }
    };
    auto leer = [&](const QString& sql) {
        ado::Connection c;
        c.Open(env.db().cadena(QStringLiteral("postgres")));
        ado::Recordset rs;
        rs.Open(sql, &c);
        return rs.Eof() ? QString() : rs.Fields(0).Value().toText();
    };
    auto grabar = [&](const QString& desc) {
        w->txtfields(0)->setText(QStringLiteral("0003"));
        w->ValidaCampo(0);
        w->txtfields(1)->setText(desc);
        return desc;
    };
    // 1. The backend cut: the save reconnects and, answered Retry, succeeds.
    grabar(QStringLiteral("Tras el corte"));
    {
        ado::Connection admin;
        admin.Open(env.db().cadena(QStringLiteral("postgres")));
        admin.runNative(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = '%1' AND pid <> pg_backend_pid()")
                            .arg(env.db().base));
    }
    w->GrabarAgrupacion();
    EXPECT_EQ(leer(QStringLiteral("SELECT Descripcion FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '0003'")), QStringLiteral("Tras el corte"));
    // 2. The server restarted under the window.
    grabar(QStringLiteral("Tras el reinicio"));
    ASSERT_TRUE(cluster("halt"));
    ASSERT_TRUE(cluster("resume"));
    w->GrabarAgrupacion();
    EXPECT_EQ(leer(QStringLiteral("SELECT Descripcion FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '0003'")), QStringLiteral("Tras el reinicio"));
    // 3. The server down at the save: the lost-connection notice; Yes (once it is back) reconnects and the save goes through.
    grabar(QStringLiteral("Con el servidor caído"));
    ASSERT_TRUE(cluster("halt"));
    w->GrabarAgrupacion();
    EXPECT_EQ(avisos, 1);
    EXPECT_EQ(leer(QStringLiteral("SELECT Descripcion FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '0003'")), QStringLiteral("Con el servidor caído"));
    // 4. Down again, answered No: the program ends and nothing was written.
    grabar(QStringLiteral("No debe quedar"));
    Frm_AgrupCuentas::SeleccionaTodoList(w->Cuentas(), false);
    ASSERT_TRUE(cluster("halt"));
    noAlAviso = true;
    EXPECT_THROW(w->GrabarAgrupacion(), ProcessEndRequested);
    EXPECT_TRUE(terminado);
    ASSERT_TRUE(cluster("resume"));
    EXPECT_EQ(leer(QStringLiteral("SELECT Descripcion FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '0003'")), QStringLiteral("Con el servidor caído"));
    EXPECT_EQ(leer(QStringLiteral("SELECT COUNT(*) FROM TA_AGRUPCUENTAS_DETALLE WHERE IDAGRUPACION = '0003'")), QStringLiteral("8"));
    w.reset();
    reiniciarDB();
    informeFiabilidad(QStringLiteral("Servidor perdido PostgreSQL: conexión cortada 1 vez, servidor reiniciado 1 vez y detenido 2 veces con "
                                     "la ventana abierta: %1 avisos de conexión perdida; con Sí se reconecta y la grabación se completa; "
                                     "con No el programa termina sin escribir nada a medias").arg(avisos));
}

} // namespace
