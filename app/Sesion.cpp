#include "app/Sesion.h"
#include <QCoreApplication>
#include <QStringList>
#include <optional>

SesionProceso Session;

namespace { std::optional<QString> gLinea; }

void reiniciarSesion() { Session = SesionProceso(); }

QString lineaDeComandos() {
    if (gLinea) return *gLinea;
    if (!QCoreApplication::instance()) return {};
    return QCoreApplication::arguments().mid(1).join(u' ');
}

void setLineaDeComandos(const QString& texto) { gLinea = texto; }
