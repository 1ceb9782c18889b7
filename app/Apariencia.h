#pragma once
#include <QIcon>
#include <QString>
#include <utility>

class QStatusBar;
class QWidget;

// The common look of the suite's main windows: icon and toolbar style, the
// skin chosen for this user and database, and the status bar.
void EstiloVentana(QWidget* ventana);
void AplicaSkin(QWidget* ventana);
void ArmaBarraEstado(QStatusBar* barra, const QString& mensaje);
// The seven panels of a main window's status bar, keyed as ArmaBarraEstado addresses them.
void CrearPanelesEstado(QStatusBar* barra);
// The skin path (under the program folder) and settings file of a skin number.
std::pair<QString, QString> ArchivoSkin(int skin);
QIcon iconoPrograma();
