#pragma once
#include "platform/ado/Recordset.h"
#include <QDate>
#include <QString>
#include <cstdint>

// The suite's accounting-entry rules: entry numbers and check digits, fiscal
// years and periods, vouchers, the subsidiary journal report and the entry and
// master-data checks. Nothing in the grouping window uses it; the suite's
// accounting programs (and the lbc-asiento tool) do.
class Lbc_Asiento {
public:
    Lbc_Asiento();   // the current period is the configuration's "PERIODO"

    int16_t Periodo = 0;
    // The user whose rows the sub-journal report writes (the session's
    // logged-in user; the database user when nobody set it).
    QString UsuarioLogeado;

    // Rewrites this user's rows of AUX_SUBDIARIOS with the two-column
    // sub-journal of a kind between two dates, in one transaction: a failure
    // leaves the previous rows; a cancel keeps the rows written so far.
    void GeneraAuxiliarSubdiarios(QString& Fecha_Desde, const QString& Fecha_Hasta, const QString& TipoSub, bool EsArchivoLegal = false);

    // Entry numbering and check digit.
    static QString FormatDisplayNroAsiento(long numero, const QDate& fecha);
    static QString FormatNroAsiento(const QString& formateado);
    static QString FMTNroAsiento(const QString& tecleado);
    static ado::Variant EliminaCarNroAsiento(const QString& texto, const QString& tipo = {}, const QString& separador = QStringLiteral("-"));
    int32_t UltimoNumeroAsiento(const QString& mes, const QString& tipoReg = {}, const QString& periodo = {});
    static int16_t CalculoDV(const QString& cuenta);

    // Fiscal years and periods.
    bool ValidaEstadoPeriodoActual(QString& mensaje, bool* cerrado = nullptr, bool* cancelado = nullptr, bool* sinEjercicios = nullptr,
                                   const QString& periodo = {});
    bool ValidaRangoFechaEjercicio(const QString& desde, const QString& hasta, const QString& periodo = {});
    bool EjercicioAnteriorCerrado(QString& ejercicio);
    void EjercicioRango(QString& desde, QString& hasta, const QString& periodo = {});
    QDate FechaHastaUltimoPeriodo();
    bool ExistenMovFueraPeriodo(const QString& periodo, const QString& desde, const QString& hasta);
    void FechaValidada(const QString& fecha, QString& mensaje, bool& error);
    // Last day of a month; a month outside 1-12 or a year that is no year raises.
    static int16_t UltimoDiaMes(const QString& mes, const QString& anio);

    // Vouchers and subsidiary journals.
    int16_t TalonarioActual = 0;   // the booklet of the last DatosComprobante
    QString DeterminaLetra(const QString& condicionCliente);
    bool ComprobanteEntrada(const QString& tc);
    void DatosComprobante(const QString& tc, QString& puntoVenta, QString& numero, QString& letra, const QString& unidadNegocio = {});
    bool ValidaComprobante(const QString& tc, const QString& puntoVenta, QString& numero, const QString& letra, QString& mensaje,
                           QString& mes, QString& nroAsiento, const QString& fecha, QString& cuenta, QString& periodo);
    bool ValidaTCRegistraciones(const QString& tc);
    bool ValidaSubdiarioTC(const QString& subdiario, const QString& tc);
    bool ValidaFechaSubdiario(const QString& fecha, const QString& subdiario);
    bool AsientoResumenAnulado(const QString& subdiario, const QString& numero);

    // Entry and master-data checks.
    bool ExisteEnMVAsientos(const QString& TC, const QString& suc, const QString& Nro, const QString& L, const QString* Proveedor = nullptr,
                            ado::Recordset* lrcsaux = nullptr);
    bool ExisteEnMVAsientos2(const QString& TC, const QString& suc, const QString& Nro, const QString& L, const QString& TipoReg,
                             const QString& NroAsiento, const QString& MesOP, const QString& Periodo, const QString* Proveedor = nullptr,
                             ado::Recordset* lrcsaux = nullptr);
    bool CuentaImputable(const QString& cuenta);
    bool ExisteCuentas(const QString& valor, ado::Variant* tipo = nullptr, ado::Variant* nombre = nullptr, ado::Variant* bienDeUso = nullptr,
                       ado::Variant* ajustable = nullptr);
    bool ExisteDatosAdicionales(const QString& valor, ado::Recordset& LRsTmp);
    QString UltimoIDBienDeUso();
    QString UltimoIDNovedadBienDeUso(const QString& codigoBien);
    void UltimoAjuste(QString& fecha, QString& periodo, ado::Variant& nroAsiento);

private:
    bool existe(const QString& sql, ado::Recordset* lrcsaux, const char* rutina, int cursor, int bloqueo);
};
