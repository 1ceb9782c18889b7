#pragma once
#include "platform/ado/Variant.h"
#include <QString>
#include <cstdint>

// The process-wide record of start-up values.
struct SesionProceso {
    QString CarpetaPrograma;          // ends in "/"
    uint32_t ColorFondo = 0xFFFFFF;
    uint32_t ColorLetra = 0;
    QString IdPuesto;                 // at most 50 characters
    ado::Variant FlatToolbars;        // a double once start-up has read it
    QString ParametroAdicional;
    QString Menu;
    QString UsuarioLogeado;
    QString Caja;
    int16_t TimeOut = 0;
    QString CadenaODBC;
    int16_t Skin = 0;
    QString ArchivoAyuda;             // the application's help file
    int32_t IdAcceso = 0;
};

extern SesionProceso Session;

// Back to the values of a new process (tests start each case from it).
void reiniciarSesion();

// The process's command-line arguments as one text (what follows the program).
QString lineaDeComandos();
void setLineaDeComandos(const QString& texto);
