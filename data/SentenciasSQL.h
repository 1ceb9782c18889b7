#pragma once
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

// A field/value list for the statement builders: each value already an SQL
// literal or the word Null.
using ListaCampos = std::vector<std::pair<QString, QString>>;
ListaCampos& CamposSQL();   // the process-wide list the builders share

// Appends one pair (or, with `primero`, starts the list anew). Apostrophes
// are removed from the value.
void AgregaCampo(const QString& campo, const QString& valor, const QString& tipo, bool primero);
// Builds an INSERT or UPDATE from the list, appends it and an empty entry to
// the statement list, and (unless `mantener`) resets the field list.
void ArmaSentenciaSQL(ListaCampos& campos, QStringList& sentencias, const QString& tabla, bool actualizar, QString& donde,
                      bool mantener);
QString AdaptaSentenciaOracle(const QString& texto);

struct ResultadoScript {
    bool fallo = false;
    long nativo = 0;
    QString script;   // the batch as sent
    QString error;
};
// Runs the statements as one batch in one transaction: all or nothing. A
// failure is rolled back, recorded in AUX_ERR and (unless ignored or muted)
// shown. Returns the first native error number, 0 when it ran.
long GActualizarDatoScript(const QStringList& sentencias, bool ignorarDuplicados, bool ignorarReferencias, bool mostrarMensaje,
                           ResultadoScript* resultado = nullptr);
