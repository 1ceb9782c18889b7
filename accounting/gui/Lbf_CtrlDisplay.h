#pragma once
#include "accounting/Display.h"
#include <QWidget>
#include <array>

class QLabel;
class QPushButton;
class QTimer;

// The progress notice: borderless, semi-transparent, a title, three lines, a
// looping twelve-frame animation and an optional cancel button.
class Lbf_CtrlDisplay : public QWidget {
    Q_OBJECT
public:
    explicit Lbf_CtrlDisplay(QWidget* parent = nullptr);
    std::array<QLabel*, 3> LblCtrol;
    QPushButton* CmdDisplayCancelar;
    QLabel* Image1;
    QTimer* Timer1;
    int16_t contador = 0;
    static QPixmap cuadro(int n);   // animation frame 1..12
private:
    QLabel* titulo_;
    friend class Dll_Display;
};

// The class that owns the notice and that the accounting rules drive.
class Dll_Display final : public DisplayProgreso {
public:
    ~Dll_Display() override;
    void CartelInicio(const QString& titulo, bool permiteCancelar) override;
    bool CartelMostrar(const std::optional<QString>& l1 = {}, const std::optional<QString>& l2 = {},
                       const std::optional<QString>& l3 = {}) override;
    void CartelCerrar() override;
    void setSiempre_Visible(bool v) override;
    Lbf_CtrlDisplay* ventana() const { return ventana_; }

private:
    Lbf_CtrlDisplay* crear();
    Lbf_CtrlDisplay* ventana_ = nullptr;
};
