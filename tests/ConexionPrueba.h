#pragma once
#include "TestDb.h"
#include "data/DB_Dll.h"

// Connects the process-wide data-access object to a fresh demo database.
inline bool conectarDB(const EntornoPrueba& env, const QString& usuario = QStringLiteral("ADMIN")) {
    reiniciarDB();
    DB_Dll& db = DB();
    db.gServidor = env.db().servidor;
    db.gDBName = env.db().base;
    db.gUsuario = usuario;
    db.OpenServerADODB(false, 3, QString(), true, true);
    return db.gOpenFlag;
}
