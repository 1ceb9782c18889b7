// agrdb: sets up a database for the program and runs schema and data scripts
// through the program's own data layer, so that a database is made exactly as
// the program will read it.
//
//   agrdb tablas CADENA                      lists the program's tables, present or missing
//   agrdb preparar [--demo] [--estadisticas] CADENA
//                                            creates the schema (and the demo rows) on an
//                                            empty database; a new SQLite file is made
//   agrdb [--create] CADENA ARCHIVO...       runs native scripts as they stand
//
// The program itself never creates a database: a missing SQLite file is an
// error there, so that a mistyped name does not silently start an empty book.
#include "platform/ProgramFolder.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/ado/SqlDialect.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <cstdio>
#include <sqlite3.h>

namespace {

void out(const QString& s) { std::fputs(qPrintable(s + u'\n'), stdout); }
void err(const QString& s) { std::fputs(qPrintable(u"agrdb: "_qs + s + u'\n'), stderr); }

int uso() {
    std::fprintf(stderr, "%s",
                 "uso: agrdb tablas CADENA-DE-CONEXION\n"
                 "     agrdb preparar [--demo] [--estadisticas] CADENA-DE-CONEXION\n"
                 "     agrdb [--create] CADENA-DE-CONEXION ARCHIVO...\n"
                 "ejemplos:\n"
                 "     agrdb preparar --demo \"Provider=SQLite;Data Source=/home/ana/MIA.db\"\n"
                 "     agrdb preparar \"Provider=PostgreSQL;Server=PG\\conta;Database=contab;User ID=ADMIN;Password=...\"\n");
    return 2;
}

// Where the schema scripts are: beside an installed program, in the source
// tree beside a build, or where AGR_SCHEMA_DIR says.
QString carpetaEsquema() {
    const QString env = qEnvironmentVariable("AGR_SCHEMA_DIR");
    if (!env.isEmpty()) return env;
    const QString exe = QCoreApplication::applicationDirPath();
    for (const QString& rel : {u"/../../share/agrupcuentas/schema"_qs, u"/../share/agrupcuentas/schema"_qs,
                               u"/../../schema"_qs, u"/schema"_qs}) {
        const QString d = QDir::cleanPath(exe + rel);
        if (QFileInfo::exists(d + u"/sqlite.sql"_qs)) return d;
    }
    return {};
}

QString leer(const QString& archivo) {
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error(qPrintable(u"no se puede leer "_qs + archivo));
    return QString::fromUtf8(f.readAll());
}

// Tables and views a schema script creates, in its order.
QStringList objetosDelEsquema(const QString& script) {
    static const QRegularExpression re(QStringLiteral(R"(CREATE\s+(?:TABLE|VIEW)\s+(?:IF\s+NOT\s+EXISTS\s+)?[\["]?(\w+))"),
                                       QRegularExpression::CaseInsensitiveOption);
    QStringList names;
    for (auto it = re.globalMatch(script); it.hasNext();) names << it.next().captured(1);
    return names;
}

QSet<QString> tablasPresentes(ado::Connection& c) {
    ado::Recordset rs;
    c.OpenSchema(ado::ad::SchemaTables, rs);
    QSet<QString> present;
    for (; !rs.Eof(); rs.MoveNext()) present.insert(rs[u"TABLE_NAME"_qs].toText().toUpper());
    return present;
}

QString sufijoMotor(const ado::Connection& c) {
    switch (c.dialect().engine()) {
    case ado::SqlDialect::Engine::Sqlite: return u"sqlite"_qs;
    case ado::SqlDialect::Engine::Postgres: return u"postgres"_qs;
    default: return u"sqlserver"_qs;
    }
}

void crearArchivoSqlite(const QString& cs) {
    const ado::Target t = ado::resolveTarget(cs, {}, {}, QDir::currentPath() + u'/', 15);
    if (t.engine != ado::Target::Engine::Sqlite || QFileInfo::exists(t.sqliteFile)) return;
    sqlite3* db = nullptr;
    const bool ok = sqlite3_open(t.sqliteFile.toUtf8().constData(), &db) == SQLITE_OK;
    sqlite3_close(db);
    if (!ok) throw std::runtime_error(qPrintable(u"no se pudo crear "_qs + t.sqliteFile));
    out(u"Archivo creado: "_qs + t.sqliteFile);
}

