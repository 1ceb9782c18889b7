#pragma once
#include <QString>

// The start-up routine: where the connection parameters come from (the
// parameter string, the command line or, on request, CN000pr.INI), the
// session record, the connection and the suite's start-up services. Ends the
// process when no connection can be made.
void CargaParametros(bool UsarIni, const QString& Parametros, const QString& ConnString, long Cursor);

// The value of one key of a parameter string, by start-up's reading rule.
QString LeerParametro(const QString& parametros, const QString& clave, const QString& siFalta, bool hastaElFinal);

// The built-in default password of the INI fall-back.
QString ClavePorDefecto();
