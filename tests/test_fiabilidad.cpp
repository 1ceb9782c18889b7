// Reliability of the grouping's save under several workstations at once, a
// process killed in the middle of a save, and read-only storage. Each test
// drives the real window in processes of its own (agr_puesto) and appends its
// figures to the reliability report that the test command prints.
#include "TestDb.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QSet>
#include <QThread>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using Conjunto = QSet<QString>;

QString parametros(const BaseDePrueba& db) {
    return QStringLiteral("@server=%1; @dbname=%2; @usuario=ADMIN; @Password=; @Caja=1;").arg(db.servidor, db.base);
}

class Base {
public:
    explicit Base(const BaseDePrueba& db) {
        c_.Open(db.motor == Motor::Sqlite ? QStringLiteral("Provider=SQLite;Data Source=") + db.carpeta + QStringLiteral("DEMO.db")
                                          : db.cadena(QStringLiteral("postgres")));
    }
    QStringList columna(const QString& sql) {
        ado::Recordset rs;
        rs.Open(sql, &c_);
        QStringList out;
        for (; !rs.Eof(); rs.MoveNext()) out << rs.Fields(0).Value().toText();
        return out;
    }
    Conjunto cuentas(const QString& codigo) {
        const QStringList l = columna(QStringLiteral("SELECT Cuenta FROM TA_AGRUPCUENTAS_DETALLE WHERE IDAGRUPACION = '%1'").arg(codigo));
        Conjunto s(l.begin(), l.end());
        // A duplicate row would shrink the set: it counts as a mixed grouping.
        return s.size() == l.size() ? s : Conjunto{QStringLiteral("<duplicado>")};
    }
    bool cabecera(const QString& codigo) {
        return !columna(QStringLiteral("SELECT Descripcion FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '%1'").arg(codigo)).isEmpty();
    }
    ado::Connection& conexion() { return c_; }

private:
    ado::Connection c_;
};

// Accounts of the chart for the sets the workstations save; "extra" more are
// added first when the chart has too few.
QStringList cuentasDelPlan(const EntornoPrueba& env, int extra) {
    if (extra > 0) {
        QString sql = QStringLiteral("INSERT INTO MA_CUENTAS (Codigo, DESCRIPCION) VALUES ");
        for (int i = 0; i < extra; ++i) sql += QStringLiteral("%1('97%2', 'Cuenta de prueba %2')").arg(i ? QStringLiteral(",") : QString()).arg(i, 5, 10, QChar(u'0'));
        env.sqlNativo(sql);
    }
    Base b(env.db());
    return b.columna(QStringLiteral("SELECT Codigo FROM MA_CUENTAS ORDER BY Codigo"));
}

QString escribirConjuntos(const EntornoPrueba& env, const QString& nombre, const QList<QStringList>& conjuntos) {
    const QString ruta = env.db().carpeta + nombre;
    QFile f(ruta);
    f.open(QIODevice::WriteOnly);
    for (const QStringList& c : conjuntos) f.write((c.join(u',') + u'\n').toUtf8());
    return ruta;
}

// A workstation process on the environment's database (or the parameter
// string given), as another user when one is named.
std::unique_ptr<QProcess> puesto(const EntornoPrueba& env, const QStringList& args, const QString& usuario = {},
                                 const QString& params = {}) {
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment pe = QProcessEnvironment::systemEnvironment();
    pe.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p->setProcessEnvironment(pe);
    QStringList todos{env.db().carpeta, params.isEmpty() ? parametros(env.db()) : params};
    todos << args;
    if (usuario.isEmpty()) {
        p->start(QStringLiteral(AGR_BIN_DIR "/../tests/agr_puesto"), todos);
    } else {
        todos.prepend(QStringLiteral(AGR_BIN_DIR "/../tests/agr_puesto"));
        p->start(QStringLiteral("setpriv"), QStringList{QStringLiteral("--reuid=") + usuario, QStringLiteral("--regid=") + usuario,
                                                        QStringLiteral("--clear-groups"), QStringLiteral("--")} + todos);
    }
    return p;
}

Conjunto aConjunto(const QStringList& l) { return Conjunto(l.begin(), l.end()); }

class Fiabilidad : public ::testing::TestWithParam<Motor> {
protected:
    void SetUp() override {
        REQUIRE_MOTOR(GetParam());
        env = std::make_unique<EntornoPrueba>(GetParam());
    }
    std::unique_ptr<EntornoPrueba> env;
};

