#pragma once
#include "data/Cfg.h"
#include <QString>

// Opens the statistics connection and sets Session.TimeOut from it.
void ConectaEstadisticas();
// Loads the configuration keys of the main database into the session settings.
void CargaConfiguracion(const QString& carpeta);
