#include "app/UtilBox.h"
#include <QAction>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QToolButton>

namespace {
const char* kOpcionales[7] = {nullptr, "NUEVO", "MODIFICAR", nullptr, "IMPRIMIR", "ANTERIOR", "SIGUIENTE"};

// The bar's icons, drawn here: the style's standard icons go through the
// desktop's icon theme, and looking them up was a tenth of the start-up.
QIcon iconoComando(QStyle::StandardPixmap cual) {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor tinta(40, 60, 110), papel(250, 250, 245), acento(200, 60, 40);
    p.setPen(QPen(tinta, 2));
    auto hoja = [&] {
        QPainterPath h;
        h.moveTo(7, 3);
        h.lineTo(20, 3);
        h.lineTo(26, 9);
        h.lineTo(26, 29);
        h.lineTo(7, 29);
        h.closeSubpath();
        p.fillPath(h, papel);
        p.drawPath(h);
    };
    switch (cual) {
    case QStyle::SP_FileIcon: hoja(); break;
    case QStyle::SP_FileDialogDetailedView:
        hoja();
        for (int y : {12, 17, 22}) p.drawLine(11, y, 22, y);
        break;
    case QStyle::SP_FileDialogContentsView:   // a magnifying glass
        p.setPen(QPen(tinta, 3));
        p.drawEllipse(QPointF(13, 13), 8, 8);
        p.drawLine(19, 19, 28, 28);
        break;
    case QStyle::SP_DialogSaveButton:   // a diskette
        p.fillRect(QRect(4, 4, 24, 24), tinta);
        p.fillRect(QRect(9, 5, 14, 8), papel);
        p.fillRect(QRect(8, 18, 16, 9), papel);
        break;
    case QStyle::SP_TrashIcon:
        p.drawRect(QRectF(9, 9, 14, 19));
        p.drawLine(6, 8, 26, 8);
        p.drawLine(13, 5, 19, 5);
        for (int x : {13, 16, 19}) p.drawLine(x, 12, x, 25);
        break;
    case QStyle::SP_FileDialogListView:   // a printer
        p.fillRect(QRect(4, 12, 24, 11), tinta);
        p.fillRect(QRect(9, 4, 14, 9), papel);
        p.drawRect(QRect(9, 4, 14, 9));
        p.fillRect(QRect(9, 19, 14, 9), papel);
        p.drawRect(QRect(9, 19, 14, 9));
        break;
    case QStyle::SP_ArrowBack:
    case QStyle::SP_ArrowForward: {
        const bool atras = cual == QStyle::SP_ArrowBack;
        QPolygonF f;
        f << QPointF(atras ? 24 : 8, 6) << QPointF(atras ? 8 : 24, 16) << QPointF(atras ? 24 : 8, 26);
        p.setBrush(tinta);
        p.drawPolygon(f);
        break;
    }
    default:   // close
        p.setPen(QPen(acento, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(8, 8, 24, 24);
        p.drawLine(24, 8, 8, 24);
        break;
    }
    p.end();
    return QIcon(pm);
}
} // namespace

UtilBox::UtilBox(QWidget* parent) : QToolBar(parent) {
    setObjectName(QStringLiteral("UtilBox1"));
    setMovable(false);
    setFloatable(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
    agregar(QStringLiteral("NUEVO"), QStringLiteral("Nuevo"), QStyle::SP_FileIcon, {});
    agregar(QStringLiteral("MODIFICAR"), QStringLiteral("Modificar"), QStyle::SP_FileDialogDetailedView, {});
    agregar(QStringLiteral("CONSULTAR"), QStringLiteral("Consultar"), QStyle::SP_FileDialogContentsView, {QKeySequence(Qt::Key_F3)});
    agregar(QStringLiteral("GRABAR"), QStringLiteral("Grabar"), QStyle::SP_DialogSaveButton,
            {QKeySequence(Qt::Key_F10), QKeySequence(Qt::CTRL | Qt::Key_G)});
    agregar(QStringLiteral("BORRAR"), QStringLiteral("Borrar"), QStyle::SP_TrashIcon, {QKeySequence(Qt::Key_F8)});
    agregar(QStringLiteral("IMPRIMIR"), QStringLiteral("Imprimir"), QStyle::SP_FileDialogListView, {});
    agregar(QStringLiteral("ANTERIOR"), QStringLiteral("Anterior"), QStyle::SP_ArrowBack, {});
    agregar(QStringLiteral("SIGUIENTE"), QStringLiteral("Siguiente"), QStyle::SP_ArrowForward, {});
    addSeparator();
    agregar(QStringLiteral("CERRAR"), QStringLiteral("Cerrar"), QStyle::SP_DialogCloseButton, {QKeySequence(Qt::CTRL | Qt::Key_Q)});
    setStyleBar(1);
}

QAction* UtilBox::agregar(const QString& comando, const QString& texto, QStyle::StandardPixmap icono,
                          const QList<QKeySequence>& teclas) {
    QAction* a = addAction(iconoComando(icono), texto);
    a->setObjectName(comando);
    QStringList nombres;
    for (const QKeySequence& k : teclas) nombres << k.toString(QKeySequence::NativeText);
    a->setToolTip(nombres.isEmpty() ? texto : texto + QStringLiteral(" (") + nombres.join(QStringLiteral(", ")) + u')');
    // The keys reach the bar from the window (TeclaPresionada), so the actions
    // hold them only to show them.
    a->setData(QVariant::fromValue(teclas));
    for (const QKeySequence& k : teclas) teclas_.emplace_back(k, a);
    connect(a, &QAction::triggered, this, [this, comando] { Q_EMIT ButtonClick(comando); });
    acciones_.insert(comando, a);
    return a;
}

bool UtilBox::TeclaPresionada(int key, Qt::KeyboardModifiers mods) {
    const QKeySequence pulsada(int(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier)) | key);
    for (const auto& [k, a] : teclas_) {
        if (k != pulsada || !a->isEnabled() || !a->isVisible()) continue;
        a->trigger();
        return true;
    }
    return false;
}

void UtilBox::setDisponible(int p, bool v) {
    if (p < 1 || p > 6) return;
    props_[p] = v;
    if (p == 3) acciones_.value(QStringLiteral("CONSULTAR"))->setEnabled(v);
    else acciones_.value(QString::fromLatin1(kOpcionales[p]))->setVisible(v);
}

bool UtilBox::disponible(int p) const { return p >= 1 && p <= 6 && props_[p]; }

void UtilBox::setStyleBar(double estilo) {
    const int e = int(estilo);
    setToolButtonStyle(e >= 2 ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonTextUnderIcon);
    for (QAction* a : std::as_const(acciones_))
        if (auto* b = qobject_cast<QToolButton*>(widgetForAction(a))) b->setAutoRaise(e != 0);
}
