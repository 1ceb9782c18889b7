#include "app/UtilBox.h"
#include <QAction>
#include <QStyle>
#include <QToolButton>

namespace {
const char* kOpcionales[7] = {nullptr, "NUEVO", "MODIFICAR", nullptr, "IMPRIMIR", "ANTERIOR", "SIGUIENTE"};
}

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
    QAction* a = addAction(style()->standardIcon(icono), texto);
    a->setObjectName(comando);
    QStringList nombres;
    for (const QKeySequence& k : teclas) nombres << k.toString(QKeySequence::NativeText);
    a->setToolTip(nombres.isEmpty() ? texto : texto + QStringLiteral(" (") + nombres.join(QStringLiteral(", ")) + u')');
    // The keys reach the bar from the window (TeclaPresionada), so the actions
    // hold them only to show them.
    a->setData(QVariant::fromValue(teclas));
    connect(a, &QAction::triggered, this, [this, comando] { Q_EMIT ButtonClick(comando); });
    acciones_.insert(comando, a);
    return a;
}

bool UtilBox::TeclaPresionada(int key, Qt::KeyboardModifiers mods) {
    const QKeySequence pulsada(int(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier)) | key);
    for (QAction* a : std::as_const(acciones_)) {
        if (!a->isEnabled() || !a->isVisible()) continue;
        for (const QKeySequence& k : a->data().value<QList<QKeySequence>>())
            if (k == pulsada) {
                a->trigger();
                return true;
            }
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
