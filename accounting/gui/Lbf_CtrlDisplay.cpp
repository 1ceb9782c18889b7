#include "accounting/gui/Lbf_CtrlDisplay.h"
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

QPixmap Lbf_CtrlDisplay::cuadro(int n) {
    // Twelve dots on a ring; frame n lights dot n and fades the ones behind it.
    QPixmap pm(40, 40);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 12; ++i) {
        const int edad = (n - 1 - i + 12) % 12;
        QColor c(0x2B, 0x4C, 0x7E);
        c.setAlpha(255 - edad * 20);
        p.setBrush(c);
        p.setPen(Qt::NoPen);
        p.save();
        p.translate(20, 20);
        p.rotate(i * 30.0);
        p.drawEllipse(QPointF(0, -14), 3.2, 3.2);
        p.restore();
    }
    return pm;
}

Lbf_CtrlDisplay::Lbf_CtrlDisplay(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint) {
    setWindowTitle(QStringLiteral("Procesando Datos"));
    setObjectName(QStringLiteral("Lbf_CtrlDisplay"));
    setStyleSheet(QStringLiteral("Lbf_CtrlDisplay { background: #f4f6f9; border: 1px solid #8a96a8; }"));
    setAttribute(Qt::WA_StyledBackground);
    auto* v = new QVBoxLayout(this);
    titulo_ = new QLabel(this);
    titulo_->setStyleSheet(QStringLiteral("font-weight: bold;"));
    v->addWidget(titulo_);
    auto* h = new QHBoxLayout;
    Image1 = new QLabel(this);
    Image1->setPixmap(cuadro(1));
    h->addWidget(Image1);
    auto* lineas = new QVBoxLayout;
    for (auto& l : LblCtrol) {
        l = new QLabel(this);
        lineas->addWidget(l);
    }
    h->addLayout(lineas, 1);
    v->addLayout(h);
    CmdDisplayCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    v->addWidget(CmdDisplayCancelar, 0, Qt::AlignRight);
    connect(CmdDisplayCancelar, &QPushButton::clicked, this, [this] { CmdDisplayCancelar->setText(QStringLiteral("Abortado")); });
    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, [this] {
        ++contador;
        Image1->setPixmap(cuadro(contador));
        if (contador >= 12) contador = 0;
    });
    Timer1->start();
    resize(360, 130);
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect g = s->availableGeometry();
        move(g.x() + (g.width() - width()) / 2, g.y() + (g.height() - height()) / 2);
    }
    setWindowOpacity(200.0 / 255.0);
}

Dll_Display::~Dll_Display() { CartelCerrar(); }

Lbf_CtrlDisplay* Dll_Display::crear() {
    if (!ventana_) ventana_ = new Lbf_CtrlDisplay;
    return ventana_;
}

void Dll_Display::CartelInicio(const QString& titulo, bool permiteCancelar) {
    Lbf_CtrlDisplay* v = crear();
    v->setWindowTitle(titulo);
    v->titulo_->setText(titulo);
    v->CmdDisplayCancelar->setVisible(permiteCancelar);
    v->show();
    QApplication::processEvents();
}

bool Dll_Display::CartelMostrar(const std::optional<QString>& l1, const std::optional<QString>& l2, const std::optional<QString>& l3) {
    Lbf_CtrlDisplay* v = crear();
    const std::optional<QString>* lineas[3] = {&l1, &l2, &l3};
    for (int i = 0; i < 3; ++i)
        if (*lineas[i]) v->LblCtrol[size_t(i)]->setText(**lineas[i]);
    v->repaint();
    const bool cancelado = v->CmdDisplayCancelar->text() == QLatin1String("Abortado");
    QApplication::processEvents();
    return cancelado || v->CmdDisplayCancelar->text() == QLatin1String("Abortado");
}

void Dll_Display::CartelCerrar() {
    if (!ventana_) return;
    ventana_->hide();
    delete ventana_;
    ventana_ = nullptr;
}

void Dll_Display::setSiempre_Visible(bool v) {
    Lbf_CtrlDisplay* w = crear();
    const QRect g = w->geometry();
    const bool visible = w->isVisible();
    w->setWindowFlag(Qt::WindowStaysOnTopHint, v);
    w->setGeometry(g);
    if (visible) w->show();
}
