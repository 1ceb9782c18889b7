#include "FormularioPrueba.h"
#include "ScriptedPrompt.h"
#include "TestDb.h"
#include "app/CargaParametros.h"
#include "app/Sesion.h"
#include "data/DB_Dll.h"
#include "lookup/Lib_ClsCons3.h"
#include "platform/ProcessEnd.h"
#include "util/ZtIni.h"
#include "util/ZtUtil.h"
#include "util/ZtWorkstation.h"
#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(LeerParametro, ReadsKeysByTheStartUpRule) {
    const QString linea = QStringLiteral("@server=SRV01; @dbname= CONTAB; @usuario= OPER; @ParametroAdicional=0003; @Caja=2;ziro@");
    struct Row {
        const char* texto;
        const char* clave;
        const char* siFalta;
        bool hastaElFinal;
        const char* esperado;
    };
    const Row rows[] = {
        {nullptr, "@Server", "", false, "SRV01"},
        {nullptr, "@DbName", "", false, "CONTAB"},
        {nullptr, "@Usuario", "", false, "OPER"},
        {nullptr, "@Password", "", false, ""},
        {nullptr, "@ParametroAdicional", "", true, "0003"},
        {nullptr, "@Caja", "1", false, "2"},
        {nullptr, "@Menu", "", false, ""},
        {"@SERVER=SRV01;", "@Server", "", false, "SRV01"},
        // The key is searched anywhere: "@Usuario" matches inside "@UsuarioLogeado".
        {"@UsuarioLogeado=ANA;", "@Usuario", "", false, "LogeadoANA"},
        {"@UsuarioLogeado=ANA;", "@UsuarioLogeado", "", false, "ANA"},
        {"@Caja=1; @ParametroAdicional=ABC", "@ParametroAdicional", "", true, "ABC"},
        {"@ParametroAdicional=1; @Caja=5", "@Caja", "1", false, ""},
        {"@server=x;", "@Caja", "1", false, "1"},
        {"@dbname= A=B ;", "@DbName", "", false, "AB"},
        {"@Server;", "@Server", "", false, ""},
        {"@server=HOST/SRV\\INST:1433;", "@Server", "", false, "HOST/SRV\\INST:1433"},
    };
    for (const Row& r : rows) {
        const QString t = r.texto ? QString::fromUtf8(r.texto) : linea;
        EXPECT_EQ(LeerParametro(t, QString::fromUtf8(r.clave), QString::fromUtf8(r.siFalta), r.hastaElFinal).toStdString(),
                  std::string(r.esperado))
            << (r.texto ? r.texto : "linea") << " " << r.clave;
    }
}

class Arranque : public ::testing::TestWithParam<Motor> {
protected:
    void SetUp() override {
        REQUIRE_MOTOR(GetParam());
        env = std::make_unique<EntornoPrueba>(GetParam());
        reiniciarDB();
        reiniciarSesion();
        reiniciarClsCons();
        Puesto().setComputerName(QStringLiteral("pc07"));
        Puesto().setWorkstationUser(QStringLiteral("Operador"));
        setProcessEndHandler([this](int code) {
            terminado = true;
            throw ProcessEndRequested{code};
        });
        setLineaDeComandos(QString());
    }
    void TearDown() override {
        setProcessEndHandler(nullptr);
        reiniciarDB();
        Puesto().setComputerName(QString());
        Puesto().setWorkstationUser(QString());
    }
    QString linea(const QString& resto = QStringLiteral("@ParametroAdicional=0003; @Caja=2;ziro@")) const {
        return QStringLiteral("@server=%1; @dbname= %2; @usuario= ADMIN; ").arg(env->db().servidor, env->db().base) + resto;
    }
    // Runs start-up; true when the process would have ended.
    bool arrancar(bool usarIni, const QString& parametros, const QString& cadena = {}) {
        try {
            CargaParametros(usarIni, parametros, cadena, 3);
        } catch (const ProcessEndRequested&) {
        }
        return terminado;
    }
    void ini(const QByteArray& contenido) {
        QFile f(env->db().carpeta + QStringLiteral("CN000pr.INI"));
        f.open(QIODevice::WriteOnly);
        f.write(contenido);
    }