// Four workstations save the same grouping with four different account sets,
// 100 times each. A reader watching all along only ever sees one whole set;
// a save that lost the race to another is reported to its workstation.
TEST_P(Fiabilidad, FourWorkstationsSavingAtOnceNeverMixTheGrouping) {
    const QStringList plan = cuentasDelPlan(*env, 0);
    ASSERT_GE(plan.size(), 140);
    Base b(env->db());
    std::vector<Conjunto> validos{b.cuentas(QStringLiteral("0003"))};
    std::vector<std::unique_ptr<QProcess>> puestos;
    constexpr int kPuestos = 4, kVeces = 100;
    for (int k = 0; k < kPuestos; ++k) {
        const QStringList c = plan.mid(k * 34, 30 + k);
        validos.push_back(aConjunto(c));
        puestos.push_back(puesto(*env, {QStringLiteral("grabar"), QStringLiteral("0003"),
                                        escribirConjuntos(*env, QStringLiteral("conjunto%1.txt").arg(k), {c}), QString::number(kVeces)}));
    }
    int lecturas = 0, mezclas = 0;
    auto corriendo = [&] {
        for (auto& p : puestos)
            if (p->state() != QProcess::NotRunning) return true;
        return false;
    };
    QElapsedTimer t;
    t.start();
    while (corriendo() && t.elapsed() < 240000) {
        const Conjunto visto = b.cuentas(QStringLiteral("0003"));
        ++lecturas;
        if (std::find(validos.begin(), validos.end(), visto) == validos.end() || !b.cabecera(QStringLiteral("0003"))) ++mezclas;
        for (auto& p : puestos) p->waitForFinished(0);
    }
    int grabadas = 0, conflictos = 0;
    for (auto& p : puestos) {
        if (p->state() != QProcess::NotRunning) ASSERT_TRUE(p->waitForFinished(60000));
        const QString salida = QString::fromUtf8(p->readAllStandardOutput());
        const QString errores = QString::fromUtf8(p->readAllStandardError());
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("grabadas=(\\d+) conflictos=(\\d+) errores=(\\d+)")).match(salida);
        ASSERT_TRUE(m.hasMatch()) << salida.toStdString() << errores.toStdString();
        EXPECT_EQ(m.captured(3).toInt(), 0) << errores.toStdString();
        EXPECT_EQ(m.captured(1).toInt() + m.captured(2).toInt(), kVeces);
        grabadas += m.captured(1).toInt();
        conflictos += m.captured(2).toInt();
    }
    const Conjunto final = b.cuentas(QStringLiteral("0003"));
    EXPECT_NE(std::find(validos.begin() + 1, validos.end(), final), validos.end());
    EXPECT_EQ(mezclas, 0);
    EXPECT_GT(grabadas, 0);
    informeFiabilidad(QStringLiteral("Concurrencia %1: %2 puestos x %3 grabaciones de la misma agrupación: %4 grabadas, %5 rechazadas por "
                           "conflicto y avisadas, %6 lecturas durante la prueba, agrupaciones mezcladas o a medias: %7")
                .arg(QString::fromLatin1(nombreMotor(GetParam()))).arg(kPuestos).arg(kVeces).arg(grabadas).arg(conflictos).arg(lecturas).arg(mezclas));
}

// A workstation saving a grouping of 2,000 accounts, killed at random
// moments: afterwards the grouping holds the old set or the new one, whole.
TEST_P(Fiabilidad, AWorkstationKilledMidSaveLeavesTheOldSetOrTheNew) {
    const int kMuertes = qEnvironmentVariableIntValue("AGR_MUERTES") > 0 ? qEnvironmentVariableIntValue("AGR_MUERTES") : 200;
    const QStringList plan = cuentasDelPlan(*env, 4000);
    const QStringList a = plan.filter(QStringLiteral("97")).mid(0, 2000), b2 = plan.filter(QStringLiteral("97")).mid(2000, 2000);
    ASSERT_EQ(a.size(), 2000);
    ASSERT_EQ(b2.size(), 2000);
    Base b(env->db());
    const std::vector<Conjunto> validos{b.cuentas(QStringLiteral("0003")), aConjunto(a), aConjunto(b2)};
    const QString archivo = escribirConjuntos(*env, QStringLiteral("alterna.txt"), {a, b2});
    int mezclas = 0, danos = 0, vistasA = 0, vistasB = 0;
    QRandomGenerator azar(20261208);
    for (int i = 0; i < kMuertes; ++i) {
        auto p = puesto(*env, {QStringLiteral("grabar"), QStringLiteral("0003"), archivo, QStringLiteral("100000")});
        ASSERT_TRUE(p->waitForStarted(10000));
        ASSERT_TRUE(p->waitForReadyRead(30000)) << p->readAllStandardError().constData();
        QThread::msleep(azar.bounded(300));
        p->kill();
        p->waitForFinished(10000);
        const Conjunto visto = b.cuentas(QStringLiteral("0003"));
        if (std::find(validos.begin(), validos.end(), visto) == validos.end() || !b.cabecera(QStringLiteral("0003"))) ++mezclas;
        vistasA += visto == validos[1];
        vistasB += visto == validos[2];
        if (GetParam() == Motor::Sqlite) {
            danos += b.columna(QStringLiteral("PRAGMA integrity_check")) != QStringList{QStringLiteral("ok")};
        } else {
            danos += b.columna(QStringLiteral("SELECT COUNT(*) FROM TA_AGRUPCUENTAS_DETALLE D LEFT JOIN TA_AGRUPCUENTAS A "
                                              "ON A.IDAGRUPACION = D.IDAGRUPACION WHERE A.IDAGRUPACION IS NULL")) != QStringList{QStringLiteral("0")};
        }
    }
    EXPECT_EQ(mezclas, 0);
    EXPECT_EQ(danos, 0);
    EXPECT_GT(vistasA + vistasB, 0);   // the kills did fall after saves, not only before the first
    informeFiabilidad(QStringLiteral("Interrupción %1: %2 procesos muertos con SIGKILL mientras grababan 2.000 cuentas: conjunto anterior "
                           "o nuevo completo en todos (A %3 veces, B %4), agrupaciones mezcladas: %5, fallos de integridad: %6")
                .arg(QString::fromLatin1(nombreMotor(GetParam()))).arg(kMuertes).arg(vistasA).arg(vistasB).arg(mezclas).arg(danos));
}

