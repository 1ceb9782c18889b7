#include "app/SkinFramework.h"
#include <QFile>
#include <QFileInfo>
#include <QWidget>

SkinFramework::SkinFramework(QObject* parent) : QObject(parent) { setObjectName(QStringLiteral("SkinFramework1")); }

bool SkinFramework::LoadSkin(const QString& ruta, const QString& ajustes) {
    hoja_.clear();
    QString archivo = ruta;
    if (QFileInfo(ruta).isDir()) archivo = ruta + u'/' + ajustes;
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly)) return false;
    hoja_ = QString::fromUtf8(f.read(1024 * 1024));
    return true;
}

void SkinFramework::ApplyWindow(QWidget* ventana) {
    if (ventana && !hoja_.isEmpty()) ventana->setStyleSheet(hoja_);
}
