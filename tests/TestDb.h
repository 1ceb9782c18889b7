#pragma once
#include <QString>
#include <ostream>
#include <QTemporaryDir>
#include <memory>
#include <vector>

// The engines the data tests run on. PostgreSQL runs on the throwaway cluster
// that the test command starts; its tests fail (never pass silently) when CI
// runs them without it.
enum class Motor { Sqlite, Postgres, PostgresOdbc };
const char* nombreMotor(Motor m);
std::vector<Motor> motores();
bool motorDisponible(Motor m);

// A fresh copy of the demo database, with the program folder pointed at a
// temporary folder of its own.
struct BaseDePrueba {
    Motor motor;
    QString servidor;   // as the parameter string names it
    QString base;
    QString carpeta;    // program folder (ends in "/")
    // "PROVIDER=SQLOLEDB;Server=...;Database =...;UId=user;Pwd=;"
    QString cadena(const QString& usuario = QStringLiteral("ADMIN")) const;
};

class EntornoPrueba {
public:
    explicit EntornoPrueba(Motor m);
    ~EntornoPrueba();
    const BaseDePrueba& db() const { return db_; }
    // Runs an engine-native SQL text on the database, outside the layer under test.
    void sqlNativo(const QString& sql) const;

private:
    std::unique_ptr<QTemporaryDir> dir_;
    BaseDePrueba db_;
};

// Skips (locally) or fails (in CI) when the engine is not at hand.
#define REQUIRE_MOTOR(m)                                                                      \
    do {                                                                                      \
        if (!motorDisponible(m)) {                                                            \
            if (qEnvironmentVariableIsSet("CI")) FAIL() << "engine not available in CI: " << nombreMotor(m); \
            GTEST_SKIP() << "engine not available: " << nombreMotor(m);                       \
        }                                                                                     \
    } while (0)

inline void PrintTo(Motor m, std::ostream* os) { *os << nombreMotor(m); }

// Appends a line of figures to the reliability report that the test command
// prints at its end (AGR_INFORME_FIABILIDAD, or fiabilidad.txt in the build
// folder), and prints it.
void informeFiabilidad(const QString& linea);