INSTANTIATE_TEST_SUITE_P(Engines, Fiabilidad, ::testing::Values(Motor::Sqlite, Motor::Postgres),
                         [](const auto& i) { return std::string(nombreMotor(i.param)); });

// Read-only storage. The tests run as root in CI, which file permissions do
// not stop: the workstation then runs as "nobody".
QString usuarioSinPrivilegios() { return geteuid() == 0 ? QStringLiteral("65534") : QString(); }

void abrirATodos(const QString& carpeta) {
    QFile::setPermissions(carpeta, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                       QFileDevice::WriteOther | QFileDevice::ExeOther | QFileDevice::ReadGroup | QFileDevice::ExeGroup);
    for (const QFileInfo& fi : QDir(carpeta).entryInfoList(QDir::Files))
        QFile::setPermissions(fi.filePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther | QFileDevice::WriteOther);
}

TEST(SoloLectura, AReadOnlyDatabaseIsReadAndTheSaveRefusedWithAMessage) {
    EntornoPrueba env(Motor::Sqlite);
    abrirATodos(env.db().carpeta);
    QFile::setPermissions(env.db().carpeta + QStringLiteral("DEMO.db"), QFileDevice::ReadOwner | QFileDevice::ReadOther | QFileDevice::ReadGroup);
    auto p = puesto(env, {QStringLiteral("leer"), QStringLiteral("0003")}, usuarioSinPrivilegios());
    p->waitForFinished(60000);
    ASSERT_EQ(p->state(), QProcess::NotRunning);
    const QString salida = QString::fromUtf8(p->readAllStandardOutput());
    EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p->exitCode(), 0) << salida.toStdString() << p->readAllStandardError().constData();
    EXPECT_TRUE(salida.contains(QStringLiteral("cuentas=8"))) << salida.toStdString();
    EXPECT_TRUE(salida.contains(QStringLiteral("mensaje: "))) << salida.toStdString();
    EXPECT_TRUE(salida.contains(QStringLiteral("readonly"), Qt::CaseInsensitive) || salida.contains(QStringLiteral("sólo lectura")))
        << salida.toStdString();
    Base b(env.db());
    EXPECT_EQ(b.cuentas(QStringLiteral("0003")).size(), 8);
    informeFiabilidad(QStringLiteral("Solo lectura: base SQLite de solo lectura: la agrupación se lee (8 cuentas) y la grabación se rechaza con mensaje"));
}

TEST(SoloLectura, AReadOnlyProgramFolderStillReadsAndSaves) {
    EntornoPrueba env(Motor::Sqlite);
    // The database lives elsewhere; the program folder cannot take its log,
    // query masks or column widths.
    QTemporaryDir datos;
    const QString base = datos.path() + QStringLiteral("/DEMO.db");
    ASSERT_TRUE(QFile::rename(env.db().carpeta + QStringLiteral("DEMO.db"), base));
    abrirATodos(datos.path());
    QFile::setPermissions(env.db().carpeta, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::ExeOther);
    auto proceso = puesto(env, {QStringLiteral("leer"), QStringLiteral("0003")}, usuarioSinPrivilegios(),
                          QStringLiteral("@server=sqlite; @dbname=%1; @usuario=ADMIN; @Password=;").arg(base));
    QProcess& p = *proceso;
    p.waitForFinished(60000);
    ASSERT_EQ(p.state(), QProcess::NotRunning);
    const QString salida = QString::fromUtf8(p.readAllStandardOutput());
    QFile::setPermissions(env.db().carpeta, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(p.exitCode(), 0) << salida.toStdString() << p.readAllStandardError().constData();
    EXPECT_TRUE(salida.contains(QStringLiteral("cuentas=8"))) << salida.toStdString();
    EXPECT_FALSE(salida.contains(QStringLiteral("mensaje: "))) << salida.toStdString();
    EXPECT_TRUE(salida.contains(QStringLiteral("inicio: ")) && salida.contains(QStringLiteral("consultas.vlm"))) << salida.toStdString();
    informeFiabilidad(QStringLiteral("Solo lectura: carpeta del programa de solo lectura: se avisa al iniciar, la agrupación se lee y se graba"));
}

} // namespace
