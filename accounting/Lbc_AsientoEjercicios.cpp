#include "accounting/Lbc_Asiento.h"
#include "data/Cfg.h"
#include "data/DB_Dll.h"
#include "platform/Prompt.h"
#include "util/ErrorTrap.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"

namespace {
const QString kSinEjercicios = QStringLiteral("No se han creado Ejercicios!!!") + u'\r' +
                               QStringLiteral("Para crear un Ejercicio debe hacerlo desde la configuración del sistema");

QDate fecha(const ado::Variant& v) {
    QDateTime d = v.toDateTime();
    if (!d.isValid()) {
        const QString t = vbtext::Trim(v.toText());
        for (const char* f : {"d/M/yyyy", "d/M/yy", "yyyy-MM-dd"}) {
            const QDate x = QDate::fromString(t, QString::fromLatin1(f));
            if (x.isValid()) return QString::fromLatin1(f).endsWith(QLatin1String("/yy")) && x.year() < 1930 ? x.addYears(100) : x;
        }
        return {};
    }
    return d.date();
}

struct Ejercicio {
    QString periodo;
    QDate desde, hasta;
    bool cerrado, cancelado, cierre;
};

std::vector<Ejercicio> ejercicios(const QString& where = {}) {
    ado::Recordset rs;
    QString sql = QStringLiteral("SELECT * FROM MV_EJERCICIOS") + where + QStringLiteral(" ORDER BY PERIODO");
    DB().AbrirRecordset(sql, rs);
    std::vector<Ejercicio> out;
    if (rs.State() != ado::ad::StateOpen) return out;
    for (; !rs.Eof(); rs.MoveNext())
        out.push_back({rs[QStringLiteral("Periodo")].toText(), fecha(rs[QStringLiteral("Fecha Desde")]), fecha(rs[QStringLiteral("fecha hasta")]),
                       rs[QStringLiteral("Cerrado")].toBool(), rs[QStringLiteral("Cancelacion")].toBool(), rs[QStringLiteral("Cierre")].toBool()});
    return out;
}
} // namespace

bool Lbc_Asiento::ValidaEstadoPeriodoActual(QString& mensaje, bool* cerrado, bool* cancelado, bool* sinEjercicios, const QString& periodo) {
    bool resultado = false;
    const TrapReport report = [](const VbError& e) { return Utilidades().ReportError(e, 18, QStringLiteral("ValidaEstadoPeriodoActual")); };
    runTrapped(report, {[&] {
        if (!periodo.isEmpty()) Periodo = int16_t(vbtext::Val(periodo));
        const auto e = ejercicios();
        if (e.empty()) {
            mensaje = kSinEjercicios;
            if (sinEjercicios) *sinEjercicios = true;
            resultado = false;
            return;
        }
        size_t i = 0;
        while (i < e.size() && vbtext::Val(e[i].periodo) != Periodo) ++i;
        if (i == e.size()) {
            resultado = true;
            return;
        }
        if (cerrado) *cerrado = e[i].cerrado;
        if (cancelado) *cancelado = e[i].cancelado;
        if (e[i].cerrado && e[i].cancelado) mensaje = QStringLiteral("El Periodo tiene realizado el Cierre y la Cancelacion de saldos de cuentas de resultados");
        else if (e[i].cerrado) mensaje = QStringLiteral("El Periodo tiene realizado el Cierre de libros contables ");
        else if (e[i].cancelado) mensaje = QStringLiteral("El Periodo tiene realizada la Cancelacion de saldos de cuentas de resultados");
        if (e[i].cerrado || e[i].cancelado) {
            resultado = false;
            return;
        }
        if (i == 0 || e[i - 1].cerrado) {
            resultado = true;
            return;
        }
        mensaje = QStringLiteral("El Periodo anterior (") + e[i - 1].periodo + QStringLiteral(") no tiene realizado el cierre");
        resultado = false;
    }});
    return resultado;
}

