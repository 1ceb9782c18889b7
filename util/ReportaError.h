#pragma once
#include "platform/Prompt.h"
#include "platform/VbError.h"
#include <QDateTime>
#include <QString>

// The error report of the start-up, configuration, script, lookup and
// connection-form routines: a modal retry/ignore/abort box and one line in
// VMERR.LOG. The answer is the trap's (4 retry, 5 next, other leave).
int ReportaError(const VbError& error, int buttons = vb::AbortRetryIgnore | vb::Critical, const QString& rutina = {});

// The folder rule of that report's log: the "tmp" variable when "temp" is set,
// else the workstation's default folder; always ending in "/".
QString CarpetaLogErrores();

// Appends one report line to a log file; false when it cannot be written.
bool EscribirLineaLog(const QString& archivo, const QString& rutina, const QString& mensaje, int respuesta);
// The log line without its line break.
QString LineaLog(const QDateTime& momento, const QString& rutina, const QString& mensaje, int respuesta);
// The answer word of an answer code ("" for codes without one).
QString PalabraRespuesta(int respuesta);
// "Ha ocurrido el Siguiente Error (n) description".
QString MensajeError(const VbError& error);
