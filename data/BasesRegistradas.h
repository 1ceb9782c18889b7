#pragma once
#include <QString>
#include <vector>

// One registered connection of BASES.TXT: display name, database, user,
// password (stored scrambled) and server (which may carry ":" and a port).
struct BaseRegistrada {
    QString nombre, base, usuario, clave, servidor;
};

QString ArchivoBases();   // BASES.TXT in the program folder
// The registrations in file order. Lines with fewer than five fields or a blank
// display name are skipped; a field in double quotes may hold commas.
std::vector<BaseRegistrada> LeerBases(const QString& archivo);
// Appends one line (the five fields trimmed, joined by ",", the password
// scrambled, a field holding "," in double quotes). The file is rewritten
// whole through a temporary file, so that a failure never leaves half a line.
// False when it cannot be written, or when a field holds a double quote or a
// line break (which the file cannot carry).
bool AgregarBase(const QString& archivo, const BaseRegistrada& b);
// The display name a registration is written under: database / server, in
// capitals, without the server's port.
QString NombreRegistro(const QString& base, const QString& servidor);
