#pragma once
#include <QHash>
#include <QKeySequence>
#include <QStyle>
#include <QToolBar>
#include <utility>
#include <vector>

class QAction;

// The suite's command bar: buttons reported by command name, shortcut keys
// forwarded by the window, and six availability properties. Property 3 makes
// the lookup ("CONSULTAR") available; the others govern the buttons this
// window does not use (1 NUEVO, 2 MODIFICAR, 4 IMPRIMIR, 5 ANTERIOR,
// 6 SIGUIENTE), which are shown only while available.
class UtilBox : public QToolBar {
    Q_OBJECT
public:
    explicit UtilBox(QWidget* parent = nullptr);

    // A key pressed anywhere in the window; true when it was a shortcut.
    bool TeclaPresionada(int key, Qt::KeyboardModifiers mods);
    void setDisponible(int propiedad, bool valor);
    bool disponible(int propiedad) const;
    // Toolbar style number: 0 raised buttons, 1 flat, 2 flat with text beside the icon.
    void setStyleBar(double estilo);
    QAction* accion(const QString& comando) const { return acciones_.value(comando); }

Q_SIGNALS:
    void ButtonClick(const QString& comando);

private:
    QAction* agregar(const QString& comando, const QString& texto, QStyle::StandardPixmap icono,
                     const QList<QKeySequence>& teclas);
    QHash<QString, QAction*> acciones_;
    // Every key of every button, in the bar's order: looked up on each key
    // the window receives, typing included.
    std::vector<std::pair<QKeySequence, QAction*>> teclas_;
    bool props_[7] = {false, true, true, true, true, true, true};
};
