#pragma once
#include "platform/ado/Variant.h"
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class Lib_ClsCons3;

// What a lookup dialog is asked to show and what it answers. The dialogs are
// windows; the window layer installs the function that shows them.
struct PedidoConsulta {
    QString sql;
    QString CampoDevuelto;
    bool CheckBoxes = false;
    bool TreeView = false;
    QString FiltroInicial;
    QString CampoBusqueda;
    QString ValoresDefault;
};
struct RespuestaConsulta {
    ado::Variant ValorDevuelto;
    std::optional<QStringList> Valores;    // nothing when no list came back
    std::optional<QStringList> Cantidades;
};
using MostradorConsulta = std::function<RespuestaConsulta(const PedidoConsulta&)>;
void setMostradorConsulta(MostradorConsulta m);

// The lookup request object: callers fill a few properties, ask for a lookup
// and read the chosen key back. Start-up sets where it connects and where the
// query mask file is.
class Lib_ClsCons3 {
public:
    QString gConnString;
    QString gRutaMascaraConsultas;
    bool gUsarMascarasConsultas = false;
    QString CampoDevuelto;
    bool Checks = false;
    bool UsaCantidades = false;
    ado::Variant ValorDevuelto;
    std::optional<QStringList> Valores;
    std::optional<QStringList> Cantidades;

    void ConsultaSearch(const QString& sql, QStringList* CmpsDevueltos, const QString& Clave, QString& CampoBusqueda,
                        QString& Where, const QString& SentenciaOpcional, bool TreeView, const QString& ValoresDefault);
};

// The process-wide request object, created on first use.
Lib_ClsCons3& ClsCons();

// Appends the default records to the query mask file named by the process-wide
// request object.
void CrearMascarasConsultas();
