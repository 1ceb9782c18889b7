#pragma once
#include <QString>

// Records the program's start in the access audit. An empty form name means
// the program's executable name.
void RegistraAcceso(const QString& formulario = {});
