// Benchmarks of the program's work against the engine's own floor, measured
// side by side in one run so that a busy machine affects both alike. Each
// figure is the median of several runs; the floor uses the client library
// directly (sqlite3, libpq) with the same database.
//
//   agr_bench                 every benchmark, on SQLite and (when the test
//                             cluster's variables are set) PostgreSQL
//   agr_bench --vacia         a bare Qt program that shows an empty window
//   agr_bench --memoria       the 100,000-row lookup alone, for its peak memory
//   agr_bench --consulta      the 100,000-row lookup on SQLite beside its floor
//   agr_bench --perfil-carga [N]  one grouping's open and save, for a profiler
#include "ScriptedPrompt.h"
#include "TestDb.h"
#include "app/Frm_AgrupCuentas.h"
#include "app/ListaCuentas.h"
#include "app/Sesion.h"
#include "data/DB_Dll.h"
#include "lookup/Lib_ClsCons3.h"
#include "lookup/gui/Lib_FrmCons3.h"
#include "platform/ProcessEnd.h"
#include "platform/ado/Connection.h"
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include "lookup/gui/FilasConsulta.h"
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <tuple>
#include <libpq-fe.h>
#include <sqlite3.h>

namespace {

double mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double medir(int veces, const std::function<void()>& f, const std::function<void()>& antes = {}) {
    std::vector<double> t;
    for (int i = 0; i < veces; ++i) {
        if (antes) antes();
        QElapsedTimer r;
        r.start();
        f();
        t.push_back(double(r.nsecsElapsed()) / 1e6);
    }
    return mediana(t);
}

// The program's work and its floor in turns (each with its preparation, not
// timed), so that a busy moment of the machine weighs on both alike: the
// median of each.
std::pair<double, double> medirTurnos(int veces, const std::function<void()>& f, const std::function<void()>& antesF,
                                      const std::function<void()>& g, const std::function<void()>& antesG = {}) {
    std::vector<double> a, b;
    for (int i = 0; i < veces; ++i) {
        a.push_back(medir(1, f, antesF));
        b.push_back(medir(1, g, antesG));
    }
    return {mediana(a), mediana(b)};
}

int fallos = 0;
void fila(const QString& trabajo, double ms, double pisoMs, double maxRatio, double maxMs = 0) {
    const double ratio = pisoMs > 0 ? ms / pisoMs : 0;
    const bool ok = (pisoMs <= 0 || ratio <= maxRatio) && (maxMs <= 0 || ms <= maxMs);
    fallos += !ok;
    QString objetivo = pisoMs > 0 ? QStringLiteral("<= %1x").arg(maxRatio) : QString();
    if (maxMs > 0) objetivo += (objetivo.isEmpty() ? QString() : QStringLiteral(", ")) + QStringLiteral("< %1 ms").arg(maxMs);
    std::printf("%-58s %10.2f ms  piso %9.2f ms  %6.2fx  objetivo %-18s %s\n", qPrintable(trabajo), ms, pisoMs, ratio,
                qPrintable(objetivo), ok ? "bien" : "NO");
    std::fflush(stdout);
}

// The floor: the engine's own client library on the same database.
class Piso {
public:
    explicit Piso(const EntornoPrueba& env) : motor_(env.db().motor) {
        if (motor_ == Motor::Sqlite) {
            // The same open flags as the program.
            sqlite3_open_v2((env.db().carpeta + QStringLiteral("DEMO.db")).toUtf8().constData(), &lite_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
            // And the same settings: a commit that waits for the disk (the
            // default) would make the floor slower than the program's own.
            sqlite3_busy_timeout(lite_, 30000);
            for (const char* p : {"PRAGMA foreign_keys=ON", "PRAGMA journal_mode=WAL", "PRAGMA synchronous=NORMAL"})
                sqlite3_exec(lite_, p, nullptr, nullptr, nullptr);
        } else {
            pg_ = PQconnectdb(QStringLiteral("service=%1 dbname=%2 user=postgres")
                                  .arg(qEnvironmentVariable("AGR_PG_SERVICE"), env.db().base).toUtf8().constData());
        }
    }
    ~Piso() {
        if (lite_) sqlite3_close(lite_);
        if (pg_) PQfinish(pg_);
    }
    // Fetches every row and column as text; the count of rows.
    long leer(const QString& sql) {
        const QByteArray q = sql.toUtf8();
        long n = 0;
        std::string buf;
        if (lite_) {
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(lite_, q.constData(), -1, &st, nullptr);
            while (sqlite3_step(st) == SQLITE_ROW) {
                for (int c = 0; c < sqlite3_column_count(st); ++c) buf.assign(reinterpret_cast<const char*>(sqlite3_column_text(st, c)) ?: "");
                ++n;
            }
            sqlite3_finalize(st);
        } else {
            PGresult* r = PQexec(pg_, q.constData());
            for (int i = 0; i < PQntuples(r); ++i, ++n)
                for (int c = 0; c < PQnfields(r); ++c) buf.assign(PQgetvalue(r, i, c));
            PQclear(r);
        }
        return n;
    }
    void ejecutar(const char* sql) {
        if (lite_) sqlite3_exec(lite_, sql, nullptr, nullptr, nullptr);
        else PQclear(PQexec(pg_, sql));
    }
    // One transaction of N prepared inserts.
    void insertar(const QString& codigo, const QStringList& cuentas) {
        const QByteArray cod = codigo.toUtf8();
        ejecutar("BEGIN");
        if (lite_) {
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(lite_, "INSERT INTO TA_AGRUPCUENTAS_DETALLE (IDAGRUPACION, Cuenta) VALUES (?, ?)", -1, &st, nullptr);
            for (const QString& c : cuentas) {
                const QByteArray v = c.toUtf8();
                sqlite3_bind_text(st, 1, cod.constData(), int(cod.size()), SQLITE_TRANSIENT);
                sqlite3_bind_text(st, 2, v.constData(), int(v.size()), SQLITE_TRANSIENT);
                sqlite3_step(st);
                sqlite3_reset(st);
            }
            sqlite3_finalize(st);
        } else {
            PQclear(PQprepare(pg_, "ins", "INSERT INTO ta_agrupcuentas_detalle (idagrupacion, cuenta) VALUES ($1, $2)", 2, nullptr));
            for (const QString& c : cuentas) {
                const QByteArray v = c.toUtf8();
                const char* vals[2] = {cod.constData(), v.constData()};
                PQclear(PQexecPrepared(pg_, "ins", 2, vals, nullptr, nullptr, 0));
            }
            PQclear(PQexec(pg_, "DEALLOCATE ins"));
        }
        ejecutar("COMMIT");
    }

private:
    Motor motor_;
    sqlite3* lite_ = nullptr;
    PGconn* pg_ = nullptr;
};

QStringList crearCuentas(const EntornoPrueba& env, int n, const char* prefijo, const QString& agrupacion) {
    QStringList codigos;
    for (int desde = 0; desde < n; desde += 1000) {
        QString a = QStringLiteral("INSERT INTO MA_CUENTAS (Codigo, DESCRIPCION) VALUES ");
        QString d = QStringLiteral("INSERT INTO TA_AGRUPCUENTAS_DETALLE (IDAGRUPACION, Cuenta) VALUES ");
        for (int i = desde; i < std::min(n, desde + 1000); ++i) {
            const QString c = QString::fromLatin1(prefijo) + QStringLiteral("%1").arg(i, 6, 10, QChar(u'0'));
            codigos << c;
            a += QStringLiteral("%1('%2', 'Cuenta de prueba número %3')").arg(i > desde ? QStringLiteral(",") : QString(), c).arg(i);
            d += QStringLiteral("%1('%2', '%3')").arg(i > desde ? QStringLiteral(",") : QString(), agrupacion, c);
        }
        env.sqlNativo(a);
        if (!agrupacion.isEmpty()) env.sqlNativo(d);
    }
    if (!agrupacion.isEmpty())
        env.sqlNativo(QStringLiteral("INSERT INTO TA_AGRUPCUENTAS (IDAGRUPACION, Descripcion) VALUES ('%1', 'Banco de pruebas')").arg(agrupacion));
    return codigos;
}

void prepararSesion(const EntornoPrueba& env) {
    reiniciarDB();
    reiniciarSesion();
    reiniciarClsCons();
    setLineaDeComandos(QStringLiteral("@server=%1; @dbname=%2; @usuario=ADMIN; @Password=;").arg(env.db().servidor, env.db().base));
}

struct Escala {
    double carga, pisoCarga, grabar, pisoGrabar;
};

Escala agrupacion(Motor m, int n) {
    EntornoPrueba env(m);
    const QStringList cuentas = crearCuentas(env, n, "96", QStringLiteral("  96"));
    // Fresh statistics, so that neither side runs on a plan made for empty tables.
    if (m == Motor::Postgres) env.sqlNativo(QStringLiteral("ANALYZE"));
    prepararSesion(env);
    Frm_AgrupCuentas w;
    w.Form_Load();
    Piso piso(env);
    const int veces = qEnvironmentVariableIntValue("AGR_BENCH_VECES") > 0 ? qEnvironmentVariableIntValue("AGR_BENCH_VECES") : n <= 100 ? 101 : n >= 20000 ? 5 : 9;   // a short load varies more from run to run
    Escala e{};
    // The window is on screen; the time runs from Enter on the code until the
    // list holds every account (the model's reset that fills it). What the
    // window does after (the focus moves on, the event loop paints the rows
    // in view) is not part of the load.
    w.show();
    QCoreApplication::processEvents();
    QElapsedTimer reloj;
    double llena = 0;
    const QMetaObject::Connection aviso = QObject::connect(w.Cuentas(), &QAbstractItemModel::modelReset, [&] {
        if (w.Cuentas()->count() == n) llena = double(reloj.nsecsElapsed()) / 1e6;
    });
    std::vector<double> cargas, pisos;
    for (int i = 0; i < veces; ++i) {
        w.txtfields(0)->setText(QStringLiteral("96"));
        w.txtfields(0)->setFocus();
        llena = 0;
        reloj.start();
        QTest::keyClick(w.txtfields(0), Qt::Key_Return);
        if (llena <= 0) std::fprintf(stderr, "carga incompleta: %d\n", w.Cuentas()->count());
        cargas.push_back(llena);
        pisos.push_back(medir(1, [&] {
            piso.leer(QStringLiteral("SELECT D.Cuenta, C.DESCRIPCION FROM TA_AGRUPCUENTAS_DETALLE D INNER JOIN MA_CUENTAS C ON C.Codigo = D.Cuenta "
                                     "WHERE D.IDAGRUPACION = '  96'"));
        }));
    }
    QObject::disconnect(aviso);
    e.carga = mediana(cargas);
    e.pisoCarga = mediana(pisos);
    std::tie(e.grabar, e.pisoGrabar) = medirTurnos(
        veces, [&] { w.GrabarAgrupacion(); }, [&] { w.txtfields(0)->setText(QStringLiteral("96")); w.ValidaCampo(0); },
        [&] { piso.insertar(QStringLiteral("  95"), cuentas); },
        [&] { piso.ejecutar("DELETE FROM TA_AGRUPCUENTAS_DETALLE WHERE IDAGRUPACION = '  95'"); });
    reiniciarDB();
    return e;
}

// The 100,000-row lookup: time from the request until the dialog is shown
// and filled, and one keystroke's search for the last row.
std::pair<double, double> consultaGrande(const EntornoPrueba& env, double* piso = nullptr) {
    prepararSesion(env);
    DB_Dll& db = DB();
    db.gServidor = env.db().servidor;
    db.gDBName = env.db().base;
    db.gUsuario = QStringLiteral("ADMIN");
    db.OpenServerADODB(false, 3, QString(), true, true);
    double mostrada = 0, tecla = 0;
    QElapsedTimer t;
    setMostradorConsulta([&](const PedidoConsulta& p) {
        Lib_FrmCons3 d(p);
        d.show();
        QCoreApplication::processEvents();
        mostrada = double(t.nsecsElapsed()) / 1e6;
        const int ultima = d.Filas()->count() - 1;
        const QString buscado = d.Filas()->texto(ultima, 0);
        d.CmbSearch(0)->setFocus();
        d.CmbSearch(0)->setEditText(buscado.chopped(1));
        QElapsedTimer k;
        k.start();
        QTest::keyClick(d.CmbSearch(0)->lineEdit(), buscado.back().toLatin1());
        tecla = double(k.nsecsElapsed()) / 1e6;
        if (d.filaActual() != ultima) std::fprintf(stderr, "la búsqueda no llegó a la última fila\n");
        return RespuestaConsulta{};
    });
    const QString sql = QStringLiteral("SELECT CODIGO,DESCRIPCION FROM MA_CUENTAS WHERE (TITULO=0)  ORDER BY CODIGO");
    // The lookup and the floor take turns, so that a busy moment of the
    // machine weighs on both alike.
    std::vector<double> ts, ks, ps;
    std::unique_ptr<Piso> p;
    if (piso) p = std::make_unique<Piso>(env);
    for (int i = 0; i < 5; ++i) {
        t.start();
        QString vacio, campo, donde;
        ClsCons().Checks = true;
        ClsCons().CampoDevuelto = QStringLiteral("CODIGO");
        ClsCons().ConsultaSearch(sql, nullptr, vacio, campo, donde, vacio, false, vacio);
        ts.push_back(mostrada);
        ks.push_back(tecla);
        if (p) ps.push_back(medir(1, [&] { p->leer(sql); }));
    }
    if (piso) *piso = mediana(ps);
    setMostradorConsulta(nullptr);
    return {mediana(ts), mediana(ks)};
}

// Peak resident set of this process image (VmHWM: unlike getrusage's
// maxrss, it starts again at exec, so a child does not inherit ours).
long picoKb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("VmHWM:")) return l.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

// Runs a program and gives its wall time (ms) and peak memory (kB).
std::pair<double, long> correr(const QString& programa, const QStringList& args, const QString& carpeta = {}) {
    QProcess p;
    QProcessEnvironment pe = QProcessEnvironment::systemEnvironment();
    pe.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    pe.insert(QStringLiteral("AGR_SALIR_AL_MOSTRAR"), QStringLiteral("1"));
    if (!carpeta.isEmpty()) pe.insert(QStringLiteral("AGRUPCUENTAS_CARPETA"), carpeta);
    p.setProcessEnvironment(pe);
    QElapsedTimer t;
    t.start();
    p.start(programa, args);
    p.waitForFinished(60000);
    const double ms = double(t.nsecsElapsed()) / 1e6;
    const QString salida = QString::fromUtf8(p.readAllStandardOutput());
    const qsizetype i = salida.indexOf(QStringLiteral("pico="));
    return {ms, i >= 0 ? salida.mid(i + 5).trimmed().toLong() : 0};
}

int vacia(QApplication& app) {
    QMainWindow w;
    w.resize(857, 440);
    w.show();
    QTimer::singleShot(0, &app, [&] {
        std::printf("pico=%ld\n", picoKb());
        app.quit();
    });
    return app.exec();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (app.arguments().contains(QStringLiteral("--vacia"))) return vacia(app);
    ScriptedPrompt prompt;
    setProcessEndHandler([](int c) { throw ProcessEndRequested{c}; });
    if (app.arguments().contains(QStringLiteral("--perfil-carga"))) {
        // Only one grouping's load and save on SQLite (20,000 accounts unless
        // a count follows), repeated, for a profiler.
        const int i = int(app.arguments().indexOf(QStringLiteral("--perfil-carga")));
        const int n = app.arguments().value(i + 1).toInt();
        const Escala e = agrupacion(Motor::Sqlite, n > 0 ? n : 20000);
        std::printf("abrir %.3f ms (piso %.3f), grabar %.3f ms (piso %.3f)\n", e.carga, e.pisoCarga, e.grabar, e.pisoGrabar);
        return 0;
    }
    if (app.arguments().contains(QStringLiteral("--consulta"))) {
        // Only the 100,000-row lookup on SQLite, beside its floor.
        EntornoPrueba env(Motor::Sqlite);
        crearCuentas(env, 100000, "95", QString());
        double piso = 0;
        const double mostrada = consultaGrande(env, &piso).first;
        fila(QStringLiteral("SQLite: consulta de 100.000 cuentas hasta la lista llena"), mostrada, piso, 3.0, 500);
        return 0;
    }
    if (app.arguments().contains(QStringLiteral("--memoria"))) {
        EntornoPrueba env(Motor::Sqlite);
        crearCuentas(env, 100000, "95", QString());
        consultaGrande(env);
        std::printf("pico=%ld\n", picoKb());
        return 0;
    }
    std::printf("%-58s %13s  %14s  %7s  %-27s\n", "trabajo", "programa", "piso", "razón", "objetivo");
    std::vector<Motor> motores{Motor::Sqlite};
    if (motorDisponible(Motor::Postgres)) motores.push_back(Motor::Postgres);
    for (Motor m : motores) {
        const QString nm = QString::fromLatin1(nombreMotor(m));
        std::vector<std::pair<int, Escala>> escalas;
        for (int n : {100, 2000, 20000}) {
            const Escala e = agrupacion(m, n);
            escalas.push_back({n, e});
            fila(QStringLiteral("%1: abrir agrupación de %2 cuentas").arg(nm).arg(n), e.carga, e.pisoCarga, 2.0);
            fila(QStringLiteral("%1: grabar agrupación de %2 cuentas").arg(nm).arg(n), e.grabar, e.pisoGrabar, 2.0);
        }
        // Linear growth: the cost per account at 20,000 against 2,000.
        const Escala &a = escalas[1].second, &b = escalas[2].second;
        const double cargaCrece = (b.carga / 20000) / (a.carga / 2000), grabarCrece = (b.grabar / 20000) / (a.grabar / 2000);
        std::printf("%-58s abrir %.2f, grabar %.2f (1 = lineal; objetivo <= 1.5)  %s\n",
                    qPrintable(nm + QStringLiteral(": costo por cuenta, 20.000 frente a 2.000:")), cargaCrece, grabarCrece,
                    cargaCrece <= 1.5 && grabarCrece <= 1.5 ? "bien" : "NO");
        fallos += !(cargaCrece <= 1.5 && grabarCrece <= 1.5);
        EntornoPrueba env(m);
        crearCuentas(env, 100000, "95", QString());
        if (m == Motor::Postgres) env.sqlNativo(QStringLiteral("ANALYZE"));
        double piso = 0;
        const auto [mostrada, tecla] = consultaGrande(env, &piso);
        fila(nm + QStringLiteral(": consulta de 100.000 cuentas hasta la lista llena"), mostrada, piso, 3.0, 500);
        fila(nm + QStringLiteral(": búsqueda instantánea, una tecla, última fila"), tecla, 0, 0, 16);
        reiniciarDB();
    }
    // Start-up and memory, as whole processes.
    {
        EntornoPrueba env(Motor::Sqlite);
        const QString self = QCoreApplication::applicationFilePath();
        const QString programa = QStringLiteral(AGR_BIN_DIR "/agrupcuentas");
        const QString params = QStringLiteral("@server=sqlite; @dbname=DEMO; @usuario=ADMIN; @Password=; @Caja=1;");
        QDir().mkpath(env.db().carpeta + QStringLiteral("Styles"));
        std::vector<double> prog, bare;
        long picoVacia = 0;
        for (int i = 0; i < 7; ++i) {
            prog.push_back(correr(programa, {params}, env.db().carpeta).first);
            const auto v = correr(self, {QStringLiteral("--vacia")});
            bare.push_back(v.first);
            picoVacia = v.second;
        }
        fila(QStringLiteral("arranque hasta la ventana, base de demostración"), mediana(prog), mediana(bare), 1.5);
        const auto mem = correr(self, {QStringLiteral("--memoria")});
        const double mb = double(mem.second - picoVacia) / 1024.0;
        std::printf("%-58s %10.1f MB sobre el programa vacío (%ld kB frente a %ld kB)  objetivo <= 60 MB  %s\n",
                    "memoria: pico de la consulta de 100.000 filas", mb, mem.second, picoVacia, mb <= 60 ? "bien" : "NO");
        fallos += mb > 60;
    }
    std::printf("%s\n", fallos ? qPrintable(QStringLiteral("%1 objetivos no cumplidos").arg(fallos)) : "todos los objetivos cumplidos");
    return fallos ? 1 : 0;
}
