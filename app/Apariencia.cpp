#include "app/Apariencia.h"
#include "app/Sesion.h"
#include "app/SkinFramework.h"
#include "app/UtilBox.h"
#include "data/DB_Dll.h"
#include "util/ErrorTrap.h"
#include "util/VbText.h"
#include "util/ZtIni.h"
#include "util/ZtUtil.h"
#include "util/ZtWorkstation.h"
#include <QApplication>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>

namespace {
QLabel* panel(QStatusBar* barra, const char* clave) { return barra->findChild<QLabel*>(QString::fromLatin1(clave)); }

int pixeles(int twips) {
    // 15 twips are one pixel at 96 dpi.
    const double dpi = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->logicalDotsPerInch() : 96.0;
    return int(twips / 15.0 * dpi / 96.0 + 0.5);
}
}

QIcon iconoPrograma() {
    QIcon desdeArchivo(QStringLiteral(":/valmore.png"));
    if (!desdeArchivo.isNull() && !desdeArchivo.availableSizes().isEmpty()) return desdeArchivo;
    // A ledger page with a bracket grouping three lines.
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0xF4, 0xF1, 0xE6));
    p.setPen(QPen(QColor(0x2B, 0x4C, 0x7E), 3));
    p.drawRoundedRect(8, 4, 48, 56, 5, 5);
    for (int y : {20, 32, 44}) p.drawLine(26, y, 48, y);
    p.setPen(QPen(QColor(0xC0, 0x39, 0x2B), 4));
    p.drawLine(16, 18, 16, 46);
    p.drawLine(16, 18, 21, 18);
    p.drawLine(16, 46, 21, 46);
    return QIcon(pm);
}

void EstiloVentana(QWidget* v) {
    runTrapped(trap::skipAll, {
        [&] { v->setWindowIcon(iconoPrograma()); },
        [&] {
            if (v->windowIcon().isNull()) v->setWindowIcon(QIcon(QStringLiteral("valmore.ico")));
        },
        [&] {
            if (vbtext::Equals(QString::fromLatin1(v->metaObject()->className()), QStringLiteral("FRMMDI"))) return;
            for (const char* nombre : {"UtilBox1", "TBarRep1", "Util0011"})
                if (auto* b = v->findChild<UtilBox*>(QString::fromLatin1(nombre))) b->setStyleBar(Session.FlatToolbars.toDouble());
        },
        [&] { QApplication::processEvents(); },
    });
}

std::pair<QString, QString> ArchivoSkin(int skin) {
    switch (skin) {
    case 1: return {QStringLiteral("Styles/Vista.cjstyles"), QString()};
    case 2: return {QStringLiteral("Styles/WinXP.Luna.cjstyles"), QString()};
    case 3: return {QStringLiteral("Styles/WinXP.Royale.cjstyles"), QString()};
    case 4: return {QStringLiteral("Styles/iTunes"), QStringLiteral("Normalitunes.ini")};
    default: return {QStringLiteral("Styles/Office2007.cjstyles"), QString()};
    }
}

void AplicaSkin(QWidget* v) {
    runTrapped(trap::skipAll, {
        [&] {
            const QString seccion = Puesto().WorkstationUser().toUpper() + u'_' + DB().gDBName.toUpper() + QStringLiteral("Styles");
            Session.Skin = int16_t(vbtext::CInt(vbtext::Val(Ini().ReadIniValue(QStringLiteral("cn000pr.ini"), seccion,
                                                                              QStringLiteral("Styles"), QStringLiteral("4")))));
        },
        [&] {
            auto* skin = v->findChild<SkinFramework*>(QStringLiteral("SkinFramework1"));
            if (!skin) return;
            const auto [ruta, ajustes] = ArchivoSkin(Session.Skin);
            skin->LoadSkin(Utilidades().AddBackslash(Session.CarpetaPrograma) + ruta, ajustes);
            skin->ApplyWindow(v);
            skin->ApplyOptions = skin->ApplyOptions | 1;
        },
    });
}

