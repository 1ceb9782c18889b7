#include "platform/ProgramFolder.h"
#include <QCoreApplication>
#include <QFileInfo>

namespace {
QString gFolder;
QString gExe;
}

QString programFolder() {
    QString f = gFolder;
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
    if (QCoreApplication::instance())
        return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return QStringLiteral("agrupcuentas");
}

void setExeName(const QString& name) { gExe = name; }