bool Lbc_Asiento::ValidaRangoFechaEjercicio(const QString& desde, const QString& hasta, const QString& periodo) {
    const QDate d = fecha(desde), h = fecha(hasta);
    for (const Ejercicio& e : ejercicios()) {
        const bool otro = periodo.isEmpty() || vbtext::Val(e.periodo) != vbtext::Val(periodo);
        if (otro && d.isValid() && d >= e.desde && d <= e.hasta) return false;
        if (otro && h.isValid() && h >= e.desde && h <= e.hasta) return false;
    }
    return true;
}

bool Lbc_Asiento::EjercicioAnteriorCerrado(QString& ejercicio) {
    if (vbtext::Val(ejercicio) == -1) ejercicio = QString::number(Periodo);
    const auto e = ejercicios(QStringLiteral(" WHERE PERIODO < ") + QString::number(vbtext::Val(ejercicio), 'g', 15));
    if (e.empty()) return true;
    return e.back().cerrado || e.back().cierre;
}

void Lbc_Asiento::EjercicioRango(QString& desde, QString& hasta, const QString& periodo) {
    const QString p = periodo.isEmpty() ? QString::number(Periodo) : QString::number(vbtext::Val(periodo), 'g', 15);
    desde.clear();
    hasta.clear();
    const auto e = ejercicios(QStringLiteral(" WHERE PERIODO = ") + p);
    if (e.empty()) {
        MsgBox(kSinEjercicios);
        return;
    }
    desde = e.front().desde.toString(QStringLiteral("dd/MM/yyyy"));
    hasta = e.front().hasta.toString(QStringLiteral("dd/MM/yyyy"));
}

QDate Lbc_Asiento::FechaHastaUltimoPeriodo() {
    QDate r(1899, 12, 30);   // the zero date
    const TrapReport report = [](const VbError& e) { return Utilidades().ReportError(e, 18, QStringLiteral("FechaHastaUltimoPeriodo")); };
    runTrapped(report, {[&] {
        const auto e = ejercicios();
        if (!e.empty()) r = e.back().hasta;
    }});
    return r;
}

bool Lbc_Asiento::ExistenMovFueraPeriodo(const QString& periodo, const QString& desde, const QString& hasta) {
    const ZtUtil& u = Utilidades();
    // VAL() of the local-file dialect is the number the text holds: CAST here.
    QString sql = QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE CAST(PERIODO AS INTEGER) = ") + QString::number(vbtext::Val(periodo), 'g', 15) +
                  QStringLiteral(" AND (FECHA <= ") + u.DateToSql(desde) + QStringLiteral(" OR FECHA >= ") + u.DateToSql(hasta) + QStringLiteral(" )");
    ado::Recordset rs;
    DB().AbrirRecordset(sql, rs);
    return rs.State() == ado::ad::StateOpen && !rs.Eof();
}

void Lbc_Asiento::FechaValidada(const QString& f, QString& mensaje, bool& error) {
    if (vbtext::Trim(f).isEmpty()) {
        mensaje = QStringLiteral("Debe ingresar una fecha");
        error = true;
        return;
    }
    const QDate d = fecha(f);
    if (!d.isValid()) {
        mensaje = QStringLiteral("La fecha ingresada no es correcta!!");
        error = true;
        return;
    }
    const QDate desde = fecha(Cfg(QStringLiteral("FECHAOPERDESDE"))), hasta = fecha(Cfg(QStringLiteral("FECHAOPERHASTA")));
    // A missing bound cannot be read as a date: the date is then no operating date.
    if (!desde.isValid() || !hasta.isValid() || d < desde || d > hasta) {
        mensaje = QStringLiteral("La fecha ingresada No es una Fecha Operativa posible!");
        error = true;
    }
}

int16_t Lbc_Asiento::UltimoDiaMes(const QString& mes, const QString& anio) {
    const int m = int(vbtext::Val(mes)), a = int(vbtext::Val(anio));
    if (m < 1 || m > 12 || a < 1 || a > 9999 || vbtext::Trim(anio).isEmpty())
        throw VbError::invalidCall(QStringLiteral("UltimoDiaMes"));
    for (int d = 31; d >= 28; --d)
        if (QDate(a, m, d).isValid()) return int16_t(d);
    return 28;
}
