#include "accounting/Lbc_Asiento.h"
#include "data/DB_Dll.h"
#include "util/ErrorTrap.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"

namespace {
QString t(const QString& s) { return entreComillas(vbtext::Trim(s)); }
QString q(const QString& s) { return entreComillas(s); }
QString num(const QString& s) { return QString::number(vbtext::Val(s), 'g', 15); }
int reporte(const VbError& e, const char* rutina) { return Utilidades().ReportError(e, 18, QString::fromLatin1(rutina)); }
}

bool Lbc_Asiento::existe(const QString& sqlIn, ado::Recordset* lrcsaux, const char* rutina, int cursor, int bloqueo) {
    QString sql = sqlIn;
    ado::Recordset propio;
    ado::Recordset& rs = lrcsaux ? *lrcsaux : propio;
    bool r = false;
    runTrapped([&](const VbError& e) { return reporte(e, rutina); }, {
        [&] { DB().AbrirRecordset(sql, rs, nullptr, cursor, bloqueo, -1, true); },
        [&] { r = rs.State() == ado::ad::StateOpen && !rs.Eof(); },
    });
    if (!lrcsaux) DB().CierraRecordset(propio);
    return r;
}

bool Lbc_Asiento::ExisteEnMVAsientos(const QString& TC, const QString& suc, const QString& Nro, const QString& L, const QString* Proveedor,
                                     ado::Recordset* lrcsaux) {
    const QString sql = Proveedor
        ? QStringLiteral("SELECT * FROM MV_ASIENTOS WITH(NOLOCK) WHERE TC = '") + t(TC) + QStringLiteral("' AND SUCURSAL = '") + q(suc) +
              QStringLiteral("' AND NUMERO = '") + q(Nro) + QStringLiteral("' AND LETRA = '") + t(L) + QStringLiteral("' AND CABCUENTA = '") +
              t(*Proveedor) + u'\''
        : QStringLiteral("SELECT * FROM MV_ASIENTOS  WITH(NOLOCK) WHERE TC = '") + t(TC) + QStringLiteral("' AND SUCURSAL = '") + q(suc) +
              QStringLiteral("' AND NUMERO = '") + q(Nro) + QStringLiteral("' AND LETRA = '") + t(L) + u'\'';
    return existe(sql, lrcsaux, "ExisteEnMVAsientos", ado::ad::OpenDynamic, ado::ad::LockOptimistic);
}

bool Lbc_Asiento::ExisteEnMVAsientos2(const QString& TC, const QString& suc, const QString& Nro, const QString& L, const QString&,
                                      const QString& NroAsiento, const QString& MesOP, const QString& Periodo, const QString* Proveedor,
                                      ado::Recordset* lrcsaux) {
    QString sql = QStringLiteral("SELECT * FROM MV_ASIENTOS WITH(NOLOCK) WHERE TC = '") + t(TC) + QStringLiteral("' AND SUCURSAL = '") + q(suc) +
                  QStringLiteral("' AND NUMERO = '") + q(Nro) + QStringLiteral("' AND LETRA = '") + t(L) + QStringLiteral("' AND [NUMERO ASIENTO] = ") +
                  num(NroAsiento);
    if (Proveedor)
        // PERIODO is text: compared as text on every engine.
        sql += QStringLiteral(" AND Periodo = '") + q(vbtext::Trim(Periodo)) + QStringLiteral("' AND MES_OPERATIVO = ") + num(MesOP) +
               QStringLiteral("  AND (ESRESUMEN = 0)") + QStringLiteral(" AND CABCUENTA = '") + t(*Proveedor) + u'\'';
    else
        sql += QStringLiteral("  AND MES_OPERATIVO = ") + num(MesOP) + QStringLiteral(" AND (ESRESUMEN = 0)");
    return existe(sql, lrcsaux, "ExisteEnMVAsientos2", ado::ad::OpenDynamic, ado::ad::LockOptimistic);
}

bool Lbc_Asiento::CuentaImputable(const QString& cuenta) {
    const QString codigo = Utilidades().RemoveText(vbtext::Trim(cuenta), QString(QChar(0)));
    QString sql = QStringLiteral("SELECT * FROM MA_CUENTAS WHERE CODIGO ='") + q(codigo) + QStringLiteral("' AND DADA_DE_BAJA=0 AND BLOQUEO = 0");
    ado::Recordset rs;
    bool r = false;
    runTrapped([](const VbError& e) { return reporte(e, "CuentaImputable"); }, {
        [&] { DB().AbrirRecordset(sql, rs); },
        [&] { r = rs.State() == ado::ad::StateOpen && !rs.Eof() && !rs[QStringLiteral("Titulo")].toBool(); },
    });
    DB().CierraRecordset(rs);
    return r;
}

