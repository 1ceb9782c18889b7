#pragma once
#include <QString>
#include <cstdint>

// The session settings the configuration store loads at start-up, one per key
// of the configuration table. The data layer reads the confidentiality
// setting; the suite's other modules read the rest.
struct AjustesSesion {
    QString TablaConfiguracion;            // "ta_configuracion" once loaded
    bool MostrarStockenConsultas = false;
    QString TituloClientes, TituloProveedores;
    bool ExigeClaveConsultaLikeArticulos = false;
    bool UsaConsultaLike = false;
    QString CantidadDecimales;
    bool SS_CONFIDENCIALIDAD = false;
    bool UsaMultilesMonedas = false, UsaFacturaProforma = false, UsaCCosto = false, UsaStkStockUdKg = false;
    QString UnidadDeMedidaM3, UnidadDeMedidaBL, UnidadDeMedidaKG;
    int16_t Periodo = 0;
    bool RazonSocialPorUneg = false;
    bool ValidaCodigoBarra = false;
    bool ModuloOrdenDeTrabajo = true;
    bool V_ModificaCPrecio = false, C_ModificaCPrecio = false, Maderera = false;
    QString MadTiras, MadP2, MadML, MadM2, MadHojas, MadMLP2, MadM2P2, MadMLM2, CuentaCtroDist;
    double MaxDto = 0, MaxDtoProforma = 0;
    bool PideClaveStockNeg = false, PideClaveMarkUpBase = false, PideClaveLimiteCredito = false;
    bool SS_BloqueoActivo = false, UtilizarFechaDia = false;
    bool AsignacionAutomaticaDeLoteING = false, AsignacionAutomaticaDeLoteINGOP = false;
    int16_t CondIvaEmpresa = 0;
    QString TopDefault;
    QString UnidadNegocio;
    QString ArchivoTareas;
};

extern AjustesSesion Ajustes;
