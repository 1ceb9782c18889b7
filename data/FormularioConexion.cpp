#include "data/FormularioConexion.h"

namespace {
class FormularioQueCancela final : public FormularioConexion {
public:
    void mostrar(DatosConexion& d) override { d.Aceptar = false; }
};
FabricaFormularioConexion gFabrica;
}

void setFabricaFormularioConexion(FabricaFormularioConexion fabrica) { gFabrica = std::move(fabrica); }

std::unique_ptr<FormularioConexion> crearFormularioConexion() {
    if (gFabrica) return gFabrica();
    return std::make_unique<FormularioQueCancela>();
}
