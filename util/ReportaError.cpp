#include "util/ReportaError.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"
#include "util/ZtWorkstation.h"
#include <QDateTime>
#include <QFile>
#include <QProcessEnvironment>

namespace {
// Environment names match without regard to case, as on the workstations the
// suite comes from ("TEMP" and "temp" are one variable there).
QString entorno(const QString& nombre) {
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& k : env.keys())
        if (k.compare(nombre, Qt::CaseInsensitive) == 0 && !env.value(k).isEmpty()) return env.value(k);
    return {};
}
}

QString PalabraRespuesta(int r) {
    switch (r) {
    case vb::Retry: return QStringLiteral("Reintentar");
    case vb::Ignore: return QStringLiteral("Ignorar");
    case vb::Abort: return QStringLiteral("Abortar");
    case vb::Cancel: return QStringLiteral("Cancelar");
    case vb::Yes: return QStringLiteral("Sí");
    case vb::No: return QStringLiteral("No");
    default: return {};
    }
}

QString MensajeError(const VbError& e) {
    return QStringLiteral("Ha ocurrido el Siguiente Error (") + vbtext::Trim(QString::number(e.number())) + QStringLiteral(") ") +
           vbtext::Trim(e.description());
}

QString LineaLog(const QDateTime& m, const QString& rutina, const QString& mensaje, int respuesta) {
    const QString parte = rutina.isEmpty() ? QString() : vbtext::Trim(QStringLiteral(" - ") + rutina);
    return m.toString(QStringLiteral("MM-dd-yyyy")) + u' ' + m.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral(" Rutina: ") +
           parte + QStringLiteral(" Mensaje ") + vbtext::Trim(mensaje) + QStringLiteral(" Respondió : ") + PalabraRespuesta(respuesta);
}

bool EscribirLineaLog(const QString& archivo, const QString& rutina, const QString& mensaje, int respuesta) {
    QFile f(archivo);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
    const QByteArray linea = (LineaLog(QDateTime::currentDateTime(), rutina, mensaje, respuesta) + QStringLiteral("\r\n")).toUtf8();
    return f.write(linea) == linea.size();
}

QString CarpetaLogErrores() {
    QString carpeta = entorno(QStringLiteral("temp")).isEmpty() ? QString() : entorno(QStringLiteral("tmp"));
    carpeta = vbtext::Trim(carpeta);
    if (carpeta.isEmpty()) carpeta = Puesto().DefaultFolder();
    carpeta = Utilidades().AddBackslash(carpeta);
    if (!carpeta.endsWith(u'/') && !carpeta.endsWith(u'\\')) carpeta += u'/';
    return carpeta;
}

int ReportaError(const VbError& error, int buttons, const QString& rutina) {
    const QString archivo = CarpetaLogErrores() + QStringLiteral("VMERR.LOG");
    // The log is opened before anything is shown, so a report whose number is
    // 0 still leaves the (empty) file behind.
    QFile f(archivo);
    const bool abierto = f.open(QIODevice::WriteOnly | QIODevice::Append);
    const QString mensaje = MensajeError(error);
    QString titulo = error.source();
    if (!rutina.isEmpty()) titulo += QStringLiteral(" - ") + rutina;
    titulo += QStringLiteral(" Aviso al operador!!! - 2 ");
    if (error.number() == 0) return 0;
    const int respuesta = MsgBox(mensaje, buttons, titulo);
    if (abierto) f.write((LineaLog(QDateTime::currentDateTime(), rutina, mensaje, respuesta) + QStringLiteral("\r\n")).toUtf8());
    return respuesta;
}
