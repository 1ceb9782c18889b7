#include "accounting/Lbc_Asiento.h"
#include "data/Cfg.h"
#include "data/DB_Dll.h"
#include "platform/Prompt.h"
#include "util/ErrorTrap.h"
#include "util/Formatos.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"
#include <cmath>

namespace {
QString q(const QString& s) { return entreComillas(s); }
QString codigo(const QString& tc) { return entreComillas(Utilidades().FormatCode(tc, 4)); }
int reporte(const VbError& e, const char* rutina) { return Utilidades().ReportError(e, 18, QString::fromLatin1(rutina)); }
QString ceros(const ado::Variant& v, int ancho) { return QString::number(vbtext::CLng64(vbtext::Val(v.toText()))).rightJustified(ancho, u'0'); }

bool hayFila(QString sql, ado::Recordset& rs) {
    DB().AbrirRecordset(sql, rs);
    return rs.State() == ado::ad::StateOpen && !rs.Eof();
}
} // namespace

QString Lbc_Asiento::DeterminaLetra(const QString& condicionCliente) {
    const QString empresa = Cfg(QStringLiteral("CONDIVA"));
    if (vbtext::Val(empresa) == 1) return vbtext::Val(condicionCliente) > 2 ? QStringLiteral("B") : QStringLiteral("A");
    return vbtext::Trim(empresa).isEmpty() ? QStringLiteral("Z") : QStringLiteral("C");
}

bool Lbc_Asiento::ComprobanteEntrada(const QString& tc) {
    const QString t = vbtext::Trim(tc).toUpper();
    for (const char* e : {"FCC", "NDC", "NCC", "FPC", "NCCP"})
        if (t == QLatin1String(e)) return true;
    for (const char* p : {"FC", "ND", "NC", "FP", "NCFP", "CBFP", "PGFP"})
        if (t == QLatin1String(p)) return false;
    bool r = false;
    ado::Recordset rs;
    runTrapped([&](const VbError& e) {
        const int a = reporte(e, "ComprobanteEntrada");
        if (a != vb::Retry && a != vb::Ignore) r = false;
        return a;
    }, {[&] {
        if (!hayFila(QStringLiteral("SELECT * FROM TA_COMPROBANTES WHERE CODIGO = '") + codigo(tc) + u'\'', rs)) return;
        const QString letras = vbtext::Trim(rs[QStringLiteral("Letras")].toText());
        // Incoming when the type keeps no numbering of its own; the last letter decides.
        for (QChar l : letras)
            r = rs[QString(l) + QStringLiteral("_ULTIMO_NRO")].toDouble() <= 0 && rs[QString(l) + QStringLiteral("_NRO_DESDE")].toDouble() <= 0 &&
                rs[QString(l) + QStringLiteral("_NRO_HASTA")].toDouble() <= 0;
    }});
    DB().CierraRecordset(rs);
    return r;
}

void Lbc_Asiento::DatosComprobante(const QString& tc, QString& puntoVenta, QString& numero, QString& letra, const QString& unidadNegocio) {
    const QString l = vbtext::Trim(letra).toUpper();
    if (l.isEmpty() || l.size() != 1 || !QStringLiteral("ABCXEMR").contains(l)) return;
    ado::Recordset rs;
    runTrapped([](const VbError& e) { return reporte(e, "DatosComprobante"); }, {[&] {
        QString sql = QStringLiteral("SELECT * FROM V_TA_CPTE WHERE CODIGO = '") + codigo(tc) + u'\'';
        if (!vbtext::Trim(unidadNegocio).isEmpty())
            sql += QStringLiteral(" AND UNEGOCIO = '") + q(Utilidades().FormatCode(unidadNegocio, 4)) + u'\'';
        if (!hayFila(sql + QStringLiteral(" ORDER BY TALONARIO ASC"), rs)) {
            puntoVenta.clear();
            numero.clear();
            letra.clear();
            TalonarioActual = 0;
            return;
        }
        puntoVenta = ceros(rs[l + QStringLiteral("_SUC_DEFAULT")], 4);
        numero = ceros(rs[l + QStringLiteral("_ULTIMO_NRO")], 8);
        letra = vbtext::Trim(letra);
        TalonarioActual = int16_t(rs[QStringLiteral("TALONARIO")].toLongLong());
    }});
    DB().CierraRecordset(rs);
}