    std::unique_ptr<EntornoPrueba> env;
    ScriptedPrompt prompt;
    bool terminado = false;
};

TEST_P(Arranque, CommandLineFillsSessionAndConnects) {
    setLineaDeComandos(linea());
    ini("[PC07|OPERADOR]\r\nFlatToolbars=2\r\n");
    ASSERT_FALSE(arrancar(false, QString())) << prompt.records.size();
    const DB_Dll& db = DB();
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_EQ(db.gServidor, env->db().servidor);
    EXPECT_EQ(db.gDBName, env->db().base);
    EXPECT_EQ(db.gUsuario, QStringLiteral("ADMIN"));
    EXPECT_EQ(db.gUserPassWord, QString());
    EXPECT_TRUE(db.gEsAdmin);
    EXPECT_EQ(Session.ParametroAdicional, QStringLiteral("0003"));
    EXPECT_EQ(Session.Caja, QStringLiteral("2"));
    EXPECT_EQ(Session.Menu, QString());
    EXPECT_EQ(Session.UsuarioLogeado, QStringLiteral("ADMIN"));
    EXPECT_EQ(Session.CarpetaPrograma, env->db().carpeta);
    EXPECT_EQ(Session.ArchivoAyuda, env->db().carpeta + QStringLiteral("htmlhelp/zirotekplus.chm"));
    EXPECT_EQ(Session.ColorFondo, 16776960u);   // "CFondo" is not set in the demo database
    EXPECT_EQ(Session.IdPuesto, QStringLiteral("PC07|OPERADOR"));
    EXPECT_DOUBLE_EQ(Session.FlatToolbars.toDouble(), 2.0);
    EXPECT_EQ(Session.TimeOut, 360);
    EXPECT_EQ(db.gCnn.CommandTimeout, 360);
    EXPECT_EQ(db.gCnn.IsolationLevel(), ado::ad::XactReadUncommitted);
    EXPECT_EQ(Session.CadenaODBC, QStringLiteral("DSN=%1; UID=ADMIN; PWD=").arg(env->db().base));
    EXPECT_EQ(ClsCons().gConnString, db.gConnString);
    EXPECT_TRUE(ClsCons().gUsarMascarasConsultas);
    EXPECT_EQ(ClsCons().gRutaMascaraConsultas, env->db().carpeta + QStringLiteral("consultas.vlm"));
    EXPECT_TRUE(prompt.records.empty());
}

TEST_P(Arranque, ParameterStringWinsOverTheCommandLine) {
    setLineaDeComandos(QStringLiteral("@server=; @usuario=;"));
    ASSERT_FALSE(arrancar(false, linea(QStringLiteral("@ParametroAdicional=ABC"))));
    EXPECT_EQ(Session.ParametroAdicional, QStringLiteral("ABC"));
    EXPECT_EQ(Session.Caja, QStringLiteral("1"));
    EXPECT_DOUBLE_EQ(Session.FlatToolbars.toDouble(), 1.0);
}

TEST_P(Arranque, MissingServerOrUserShowsTheFormAndCancelEndsTheProcess) {
    for (const QString& l : {QString(), QStringLiteral("@server=%1; @dbname=%2;").arg(env->db().servidor, env->db().base)}) {
        FormularioGuionado form;
        reiniciarDB();
        terminado = false;
        EXPECT_TRUE(arrancar(false, l)) << qPrintable(l);
        EXPECT_EQ(form.mostrado, 1);
        EXPECT_FALSE(DB().gOpenFlag);
        EXPECT_EQ(DB().gCnn.State(), ado::ad::StateClosed);
    }
    EXPECT_TRUE(prompt.records.empty());
}

TEST_P(Arranque, FormAcceptedWithGoodDataConnects) {
    FormularioGuionado form;
    form.rellenar = [&](DatosConexion& d) {
        d.TxtServidor = env->db().servidor;
        d.TxtDbName = env->db().base;
        d.TxtUserId = QStringLiteral("OPERADOR");
        d.Aceptar = true;
    };
    EXPECT_FALSE(arrancar(false, QString()));
    EXPECT_TRUE(DB().gOpenFlag);
    EXPECT_FALSE(DB().gEsAdmin);
    EXPECT_EQ(Session.UsuarioLogeado, QStringLiteral("OPERADOR"));
}

