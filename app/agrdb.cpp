// agrdb: runs schema and data scripts on a database through the program's own
// data layer, so that the embedded demo database and test databases are made
// exactly as the program will read them.
//
//   agrdb [--create] CONNECTION-STRING FILE...
//
// --create makes the SQLite file when it does not exist yet (the program
// itself never creates a database).
#include "platform/ProgramFolder.h"
#include "platform/ado/Connection.h"
#include <QCoreApplication>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <sqlite3.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    bool create = false;
    if (!args.isEmpty() && args.first() == QLatin1String("--create")) {
        create = true;
        args.removeFirst();
    }
    if (args.size() < 1) {
        std::fprintf(stderr, "uso: agrdb [--create] CADENA-DE-CONEXION ARCHIVO...\n");
        return 2;
    }
    const QString cs = args.takeFirst();
    const ado::Target t = ado::resolveTarget(cs, {}, {}, QDir::currentPath() + u'/', 15);
    if (create && t.engine == ado::Target::Engine::Sqlite && !QFileInfo::exists(t.sqliteFile)) {
        sqlite3* db = nullptr;
        if (sqlite3_open(t.sqliteFile.toUtf8().constData(), &db) != SQLITE_OK) {
            std::fprintf(stderr, "no se pudo crear %s\n", qPrintable(t.sqliteFile));
            return 1;
        }
        sqlite3_close(db);
    }
    setProgramFolder(QDir::currentPath());
    ado::Connection c;
    try {
        c.Open(cs);
        for (const QString& f : args) {
            QFile file(f);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "no se puede leer %s\n", qPrintable(f));
                return 1;
            }
            c.ExecuteScript(QString::fromUtf8(file.readAll()));
        }
    } catch (const VbError& e) {
        std::fprintf(stderr, "agrdb: %s\n", qPrintable(e.description()));
        for (const auto& it : c.errors().items())
            std::fprintf(stderr, "  [%s] %ld %s\n", qPrintable(it.SQLState), it.NativeError, qPrintable(it.Description));
        return 1;
    }
    return 0;
}