bool Lbc_Asiento::ValidaComprobante(const QString& tc, const QString& puntoVenta, QString& numero, const QString& letra, QString& mensaje,
                                    QString& mes, QString& nroAsiento, const QString& fecha, QString& cuenta, QString& periodo) {
    try {
        const QString conCuenta = vbtext::Trim(cuenta).isEmpty() ? QString() : QStringLiteral(" AND CUENTA = '") + q(cuenta) + u'\'';
        const QString subdiario = DB().DatosTabla(QStringLiteral("MA_SUBDIARIOSCOMPROBANTES"), tc, QStringLiteral("SUBDIARIO"),
                                                  QStringLiteral("TC")).toText();
        const QString c = q(vbtext::Trim(tc)), p = q(puntoVenta), n = q(numero), l = q(vbtext::Trim(letra));
        const QString comprobante = QStringLiteral("TC = '") + c + QStringLiteral("' AND SUCURSAL = '") + p + QStringLiteral("' AND NUMERO = '") + n +
                                    QStringLiteral("' AND LETRA = '") + l + u'\'';
        QStringList intentos;
        if (!vbtext::Trim(fecha).isEmpty())
            intentos << QStringLiteral("TIPO_REG = '") + q(subdiario) + QStringLiteral("' AND  ") + comprobante + QStringLiteral(" and Fecha = ") +
                            Utilidades().DateToSql(fecha) + conCuenta;
        intentos << QStringLiteral("TIPO_REG = '") + q(subdiario) + QStringLiteral("' AND ") + comprobante + conCuenta;
        intentos << comprobante + conCuenta;
        ado::Recordset rs;
        bool hallado = false;
        for (const QString& w : intentos)
            if ((hallado = hayFila(QStringLiteral("SELECT TOP 1 *  FROM MV_ASIENTOS WHERE ") + w, rs))) break;
        if (!hallado) return true;
        const QString modifica = DB().DatosTabla(QStringLiteral("TA_COMPROBANTES"), Utilidades().FormatCode(tc, 4), QStringLiteral("ModificaNumeracion"),
                                                 QStringLiteral("Codigo")).toText().toUpper();
        if (modifica != QLatin1String("FALSO") && modifica != QLatin1String("FALSE") && modifica != QLatin1String("0")) {
            mes = rs[QStringLiteral("Mes_Operativo")].toText();
            nroAsiento = rs[QStringLiteral("NUMERO ASIENTO")].toText();
            periodo = rs[QStringLiteral("PERIODO")].toText();
            mensaje = QStringLiteral("Comprobante registrado en el Asiento ") + mes + u'-' + nroAsiento;
            const QString tipo = vbtext::Trim(rs[QStringLiteral("Tipo_Reg")].toText());
            if (!tipo.isEmpty()) mensaje += QStringLiteral("\r\n Para el subdiario: ") + tipo;
            return false;
        }
        const QString original = numero;
        const QString nuevo = QString::number(vbtext::CLng64(vbtext::Val(numero)) + 1);
        if (MsgBox(QStringLiteral("El Comprobante Duplicado, el nuevo numero es: ") + FormatoNroComprobante(puntoVenta, nuevo, letra),
                   vb::YesNo | vb::Exclamation, QStringLiteral("Atencion")) == vb::Yes) {
            numero = nuevo;
            return ValidaComprobante(tc, puntoVenta, numero, letra, mensaje, mes, nroAsiento, fecha, cuenta, periodo);
        }
        numero = original;
        mensaje = QStringLiteral("Comprobante duplicado");
        return false;
    } catch (const VbError& e) {
        MsgBox(e.description());
        return false;
    }
}

bool Lbc_Asiento::ValidaTCRegistraciones(const QString& tc) {
    ado::Recordset rs;
    bool r = false;
    runTrapped([](const VbError& e) { return reporte(e, "ValidaTCRegistraciones"); }, {[&] {
        r = hayFila(QStringLiteral("SELECT TC FROM MA_SUBDIARIOSCOMPROBANTES WHERE TC='") + q(vbtext::Trim(tc)) + u'\'', rs);
    }});
    return r;
}

bool Lbc_Asiento::ValidaSubdiarioTC(const QString& subdiario, const QString& tc) {
    ado::Recordset rs;
    bool r = false;
    runTrapped([](const VbError& e) { return reporte(e, "ValidaSubdiarioTC"); }, {[&] {
        if (!hayFila(QStringLiteral("SELECT * FROM MA_SUBDIARIOSCOMPROBANTES WHERE RTRIM(LTRIM(SUBDIARIO)) = '") + q(vbtext::Trim(subdiario)) + u'\'', rs))
            return;
        for (; !rs.Eof() && !r; rs.MoveNext()) r = vbtext::Equals(vbtext::Trim(rs[QStringLiteral("TC")].toText()), vbtext::Trim(tc));
    }});
    return r;
}

bool Lbc_Asiento::ValidaFechaSubdiario(const QString& fecha, const QString& subdiario) {
    ado::Recordset rs;
    const QDate d = ado::Variant(Utilidades().DateToSql(fecha).mid(4, 10)).toDateTime().date();
    if (!hayFila(QStringLiteral("SELECT * FROM MV_CONTROL_AS_RES WHERE RTRIM(LTRIM(SUBDIARIO)) = '") + q(vbtext::Trim(subdiario)) +
                     QStringLiteral("' AND PERIODO = ") + QString::number(Periodo), rs))
        return true;
    for (; !rs.Eof(); rs.MoveNext()) {
        const QDate desde = rs[QStringLiteral("Fecha_Desde")].toDateTime().date(), hasta = rs[QStringLiteral("Fecha_Hasta")].toDateTime().date();
        if (!rs[QStringLiteral("Anulado")].toBool() && d >= desde && d <= hasta) return false;
    }
    return true;
}

bool Lbc_Asiento::AsientoResumenAnulado(const QString& subdiario, const QString& numero) {
    const int guion = numero.indexOf(u'-');
    const QString mes = guion < 0 ? numero : numero.left(guion), id = guion < 0 ? QString() : numero.mid(guion + 1);
    ado::Recordset rs;
    bool r = false;
    runTrapped([](const VbError& e) { return reporte(e, "AsientoResumenAnulado"); }, {[&] {
        if (!hayFila(QStringLiteral("SELECT * FROM MV_CONTROL_AS_RES WHERE SUBDIARIO='") + q(vbtext::Trim(subdiario)) + QStringLiteral("' AND ID=") +
                         QString::number(vbtext::Val(id), 'g', 15) + QStringLiteral(" AND MONTH(FECHA_DESDE) = ") + QString::number(vbtext::Val(mes), 'g', 15) +
                         QStringLiteral(" AND PERIODO = ") + QString::number(Periodo),
                     rs))
            return;
        if (rs[QStringLiteral("Anulado")].toBool()) {
            MsgBox(QStringLiteral("Este Asiento Resumen ya fue Contrasentado!!!"), vb::Critical);
            r = true;
        }
    }});
    return r;
}
