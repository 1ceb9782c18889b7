#include "app/Configuracion.h"
#include "app/Sesion.h"

void ConectaEstadisticas() {
    // Until the statistics connection is opened, the command time-out is the
    // suite's default.
    Session.TimeOut = 360;
}

void CargaConfiguracion(const QString&) {}
