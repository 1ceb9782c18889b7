// lbc-asiento: runs the accounting-entry services from the command line, on
// the connection a parameter string names (the same string the programs take).
//
//   lbc-asiento "@server=sqlite; @dbname=DEMO; @usuario=ADMIN;" OPERACION [ARGUMENTOS]
//
// Operations: proximo-asiento MES [TIPO_REG] [PERIODO] · digito CUENTA ·
// cuenta-imputable CUENTA · existe-cuenta CUENTA · periodo [PERIODO] ·
// formato-asiento TEXTO · letra CONDICION_IVA · subdiario DESDE HASTA TIPO
#include "accounting/Display.h"
#include "accounting/Lbc_Asiento.h"
#include "app/CargaParametros.h"
#include "app/Sesion.h"
#include "data/DB_Dll.h"
#include "platform/ProcessEnd.h"
#include "platform/Prompt.h"
#include <QCoreApplication>
#include <cstdio>

namespace {
void err(const QString& s) { std::fprintf(stderr, "%s\n", qPrintable(s)); }
void out(const QString& s) { std::printf("%s\n", qPrintable(s)); }

// Messages go to the error stream; every question gets its safe answer.
class PromptConsola final : public PromptHandler {
public:
    int message(const QString& text, int buttons, const QString& title) override {
        err(title + QStringLiteral(": ") + QString(text).replace(u'\r', u' '));
        return defaultAnswer(buttons);
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return std::nullopt; }
    std::optional<QString> openFile(const QString&, const QString&, const QString&) override { return std::nullopt; }
};

class CartelConsola final : public DisplayProgreso {
public:
    void CartelInicio(const QString& t, bool) override { err(t); }
    bool CartelMostrar(const std::optional<QString>&, const std::optional<QString>& l2, const std::optional<QString>&) override {
        if (l2) err(QStringLiteral("  ") + *l2);
        return false;
    }
    void CartelCerrar() override {}
    void setSiempre_Visible(bool) override {}
};

int uso() {
    err(QStringLiteral("uso: lbc-asiento \"PARAMETROS\" OPERACION [ARGUMENTOS]\n"
                       "  proximo-asiento MES [TIPO_REG] [PERIODO]   el próximo número de asiento del mes\n"
                       "  digito CUENTA                              el dígito verificador de una cuenta\n"
                       "  cuenta-imputable CUENTA                    si la cuenta admite imputaciones\n"
                       "  existe-cuenta CUENTA                       si la cuenta existe, activa y sin bloqueo\n"
                       "  periodo [PERIODO]                          si el período admite asientos\n"
                       "  formato-asiento TEXTO                      el número de asiento en su forma mm-nnnnnnn\n"
                       "  letra CONDICION_IVA                        la letra del comprobante de un cliente\n"
                       "  subdiario DESDE HASTA TIPO                 el subdiario en AUX_SUBDIARIOS, y sus filas"));
    return 2;
}

QString si(bool b) { return b ? QStringLiteral("SI") : QStringLiteral("NO"); }
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments().mid(1);
    if (a.size() < 2) return uso();
    static PromptConsola prompt;
    setPromptHandler(&prompt);
    static CartelConsola cartel;
    setDisplay(&cartel);
    setProcessEndHandler([](int) {
        err(QStringLiteral("No hay conexión con la base de datos."));
        std::fflush(nullptr);
        std::_Exit(1);
    });
    CargaParametros(false, a[0], QString(), 3);
    Lbc_Asiento asiento;
    asiento.UsuarioLogeado = Session.UsuarioLogeado;
    const QString op = a[1];
    const auto arg = [&](int i) { return a.value(i + 2); };
    if (op == QLatin1String("proximo-asiento")) out(QString::number(asiento.UltimoNumeroAsiento(arg(0), arg(1), arg(2))));
    else if (op == QLatin1String("digito")) out(QString::number(Lbc_Asiento::CalculoDV(arg(0))));
    else if (op == QLatin1String("cuenta-imputable")) out(si(asiento.CuentaImputable(arg(0))));
    else if (op == QLatin1String("existe-cuenta")) {
        ado::Variant tipo, nombre;
        const bool e = asiento.ExisteCuentas(arg(0), &tipo, &nombre);
        out(si(e) + (e ? QStringLiteral(" ") + nombre.toText() : QString()));
    } else if (op == QLatin1String("periodo")) {
        QString m;
        const bool ok = asiento.ValidaEstadoPeriodoActual(m, nullptr, nullptr, nullptr, arg(0));
        out(si(ok) + (m.isEmpty() ? QString() : QStringLiteral(" ") + QString(m).replace(u'\r', u' ')));
    } else if (op == QLatin1String("formato-asiento")) out(Lbc_Asiento::FMTNroAsiento(arg(0)));
    else if (op == QLatin1String("letra")) out(asiento.DeterminaLetra(arg(0)));
    else if (op == QLatin1String("subdiario")) {
        QString desde = arg(0);
        asiento.GeneraAuxiliarSubdiarios(desde, arg(1), arg(2));
        ado::Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM AUX_SUBDIARIOS WHERE Usuario = '") + entreComillas(asiento.UsuarioLogeado.isEmpty() ? DB().gUsuario : asiento.UsuarioLogeado) +
                    QStringLiteral("' ORDER BY Id"),
                &DB().gCnn);
        out(QStringLiteral("Mes\tAsiento\tFecha\tDebe\tImporte\tHaber\tImporte\tConcepto"));
        for (; !rs.Eof(); rs.MoveNext())
            out(QStringList{rs[QStringLiteral("Mes_Operativo")].toText(), rs[QStringLiteral("numero asiento")].toText(), rs[QStringLiteral("Fecha")].toText(),
                            rs[QStringLiteral("cuenta_D")].toText(), rs[QStringLiteral("importe_D")].toText(), rs[QStringLiteral("cuenta_H")].toText(),
                            rs[QStringLiteral("importe_H")].toText(), rs[QStringLiteral("Concepto")].toText()}
                    .join(u'\t'));
    } else {
        return uso();
    }
    return 0;
}
