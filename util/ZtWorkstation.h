#pragma once
#include <QString>

// The workstation class: who and where the program runs. Tests may set the
// names to see how longer or odd ones are handled.
class ZtWorkstation {
public:
    QString ComputerName() const;
    QString WorkstationUser() const;
    // A writable folder for the error log when no temporary folder is set.
    QString DefaultFolder() const;

    void setComputerName(const QString& n) { computer_ = n; }
    void setWorkstationUser(const QString& n) { user_ = n; }
    void setDefaultFolder(const QString& f) { folder_ = f; }

private:
    QString computer_, user_, folder_;
};

ZtWorkstation& Puesto();
