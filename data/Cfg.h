#pragma once
#include <QString>

class DB_Dll;

// One key of the main database's configuration table: its value (" " when the
// key is missing) and, through valorAux, its auxiliary value.
QString Cfg(const QString& clave, QString& valorAux);
QString Cfg(const QString& clave);
// The same on the statistics database.
QString CfgVM(const QString& clave, QString& valorAux);
QString CfgVM(const QString& clave);
// Writes one key into the statistics database's configuration table.
void GuardaCfgEstadisticas(const QString& clave, const QString& valor, const QString& valorAux, bool politica,
                           const QString& grupo, bool recortar);

// The second data-access object, on the statistics database.
DB_Dll& DBEstadisticas();
void reiniciarDBEstadisticas();
// The statistics database's fixed user password.
QString ClaveEstadisticas();
