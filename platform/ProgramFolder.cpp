#include "platform/ProgramFolder.h"
#include <QCoreApplication>
#include <QFileInfo>

namespace {
QString gFolder;
QString gExe;
}

QString programFolder() {
    QString f = gFolder;
    // An installed program runs from a folder the user cannot write; its
    // launcher names a folder of the user's own instead.
    if (f.isEmpty()) f = qEnvironmentVariable("AGRUPCUENTAS_CARPETA");
    if (f.isEmpty() && QCoreApplication::instance())
        f = QCoreApplication::applicationDirPath();
    if (f.isEmpty())
        f = QStringLiteral(".");
    if (!f.endsWith(u'/'))
        f += u'/';
    return f;
}

void setProgramFolder(const QString& folder) { gFolder = folder; }

QString exeName() {
    if (!gExe.isEmpty())
        return gExe;
    if (QCoreApplication::instance()) {
        // Asked for by every statement that may be redirected to a synonym.
        static const QString nombre = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
        return nombre;
    }
    return QStringLiteral("agrupcuentas");
}

void setExeName(const QString& name) { gExe = name; }
