#pragma once
#include <QString>

// Starts a companion program of the suite with the current connection and
// user on its command line (the password travels in clear, as the suite's
// programs expect). A parameter of several words loses its first word, and the
// caller sees the change.
void MenuExes(const QString& programa, QString& parametro, qint64& pid);
// The argument string handed to the companion.
QString ArgumentosCompania(const QString& parametro);
