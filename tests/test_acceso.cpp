#include "ConexionPrueba.h"
#include "FormularioPrueba.h"
#include "ScriptedPrompt.h"
#include "app/frmAcceso.h"
#include "data/BasesRegistradas.h"
#include "util/ZtUtil.h"
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QByteArray leer(const QString& p) {
    QFile f(p);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no file>");
}

TEST(Bases, WrittenAndReadBackByteByByte) {
    QTemporaryDir dir;
    const QString archivo = dir.path() + QStringLiteral("/BASES.TXT");
    EXPECT_EQ(NombreRegistro(QStringLiteral(" ventas "), QStringLiteral("srv1:1433")), QStringLiteral("VENTAS / SRV1"));
    ASSERT_TRUE(AgregarBase(archivo, {QStringLiteral("VENTAS / SRV1"), QStringLiteral("ventas"), QStringLiteral("ventas"),
                                      QStringLiteral("ventas"), QStringLiteral("srv1:1433")}));
    EXPECT_EQ(leer(archivo), (QStringLiteral("VENTAS / SRV1,ventas,ventas,") + Utilidades().Scramble(QStringLiteral("ventas")) +
                              QStringLiteral(",srv1:1433\r\n")).toUtf8());
    // Lines written by hand: quoted fields with commas, short, empty and odd lines.
    QFile f(archivo);
    f.open(QIODevice::Append);
    f.write("\"CONTA, S.A. / SRV2\",\"conta\",u,plain,srv2#\r\n\r\nsolo,dos\r\n,x,y,z,w\r\n\"abierta,a,b,c,d\r\nultima,d,u,p,s");
    f.close();
    const auto bases = LeerBases(archivo);
    ASSERT_EQ(bases.size(), 3u);
    EXPECT_EQ(bases[0].clave, QStringLiteral("ventas"));
    EXPECT_EQ(bases[1].nombre, QStringLiteral("CONTA, S.A. / SRV2"));
    EXPECT_EQ(bases[1].clave, QStringLiteral("plain"));
    EXPECT_EQ(bases[1].servidor, QStringLiteral("srv2#"));
    EXPECT_EQ(bases[2].nombre, QStringLiteral("ultima"));
    // Appending after a last line without its line break keeps both whole.
    ASSERT_TRUE(AgregarBase(archivo, {QStringLiteral("N"), QStringLiteral("b"), QStringLiteral("b"), QStringLiteral("b"), QStringLiteral("s")}));
    EXPECT_EQ(LeerBases(archivo).size(), 4u);
    EXPECT_TRUE(leer(archivo).endsWith("ultima,d,u,p,s\r\nN,b,b," + Utilidades().Scramble(QStringLiteral("b")).toUtf8() + ",s\r\n"));
    // A field with a comma is written quoted and reads back whole; one the
    // file cannot carry is refused and the file stays as it was.
    ASSERT_TRUE(AgregarBase(archivo, {QStringLiteral("A, B / S"), QStringLiteral("a,b"), QStringLiteral("u"), QStringLiteral("p"), QStringLiteral("s")}));
    EXPECT_EQ(LeerBases(archivo).back().base, QStringLiteral("a,b"));
    const QByteArray antes = leer(archivo);
    for (const char* malo : {"con \"comillas\"", "dos\nlineas", "retorno\r"})
        EXPECT_FALSE(AgregarBase(archivo, {QString::fromLatin1(malo), QStringLiteral("b"), QStringLiteral("u"), QStringLiteral("p"), QStringLiteral("s")}));
    EXPECT_EQ(leer(archivo), antes);
}

class Acceso : public ::testing::Test {
protected:
    void SetUp() override {
        env = std::make_unique<EntornoPrueba>(Motor::Sqlite);
        reiniciarDB();
    }
    void TearDown() override { reiniciarDB(); }
    void escribir(const QByteArray& b) {
        QFile f(env->db().carpeta + QStringLiteral("BASES.TXT"));
        f.open(QIODevice::WriteOnly);
        f.write(b);
    }
    std::unique_ptr<EntornoPrueba> env;
    ScriptedPrompt prompt;
};

TEST_F(Acceso, WithoutRegistrationsTheFieldsShowTheirHints) {
    frmAcceso f;
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Control de Acceso"));
    EXPECT_EQ(f.lstBases->count(), 0);
    EXPECT_EQ(f.TxtDbName->text(), QStringLiteral("ingrese el nombre de la base de datos"));
    EXPECT_EQ(f.TxtServidor->text(), QStringLiteral("ingrese el nombre del servidor e instancia"));
    EXPECT_EQ(f.TxtUserId->text(), QStringLiteral("Ingrese el usuario"));
    EXPECT_EQ(f.TxtUserPassword->text(), QString());
    EXPECT_EQ(f.TxtPuerto->text(), QStringLiteral("1433"));
    EXPECT_EQ(f.valor(f.TxtDbName), QString());
    EXPECT_EQ(f.TxtServidor->toolTip(), QStringLiteral("ingrese el nombre del servidor e instancia"));
    EXPECT_EQ(f.CboPlataformaDB->itemText(0), QStringLiteral("SQL Server"));
    EXPECT_EQ(f.CboPlataformaDB->itemText(1), QStringLiteral("ORACLE"));
    // Emptying a field puts its hint back, selected.
    f.TxtDbName->setText(QStringLiteral("conta"));
    f.TxtDbName->setText(QString());
    EXPECT_EQ(f.TxtDbName->text(), QStringLiteral("ingrese el nombre de la base de datos"));
    EXPECT_EQ(f.TxtDbName->selectedText(), f.TxtDbName->text());
}

