#pragma once
#include <QString>

// The lookup request object: callers fill a few properties, ask for a lookup
// and read the chosen key back. Start-up sets where it connects and where the
// query mask file is.
class Lib_ClsCons3 {
public:
    QString gConnString;
    QString gRutaMascaraConsultas;
    bool gUsarMascarasConsultas = false;
    QString CampoDevuelto;
    bool Checks = false;
};

// The process-wide request object, created on first use.
Lib_ClsCons3& ClsCons();

// Appends the default records to the query mask file named by the process-wide
// request object.
void CrearMascarasConsultas();