void CrearPanelesEstado(QStatusBar* barra) {
    struct P { const char* clave; int twips; const char* texto; };
    const P paneles[] = {{"VERSION", 1000, "..."}, {"SERVER", 1440, ""}, {"BASEDEDATOS", 1440, ""}, {"USUARIO", 1440, ""},
                         {"CAJA", 1200, ""}, {"FECHA", 1000, ""}, {"MENSAJE", 4000, ""}};
    for (const P& p : paneles) {
        auto* l = new QLabel(QString::fromUtf8(p.texto), barra);
        l->setObjectName(QString::fromLatin1(p.clave));
        l->setMinimumWidth(pixeles(p.twips));
        l->setFrameShape(QFrame::StyledPanel);
        l->setFrameShadow(QFrame::Sunken);
        if (QByteArray(p.clave) == "FECHA") {
            l->setText(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
            // Room for the date whatever the skin's padding.
            l->setMinimumWidth(std::max(l->minimumWidth(), l->fontMetrics().horizontalAdvance(l->text()) + 24));
        }
        barra->addPermanentWidget(l, QByteArray(p.clave) == "MENSAJE" ? 1 : 0);
    }
}

void ArmaBarraEstado(QStatusBar* barra, const QString& mensaje) {
    DB_Dll& db = DB();
    bool yaLleno = false;
    QString descripcion;
    runTrapped(trap::skipAll, {
        [&] { panel(barra, "MENSAJE")->setText(mensaje); },
        [&] { yaLleno = !panel(barra, "SERVER")->text().isEmpty(); },
    });
    if (yaLleno) return;
    runTrapped(trap::skipAll, {
        [&] { panel(barra, "SERVER")->setText(QStringLiteral("Srv: ") + db.gServidor); },
        [&] { panel(barra, "USUARIO")->setText(QStringLiteral("Uid: ") + db.gUsuario); },
        [&] { panel(barra, "BASEDEDATOS")->setText(QStringLiteral("Db: ") + db.gDBName); },
        [&] { panel(barra, "BASEDEDATOS")->setToolTip(QStringLiteral("Db: ") + db.gDBName); },
        [&] {
            if (Session.Caja.isEmpty()) Session.Caja = QStringLiteral("1");
        },
        [&] {
            descripcion = db.DatosTabla(QStringLiteral("@Admin_V_TA_Cajas"), Session.Caja, QStringLiteral("Descripcion"),
                                        QStringLiteral("IdCajas"), QStringLiteral("8"), QString(), true, true).toText();
        },
        [&] {
            if (!vbtext::Trim(descripcion).isEmpty()) return;
            // An unknown till registers itself.
            db.EjecutaConsultaSQL(QStringLiteral("INSERT INTO @Admin_V_TA_Cajas (IDCAJAS,DESCRIPCION) VALUES('") +
                                  entreComillas(Utilidades().FormatCode(vbtext::Trim(Session.Caja), 4)) + QStringLiteral("','CAJA ") +
                                  entreComillas(Session.Caja) + QStringLiteral("')"));
        },
        [&] {
            panel(barra, "CAJA")->setText(Session.Caja + u' ' +
                                          db.DatosTabla(QStringLiteral("V_TA_Cajas"), Session.Caja, QStringLiteral("Descripcion"),
                                                        QStringLiteral("IdCajas"), QStringLiteral("8"), QString(), true, true).toText());
        },
        [&] {
            panel(barra, "VERSION")->setText(QStringLiteral("V.%1.%2.%3").arg(AGR_VERSION_MAJOR).arg(AGR_VERSION_MINOR).arg(AGR_VERSION_PATCH));
        },
        [&] {
            for (const char* k : {"SERVER", "USUARIO", "CAJA"}) panel(barra, k)->setToolTip(panel(barra, k)->text());
        },
    });
}
