#include "util/ZtWorkstation.h"
#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <pwd.h>
#include <unistd.h>

ZtWorkstation& Puesto() {
    static ZtWorkstation w;
    return w;
}

QString ZtWorkstation::ComputerName() const {
    if (!computer_.isEmpty()) return computer_;
    return QSysInfo::machineHostName().section(u'.', 0, 0);
}

QString ZtWorkstation::WorkstationUser() const {
    if (!user_.isEmpty()) return user_;
    QString u = qEnvironmentVariable("USER");
    if (u.isEmpty()) u = qEnvironmentVariable("LOGNAME");
    if (u.isEmpty()) {
        if (const passwd* pw = getpwuid(getuid())) u = QString::fromLocal8Bit(pw->pw_name);
    }
    return u;
}

QString ZtWorkstation::DefaultFolder() const {
    if (!folder_.isEmpty()) return folder_;
    const QString home = QDir::homePath();
    if (QFileInfo(home).isWritable()) return home;
    return QDir::tempPath();
}
