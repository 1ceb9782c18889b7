#include "lookup/AnchosColumnas.h"
#include "platform/ProgramFolder.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// The key and widths fields of a line written as "table","w1|w2|".
std::pair<QString, QString> campos(const QString& linea) {
    const QStringList c = vbtext::CamposConComillas(linea);
    return {vbtext::Trim(c.value(0)), c.value(1)};
}

// The file's lines as the suite's programs read them: CR LF, a lone CR and a
// lone LF all end a line, so that reading and rewriting agree on every line.
std::optional<QStringList> lineas(const QString& archivo) {
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    QString t = QString::fromUtf8(f.readAll());
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t.split(u'\n');
}
}

QString ArchivoAnchos() { return Utilidades().AddBackslash(programFolder()) + QStringLiteral("CONSULTASLEN.VLM"); }

std::optional<std::vector<double>> LeerAnchos(const QString& archivo, const QString& tablaIn) {
    const auto todas = lineas(archivo);
    if (!todas) return std::nullopt;
    const QString tabla = vbtext::Equals(tablaIn, QStringLiteral("Stk_ma_articulos")) ? QStringLiteral("VT_MA_ARTICULOS") : tablaIn;
    std::optional<std::vector<double>> out;
    for (const QString& linea : *todas) {
        const auto [clave, anchos] = campos(linea.trimmed());
        if (!vbtext::Equals(clave, vbtext::Trim(tabla))) continue;
        std::vector<double> v;
        for (const QString& a : anchos.split(u'|', Qt::SkipEmptyParts)) {
            try {
                v.push_back(Utilidades().TextToCurrency(a));
            } catch (const VbError&) {
                v.push_back(0);
            }
        }
        out = v;
    }
    return out;
}

bool GuardarAnchos(const QString& archivo, const QString& tabla, const std::vector<double>& anchos) {
    const QString aux = QFileInfo(archivo).absolutePath() + QStringLiteral("/CONSULTASLEN.AUX");
    QFile nuevo(aux);
    if (!nuevo.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    for (const QString& l : lineas(archivo).value_or(QStringList())) {
        const QString linea = l.trimmed();
        if (linea.isEmpty()) continue;
        const auto [clave, resto] = campos(linea);
        if (vbtext::Equals(clave, vbtext::Trim(tabla))) continue;
        nuevo.write((u'"' + clave + QStringLiteral("\",\"") + resto + QStringLiteral("\"\r\n")).toUtf8());
    }
    QString campo2;
    for (double a : anchos) campo2 += QString::number(a, 'g', 9) + u'|';
    nuevo.write((u'"' + vbtext::Trim(tabla) + QStringLiteral("\",\"") + campo2 + QStringLiteral("\"\r\n")).toUtf8());
    if (!nuevo.flush()) return false;
    nuevo.close();
    QFile::remove(archivo);
    return QFile::rename(aux, archivo);
}

bool ExisteArchivo(const QString& ruta) {
    QString r = ruta;
    r.remove(u'"');
    QFile f(r);
    return QFileInfo(r).isFile() && f.open(QIODevice::ReadOnly);
}
