#pragma once
#include "data/FormularioConexion.h"
#include <functional>

// A connection form that tests script: each showing runs `rellenar` (or
// cancels when it is empty) and is counted.
struct FormularioGuionado {
    int mostrado = 0;
    std::vector<DatosConexion> vistos;   // what the form was given each time
    std::function<void(DatosConexion&)> rellenar;

    FormularioGuionado() {
        setFabricaFormularioConexion([this] {
            struct F final : FormularioConexion {
                FormularioGuionado* g;
                explicit F(FormularioGuionado* g) : g(g) {}
                void mostrar(DatosConexion& d) override {
                    ++g->mostrado;
                    g->vistos.push_back(d);
                    if (g->rellenar) g->rellenar(d);
                    else d.Aceptar = false;
                }
            };
            return std::unique_ptr<FormularioConexion>(std::make_unique<F>(this));
        });
    }
    ~FormularioGuionado() { setFabricaFormularioConexion(nullptr); }
};
