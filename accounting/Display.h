#pragma once
#include <QString>
#include <optional>

// The progress display as the accounting rules drive it: a title, three lines
// and a cancel button. The window layer installs the real one; until then
// every call does nothing and nothing is ever cancelled.
class DisplayProgreso {
public:
    virtual ~DisplayProgreso() = default;
    virtual void CartelInicio(const QString& titulo, bool permiteCancelar) = 0;
    // Each given line replaces that line; the answer is whether the user cancelled.
    virtual bool CartelMostrar(const std::optional<QString>& l1 = {}, const std::optional<QString>& l2 = {},
                               const std::optional<QString>& l3 = {}) = 0;
    virtual void CartelCerrar() = 0;
    virtual void setSiempre_Visible(bool v) = 0;
};

DisplayProgreso& Cartel();
void setDisplay(DisplayProgreso* d);   // not owned; nullptr restores the silent one