// Lists each object of the schema as present or missing; returns how many are present.
int listar(ado::Connection& c, const QStringList& objetos) {
    const QSet<QString> present = tablasPresentes(c);
    int n = 0;
    for (const QString& o : objetos) {
        const bool ya = present.contains(o.toUpper());
        n += ya;
        out((ya ? u"  existe   "_qs : u"  falta    "_qs) + o.toUpper());
    }
    out(QStringLiteral("%1 de %2 tablas y vistas del programa existen en la base.").arg(n).arg(objetos.size()));
    return n;
}

int preparar(ado::Connection& c, const QString& dir, bool demo, bool estadisticas) {
    const QString base = dir + (estadisticas ? u"/estadisticas_"_qs : u"/"_qs);
    const QString esquema = leer(base + sufijoMotor(c) + u".sql"_qs);
    const QStringList objetos = objetosDelEsquema(esquema);
    if (objetos.isEmpty()) throw std::runtime_error("el guion del esquema no crea ninguna tabla");
    const int presentes = listar(c, objetos);
    if (presentes == objetos.size()) {
        out(u"La base ya tiene el esquema completo: no se modifica."_qs);
        return 0;
    }
    if (presentes > 0) {
        err(u"la base ya tiene parte del esquema; no se modifica para no mezclar datos. "
            "Use una base vacía o complete las tablas que faltan a mano."_qs);
        return 3;
    }
    c.ExecuteScript(esquema);
    out(QStringLiteral("Esquema creado: %1 tablas y vistas.").arg(objetos.size()));
    if (demo) {
        c.ExecuteScript(leer(dir + (estadisticas ? u"/estadisticas_demo_"_qs : u"/demo_"_qs) + sufijoMotor(c) + u".sql"_qs));
        out(u"Datos de demostración cargados."_qs);
    }
    return 0;
}

void informar(const ado::Connection& c, const QString& what) {
    err(what);
    for (const auto& it : c.errors().items())
        std::fprintf(stderr, "  [%s] %ld %s\n", qPrintable(it.SQLState), it.NativeError, qPrintable(it.Description));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == u"--help" || args.first() == u"-h") return uso();
    QString orden = u"scripts"_qs;
    if (args.first() == u"tablas" || args.first() == u"preparar") orden = args.takeFirst();
    bool create = orden == u"preparar", demo = false, estadisticas = false;
    while (!args.isEmpty() && args.first().startsWith(u"--")) {
        const QString o = args.takeFirst();
        if (o == u"--create") create = true;
        else if (o == u"--demo") demo = true;
        else if (o == u"--estadisticas") estadisticas = true;
        else return uso();
    }
    if (args.isEmpty() || (orden != u"scripts" && args.size() != 1)) return uso();
    const QString cs = args.takeFirst();
    setProgramFolder(QDir::currentPath());
    ado::Connection c;
    try {
        if (create) crearArchivoSqlite(cs);
        c.Open(cs);
        if (orden == u"tablas") {
            const QString dir = carpetaEsquema();
            if (dir.isEmpty()) throw std::runtime_error("no se encuentran los guiones del esquema (AGR_SCHEMA_DIR)");
            listar(c, objetosDelEsquema(leer(dir + u'/' + sufijoMotor(c) + u".sql"_qs)));
            return 0;
        }
        if (orden == u"preparar") {
            const QString dir = carpetaEsquema();
            if (dir.isEmpty()) throw std::runtime_error("no se encuentran los guiones del esquema (AGR_SCHEMA_DIR)");
            return preparar(c, dir, demo, estadisticas);
        }
        for (const QString& f : args) c.ExecuteScript(leer(f));
    } catch (const VbError& e) {
        informar(c, e.description());
        return 1;
    } catch (const std::exception& e) {
        informar(c, QString::fromUtf8(e.what()));
        return 1;
    }
    return 0;
}