TEST_F(Acceso, SelectingARegistrationFillsTheFieldsAndDoubleClickAccepts) {
    escribir("DEMO / SQLITE,DEMO,DEMO," + Utilidades().Scramble(QStringLiteral("DEMO")).toUtf8() +
             ",sqlite\r\nVENTAS / SRV1,ventas,ventas,x,SRV1:1500\r\n");
    frmAcceso f;
    ASSERT_EQ(f.lstBases->count(), 2);
    EXPECT_EQ(f.TxtDbName->text(), QStringLiteral("DEMO"));
    f.TxtUserId->setText(QStringLiteral("alguien"));
    f.lstBases->setCurrentRow(1);
    EXPECT_EQ(f.TxtServidor->text(), QStringLiteral("SRV1"));
    EXPECT_EQ(f.TxtPuerto->text(), QStringLiteral("1500"));
    EXPECT_EQ(f.TxtDbName->text(), QStringLiteral("ventas"));
    EXPECT_EQ(f.valor(f.TxtUserId), QString());
    EXPECT_EQ(f.TxtUserPassword->text(), QString());
    EXPECT_EQ(f.leida().clave, QStringLiteral("x"));
    f.lstBases->setCurrentRow(0);
    Q_EMIT f.lstBases->itemDoubleClicked(f.lstBases->item(0));
    EXPECT_TRUE(f.Aceptar);
    EXPECT_EQ(f.TxtServidor->text(), QStringLiteral("sqlite"));
}

TEST_F(Acceso, RegisterTestsThenRecordsAndRefusesDuplicates) {
    frmAcceso f;
    f.TxtServidor->setText(QStringLiteral("sqlite"));
    f.TxtDbName->setText(QStringLiteral(" demo "));
    f.CmdRegistrar_Click();
    EXPECT_EQ(leer(env->db().carpeta + QStringLiteral("BASES.TXT")),
              ("DEMO / SQLITE,demo,demo," + Utilidades().Scramble(QStringLiteral("demo")) + ",sqlite\r\n").toUtf8());
    EXPECT_EQ(f.lstBases->count(), 1);
    EXPECT_EQ(DB().gCnn.State(), ado::ad::StateClosed);
    f.TxtServidor->setText(QStringLiteral("sqlite"));
    f.TxtDbName->setText(QStringLiteral("demo"));
    f.CmdRegistrar_Click();
    ASSERT_EQ(prompt.records.size(), 1u);
    EXPECT_EQ(prompt.records[0].text, QStringLiteral("La conexion que intenta registrar ya existe "));
    EXPECT_EQ(prompt.records[0].title, QStringLiteral("Atencion"));
    // A database that cannot be opened is reported and not recorded.
    f.TxtDbName->setText(QStringLiteral("NO_ESTA"));
    prompt.answer(vb::No);
    f.CmdRegistrar_Click();
    ASSERT_EQ(prompt.records.size(), 3u);
    EXPECT_EQ(prompt.records[2].text, QStringLiteral("NO SE PUDO CONECTAR AL SERVIDOR sqlite VERIFIQUE EL NOMBRE DE USUARIO Y PASSWORD INGRESADO"));
    EXPECT_EQ(f.lstBases->count(), 1);
}

TEST_F(Acceso, DesktopLauncherPointsAtTheProgram) {
    QTemporaryDir home;
    const QByteArray old = qgetenv("XDG_DESKTOP_DIR");
    qputenv("XDG_DESKTOP_DIR", (home.path() + QStringLiteral("/Escritorio")).toUtf8());
    frmAcceso f;
    const QString ruta = f.CmdLineaComando_Click();
    qputenv("XDG_DESKTOP_DIR", old);
    ASSERT_FALSE(ruta.isEmpty());
    EXPECT_TRUE(ruta.endsWith(QStringLiteral("/Varentis.desktop")));
    const QString t = QString::fromUtf8(leer(ruta));
    EXPECT_TRUE(t.contains(QStringLiteral("Exec=\"") + env->db().carpeta));
    EXPECT_TRUE(t.contains(QStringLiteral("Icon=") + env->db().carpeta + QStringLiteral("valmore.png")));
    EXPECT_TRUE(QFile::exists(env->db().carpeta + QStringLiteral("valmore.png")));
}

TEST_F(Acceso, PlatformChoiceSetsWhatTheOpenNeeds) {
    const std::tuple<int, const char*, const char*, const char*> filas[] = {
        {0, "SRV01", "1500", "SRV01,1500"}, {0, "SRV01", "1433", "SRV01"}, {1, "ORA", "", "ORA#"},
        {2, "lo que sea", "", "sqlite"},    {3, "agrtest", "", "PG\\agrtest"}};
    for (const auto& fila : filas) {
        // Clang does not let a lambda capture structured bindings (C++20).
        const auto& [plataforma, servidor, puerto, esperado] = fila;
        FormularioGuionado form;
        form.rellenar = [&, plataforma = std::get<0>(fila), servidor = std::get<1>(fila), puerto = std::get<2>(fila)](DatosConexion& d) {
            d.TxtServidor = QString::fromLatin1(servidor);
            d.TxtPuerto = QString::fromLatin1(puerto);
            d.TxtDbName = QStringLiteral("NO_ESTA");
            d.CboPlataformaDB = plataforma;
            d.Aceptar = true;
        };
        DB_Dll db;
        db.OpenServerADODB(true, 3, QString(), true, false);
        EXPECT_EQ(db.gServidor, QString::fromLatin1(esperado)) << plataforma;
    }
}

} // namespace
