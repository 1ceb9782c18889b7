#pragma once
#include <QString>

// The folder of the program file, ending in "/". The program's own files
// (INI, BASES.TXT, masks, embedded databases) live here. Tests point it at a
// temporary folder.
QString programFolder();
void setProgramFolder(const QString& folder);
// The executable's name without folder or extension ("agrupcuentas").
QString exeName();
void setExeName(const QString& name);
