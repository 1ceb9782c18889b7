#pragma once
#include "ScriptedPrompt.h"
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

#include <gtest/gtest.h>

// A test on a fresh demo database of each engine, with the process-wide
// data-access object connected as ADMIN and the prompts scripted.
class PruebaConDemo : public ::testing::TestWithParam<Motor> {
protected:
    void SetUp() override {
        REQUIRE_MOTOR(GetParam());
        env = std::make_unique<EntornoPrueba>(GetParam());
        ASSERT_TRUE(conectarDB(*env));
    }
    void TearDown() override { reiniciarDB(); }
    long contar(const QString& sql) {
        ado::Recordset rs;
        rs.Open(sql, &DB().gCnn);
        return long(rs.Fields(0).Value().toLongLong());
    }
    std::unique_ptr<EntornoPrueba> env;
    ScriptedPrompt prompt;
};
