#pragma once
#include "platform/ado/Variant.h"
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// What the list or tree dialog is given for one lookup, and what it answers.
// The dialogs are windows; the window layer installs the function that shows
// them (setMostradorConsulta).
struct PedidoConsulta {
    QString sql;
    QString gConnString;
    QString CampoDevuelto;
    bool CheckBoxes = false;
    bool TreeView = false;
    bool UsaCantidades = false;
    bool OrdenarPorLwv = false;
    bool CfgUsaConsultaLIKE = false;
    bool DestildarTodo = false;   // clear every tick once the rows are read
    QString FiltroInicial;
    QString CampoBusqueda;
    QString ValoresDefault;
    QString MuestraStock;
    ado::Variant StkNivel1, StkNivel2, StkNivel3, StkNivel4;
    QStringList CmpsDevueltos;
    // Fixed rows instead of a statement (option lists, a text file's lines):
    // one column headed Titulo.
    bool filasFijas = false;
    QString Titulo;
    QStringList filas;
    QList<bool> tildadas;
    bool ocultarNueva = false;
    bool GrabarCfg = false;
};
struct RespuestaConsulta {
    ado::Variant ValorDevuelto;
    std::optional<QStringList> Valores;      // nothing when no list came back
    std::optional<QStringList> Cantidades;
    QStringList CmpsDevueltos;               // the further columns' values of the chosen row
};
using MostradorConsulta = std::function<RespuestaConsulta(const PedidoConsulta&)>;
void setMostradorConsulta(MostradorConsulta m);

// The lookup request object: a caller sets CampoDevuelto (and Checks), calls
// ConsultaSearch with a statement or a bare table name, and reads
// ValorDevuelto or Valores.
class Lib_ClsCons3 {
public:
    Lib_ClsCons3();

    ado::Variant StkNivel1, StkNivel2, StkNivel3, StkNivel4;
    QString MuestraStock;
    std::optional<QStringList> Valores;
    std::optional<QStringList> Cantidades;
    bool Checks = false;
    ado::Variant ValorDevuelto;
    QString gConnString;
    QString gRutaMascaraConsultas;
    bool gUsarMascarasConsultas = false;
    bool UsaCantidades = false;
    QString CampoDevuelto;

    void ConsultaSearch(QString sql, QStringList* CmpsDevueltos, const QString& Clave, QString& CampoBusqueda,
                        QString& Where, const QString& SentenciaOpcional, bool TreeView, const QString& ValoresDefault);
    // The statement ConsultaSearch shows for these arguments; nothing when it
    // stops with the mask configuration message.
    std::optional<QString> ArmarSentencia(QString sql, QString& CampoBusqueda, QString& Where, const QString& SentenciaOpcional);
    // A tick list of fixed options: each option's first character "1" ticks
    // it at start. Returns "" and leaves the ticked options in Valores.
    QString CheckOpciones(const QString& Titulo, QStringList* CmpsDevueltos, const QStringList& Opc);
    // A plain list of options; returns the chosen one ("" when none).
    QString MenuOpciones(const QString& Titulo, const QStringList& Opc);
    // The lines of a text file in the list; returns the chosen line.
    QString ConsultaDesdeArchivo(const QString& Titulo, const QString& QueArchivo, const QString& Separador);

private:
    void ArmarConsultaDefault(QString& sql, QString& CampoBusqueda, const QString& Where, const QString& SentenciaOpcional,
                              const QString& limite);
    bool usaConsultaLike_ = false;
};

// The process-wide request object, created on first use.
Lib_ClsCons3& ClsCons();
void reiniciarClsCons();

// Appends the default records to the query mask file named by the process-wide
// request object.
// False when the file cannot be written (a read-only program folder).
bool CrearMascarasConsultas();