TEST_P(Arranque, IniFallbackReadsTheWorkstationSection) {
    const ZtUtil& u = Utilidades();
    ini(QStringLiteral("[PC07|OPERADORBaseDeDatos]\r\nServidor=%1\r\nDbName=%2\r\nUsuario=%3\r\nUserPassWord=%4\r\n")
            .arg(env->db().servidor, env->db().base, u.Scramble(QStringLiteral("AD|MIN")), u.Scramble(QStringLiteral("|")))
            .toUtf8());
    EXPECT_FALSE(arrancar(true, QStringLiteral("   ")));
    EXPECT_TRUE(DB().gOpenFlag);
    EXPECT_EQ(DB().gUsuario, QStringLiteral("ADMIN"));
    EXPECT_EQ(DB().gUserPassWord, QString());
    EXPECT_EQ(Session.Caja, QStringLiteral("1"));
    EXPECT_EQ(Session.ParametroAdicional, QString());
}

TEST_P(Arranque, IniFallbackWithoutTheFileAsksAndEnds) {
    FormularioGuionado form;
    EXPECT_TRUE(arrancar(true, QString()));
    ASSERT_EQ(form.mostrado, 1);
    EXPECT_EQ(form.vistos[0].TxtUserId, QStringLiteral("ValMore"));
    EXPECT_EQ(form.vistos[0].TxtUserPassword, ClavePorDefecto());
    EXPECT_EQ(ClavePorDefecto().size(), 7);
}

TEST_P(Arranque, LongWorkstationKeyIsCutOnlyForTheToolbarSection) {
    const QString pc = QString(40, u'p');
    const QString us = QString(20, u'u');
    Puesto().setComputerName(pc);
    Puesto().setWorkstationUser(us);
    const QString completo = pc.toUpper() + u'|' + us.toUpper();
    ini((u'[' + completo.left(50) + QStringLiteral("]\r\nFlatToolbars=3\r\n[") + completo +
         QStringLiteral("BaseDeDatos]\r\nServidor=%1\r\nDbName=%2\r\nUsuario=ADMIN\r\n").arg(env->db().servidor, env->db().base))
            .toUtf8());
    EXPECT_FALSE(arrancar(true, QString()));
    EXPECT_EQ(Session.IdPuesto, completo.left(50));
    EXPECT_DOUBLE_EQ(Session.FlatToolbars.toDouble(), 3.0);
    EXPECT_TRUE(DB().gOpenFlag);
}

TEST_P(Arranque, NoDatabaseNameSkipsTheDatabaseSteps) {
    const QString cadena = env->db().cadena();
    EXPECT_FALSE(arrancar(false, QStringLiteral("@server=x; @usuario=ADMIN;"), cadena));
    EXPECT_TRUE(DB().gOpenFlag);
    EXPECT_EQ(DB().gDBName, QString());
    EXPECT_EQ(Session.CadenaODBC, QString());
    EXPECT_EQ(ClsCons().gRutaMascaraConsultas, QString());
    EXPECT_FALSE(ClsCons().gUsarMascarasConsultas);
    EXPECT_EQ(Session.UsuarioLogeado, QStringLiteral("ADMIN"));
}

TEST_P(Arranque, AlreadyConnectedSkipsTheParameters) {
    ASSERT_FALSE(arrancar(false, linea()));
    Session.ParametroAdicional = QStringLiteral("previo");
    ASSERT_FALSE(arrancar(false, QStringLiteral("@server=otro; @usuario=otro; @ParametroAdicional=nuevo;")));
    EXPECT_EQ(Session.ParametroAdicional, QStringLiteral("previo"));
    EXPECT_EQ(DB().gServidor, env->db().servidor);
    EXPECT_EQ(DB().gCnn.State(), ado::ad::StateOpen);
}

INSTANTIATE_TEST_SUITE_P(Engines, Arranque, ::testing::Values(Motor::Sqlite, Motor::Postgres),
                         [](const auto& info) { return std::string(nombreMotor(info.param)); });

} // namespace
