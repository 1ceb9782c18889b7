#include "accounting/Lbc_Asiento.h"
#include "data/Cfg.h"
#include "data/DB_Dll.h"
#include "util/ErrorTrap.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"
#include <cmath>

namespace {
QString entero(double v) { return ado::Variant(v).toText(); }
QString ceros(double v, int ancho) { return QString::number(vbtext::CLng64(v)).rightJustified(ancho, u'0'); }
}

Lbc_Asiento::Lbc_Asiento() {
    runTrapped(trap::skipAll, {[&] {
        const double p = vbtext::Val(Cfg(QStringLiteral("PERIODO")));
        Periodo = int16_t(std::clamp(p, -32768.0, 32767.0));
    }});
}

QString Lbc_Asiento::FormatDisplayNroAsiento(long numero, const QDate& fecha) {
    return ceros(fecha.month(), 2) + u'-' + ceros(double(numero), 7);
}

QString Lbc_Asiento::FormatNroAsiento(const QString& f) {
    const int p = f.indexOf(u'-');
    return entero(vbtext::Val(p < 0 ? f : f.mid(p + 1)));
}

QString Lbc_Asiento::FMTNroAsiento(const QString& t) {
    const QString s = vbtext::Trim(Utilidades().RemoveText(t, QStringLiteral("-")));
    if (s.size() < 3) return t;
    return vbtext::Trim(s.left(2)) + u'-' + ceros(vbtext::Val(vbtext::Trim(s.mid(2))), 7);
}

ado::Variant Lbc_Asiento::EliminaCarNroAsiento(const QString& texto, const QString& tipo, const QString& separador) {
    const QString sep = separador.isEmpty() ? QStringLiteral("-") : separador;
    if (texto.isEmpty()) return QString();
    QString r = texto;
    const int p = texto.indexOf(sep);
    if (p >= 0) r = entero(vbtext::Val(texto.left(p))) + entero(vbtext::Val(texto.mid(p + sep.size())));
    const QString t = vbtext::Trim(tipo);
    if (t == QLatin1String("3") || t == QLatin1String("2")) return ado::Variant(static_cast<long long>(vbtext::CLng64(vbtext::Val(r))));
    return r;
}

int32_t Lbc_Asiento::UltimoNumeroAsiento(const QString& mes, const QString& tipoReg, const QString& periodo) {
    const QString per = periodo.isEmpty() ? QString::number(Periodo) : entero(vbtext::Val(periodo));
    QString sql = QStringLiteral("SELECT MAX([NUMERO ASIENTO]) AS [NRO_ASIENTO] FROM @ADMIN_MV_ASIENTOS WHERE MES_OPERATIVO = ") +
                  entero(vbtext::Val(mes)) + QStringLiteral(" AND PERIODO = '") + entreComillas(per) + QStringLiteral("' AND ");
    if (!vbtext::Trim(tipoReg).isEmpty()) sql += QStringLiteral("TIPO_REG = '") + entreComillas(tipoReg) + QStringLiteral("' ");
    else sql += QStringLiteral("(TIPO_REG = '") + QChar(0xFF) + QStringLiteral("RS' OR TIPO_REG = '') ");
    int32_t resultado = 0;
    ado::Recordset rs;
    const TrapReport report = [](const VbError& e) { return Utilidades().ReportError(e, 18, QStringLiteral("UltimoNumeroAsiento")); };
    runTrapped(report, {
        [&] { DB().AbrirRecordset(sql, rs); },
        [&] {
            const ado::Variant v = (rs.State() == ado::ad::StateOpen && !rs.Eof()) ? rs.Fields(0).Value() : ado::Variant();
            resultado = (v.isNull() || v.isEmpty()) ? 1 : int32_t(v.toLongLong() + 1);
        },
        [&] { DB().CierraRecordset(rs); },
    });
    return resultado;
}

int16_t Lbc_Asiento::CalculoDV(const QString& cuenta) {
    static const int pesos[5] = {9, 7, 5, 3, 1};
    long suma = 0;
    for (int i = 0; i < cuenta.size(); ++i)
        if (cuenta[i].isDigit() && cuenta[i].unicode() < 128) suma += pesos[i % 5] * cuenta[i].digitValue();
    while (suma >= 100) suma /= 10;
    return int16_t(suma);
}
