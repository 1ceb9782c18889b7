#include "accounting/Display.h"

namespace {
class Silencioso final : public DisplayProgreso {
public:
    void CartelInicio(const QString&, bool) override {}
    bool CartelMostrar(const std::optional<QString>&, const std::optional<QString>&, const std::optional<QString>&) override { return false; }
    void CartelCerrar() override {}
    void setSiempre_Visible(bool) override {}
};
Silencioso gSilencioso;
DisplayProgreso* gDisplay = &gSilencioso;
}

DisplayProgreso& Cartel() { return *gDisplay; }
void setDisplay(DisplayProgreso* d) { gDisplay = d ? d : &gSilencioso; }
