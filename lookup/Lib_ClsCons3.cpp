#include "lookup/Lib_ClsCons3.h"

namespace { MostradorConsulta gMostrador; }

void setMostradorConsulta(MostradorConsulta m) { gMostrador = std::move(m); }

Lib_ClsCons3& ClsCons() {
    static Lib_ClsCons3 c;
    return c;
}

void Lib_ClsCons3::ConsultaSearch(const QString& sql, QStringList* CmpsDevueltos, const QString& Clave, QString& CampoBusqueda,
                                  QString&, const QString&, bool TreeView, const QString& ValoresDefault) {
    PedidoConsulta p{sql, CampoDevuelto, Checks, TreeView, Clave, CampoBusqueda, ValoresDefault};
    Valores.reset();
    Cantidades.reset();
    ValorDevuelto = QString();
    if (gMostrador) {
        RespuestaConsulta r = gMostrador(p);
        ValorDevuelto = r.ValorDevuelto;
        Valores = std::move(r.Valores);
        Cantidades = std::move(r.Cantidades);
    }
    // One-shot settings: every lookup ends with them reset.
    Checks = false;
    CampoDevuelto.clear();
    if (CmpsDevueltos) CmpsDevueltos->clear();
}

void CrearMascarasConsultas() {
    // The mask file and its default records come with the lookup dialogs.
}
