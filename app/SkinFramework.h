#pragma once
#include <QObject>
#include <QString>

class QWidget;

// The skin control: a skin is a Qt style sheet file under Styles/. A missing
// or unreadable one leaves the default look.
class SkinFramework : public QObject {
    Q_OBJECT
public:
    explicit SkinFramework(QObject* parent = nullptr);
    // Loads the skin at `ruta` (a file, or a folder holding `ajustes`).
    bool LoadSkin(const QString& ruta, const QString& ajustes);
    void ApplyWindow(QWidget* ventana);
    int ApplyOptions = 0;
    QString hojaCargada() const { return hoja_; }

private:
    QString hoja_;
};
