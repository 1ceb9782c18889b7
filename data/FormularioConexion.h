#pragma once
#include <QString>
#include <functional>
#include <memory>

// What the connection open needs of the connection form: the four fields, the
// platform chosen and whether the user accepted.
struct DatosConexion {
    QString TxtDbName;
    QString TxtServidor;
    QString TxtUserId;
    QString TxtUserPassword;
    QString TxtPuerto = QStringLiteral("1433");
    int CboPlataformaDB = 0;   // 0 "SQL Server", 1 "ORACLE", 2 SQLite file, 3 PostgreSQL
    bool Aceptar = false;
};

// The connection form, shown modally. The window layer installs the real one;
// until then (and in tests that do not script it) the form cancels.
class FormularioConexion {
public:
    virtual ~FormularioConexion() = default;
    virtual void mostrar(DatosConexion& datos) = 0;
};

using FabricaFormularioConexion = std::function<std::unique_ptr<FormularioConexion>()>;
void setFabricaFormularioConexion(FabricaFormularioConexion fabrica);
std::unique_ptr<FormularioConexion> crearFormularioConexion();