bool Lbc_Asiento::ExisteCuentas(const QString& valor, ado::Variant* tipo, ado::Variant* nombre, ado::Variant* bienDeUso, ado::Variant* ajustable) {
    QString sql = QStringLiteral("SELECT * FROM MA_CUENTAS WHERE Codigo = '") + t(valor) + u'\'';
    ado::Recordset rs;
    bool r = false, hay = false;
    const TrapReport report = [&](const VbError& e) {
        const int a = reporte(e, "ExisteCuentas");
        if (a == vb::Ignore && !hay) hay = r = true;   // an error testing for the row counts as found
        return a;
    };
    runTrapped(report, {
        [&] { DB().AbrirRecordset(sql, rs); },
        [&] { hay = r = rs.State() == ado::ad::StateOpen && !rs.Eof(); },
        [&] {
            if (!r) return;
            if (rs[QStringLiteral("DADA_DE_BAJA")].toText() == QLatin1String("1") || rs[QStringLiteral("BLOQUEO")].toText() == QLatin1String("1")) {
                r = false;
                return;
            }
            if (tipo) *tipo = rs[QStringLiteral("Titulo")];
            if (nombre) *nombre = rs[QStringLiteral("Descripcion")];
            if (bienDeUso) *bienDeUso = rs[QStringLiteral("BIENES")];
            if (ajustable) *ajustable = rs[QStringLiteral("Ajuste")];
        },
    });
    DB().CierraRecordset(rs);
    return r;
}

bool Lbc_Asiento::ExisteDatosAdicionales(const QString& valor, ado::Recordset& LRsTmp) {
    QString sql = QStringLiteral("SELECT * FROM MA_CUENTASADIC WHERE Codigo = '") + t(valor) + u'\'';
    bool r = false;
    const TrapReport report = [&](const VbError& e) {
        const int a = reporte(e, "ExisteDatosAdicionales");
        if (a == vb::Ignore) r = true;
        return a;
    };
    runTrapped(report, {
        [&] { DB().CierraRecordset(LRsTmp); },
        [&] { DB().AbrirRecordset(sql, LRsTmp); },
        [&] { r = LRsTmp.State() == ado::ad::StateOpen && !LRsTmp.Eof(); },
    });
    DB().CierraRecordset(LRsTmp);
    return r;
}

namespace {
QString siguiente(QString sql, const char* columna, const char* rutina) {
    ado::Recordset rs;
    QString r;
    runTrapped([&](const VbError& e) { return reporte(e, rutina); }, {
        [&] { DB().AbrirRecordset(sql, rs); },
        [&] {
            const ado::Variant v = (rs.State() == ado::ad::StateOpen && !rs.Eof()) ? rs[QString::fromLatin1(columna)] : ado::Variant();
            r = (v.isNull() || v.isEmpty()) ? QStringLiteral("1") : vbtext::Trim(QString::number(v.toLongLong() + 1));
        },
    });
    DB().CierraRecordset(rs);
    return r;
}
}

QString Lbc_Asiento::UltimoIDBienDeUso() { return siguiente(QStringLiteral("SELECT MAX(CODIGO) AS [ELCODIGO] FROM MA_BIENES"), "ELCODIGO", "UltimoIdBienDeUso"); }

QString Lbc_Asiento::UltimoIDNovedadBienDeUso(const QString& codigoBien) {
    return siguiente(QStringLiteral("SELECT MAX(ID) AS [ELID] FROM MA_BIENES_novedades WHERE CODIGO = ") + num(codigoBien), "ELID",
                     "UltimoIdNovedadBienDeUso");
}

void Lbc_Asiento::UltimoAjuste(QString& fecha, QString& periodo, ado::Variant& nroAsiento) {
    fecha.clear();
    periodo.clear();
    nroAsiento = 0;
    QString sql = QStringLiteral("SELECT top 1  * FROM MV_ASIENTOS WHERE PERIODO = '") + QString::number(Periodo) + QStringLiteral("' AND EsAjuste = 1");
    ado::Recordset rs;
    DB().AbrirRecordset(sql, rs, nullptr, ado::ad::OpenDynamic, ado::ad::LockOptimistic);
    if (rs.State() == ado::ad::StateOpen && !rs.Eof()) {
        rs.MoveFirst();
        fecha = rs[QStringLiteral("Fecha")].toDateTime().toString(QStringLiteral("dd/MM/yyyy"));
        periodo = rs[QStringLiteral("Ajuste_Hasta")].toText();
        nroAsiento = rs[QStringLiteral("numero asiento")];
    }
    DB().CierraRecordset(rs);
}
