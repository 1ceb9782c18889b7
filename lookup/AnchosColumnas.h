#pragma once
#include <QString>
#include <optional>
#include <vector>

// The column widths file CONSULTASLEN.VLM: one line per listed table,
// "table","w1|w2|...|", widths in twips. Keys compare without regard to case;
// when a table has several lines the last one wins.
QString ArchivoAnchos();   // in the program folder
std::optional<std::vector<double>> LeerAnchos(const QString& archivo, const QString& tabla);
// Replaces the table's line (through the work file CONSULTASLEN.AUX).
bool GuardarAnchos(const QString& archivo, const QString& tabla, const std::vector<double>& anchos);

// True when the file (double quotes removed from its path) can be opened for reading.
bool ExisteArchivo(const QString& ruta);
