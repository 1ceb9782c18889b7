// A workstation of the grouping window, driven without a screen, for the
// reliability tests: the real load and save path, in a process of its own so
// that several can work on one database at once and one can be killed.
//
//   agr_puesto CARPETA PARAMETROS grabar CODIGO CONJUNTOS VECES
//       loads the grouping and saves it VECES times, each time with the next
//       line of the file CONJUNTOS (accounts separated by ","); prints
//       "grabadas=N conflictos=N errores=N"
//   agr_puesto CARPETA PARAMETROS leer CODIGO
//       loads the grouping, prints "cuentas=N", tries to save it and prints
//       each message shown as "mensaje: ..."
// Prints "listo" once the window is loaded.
#include "ScriptedPrompt.h"
#include "app/Frm_AgrupCuentas.h"
#include "app/Sesion.h"
#include "lookup/Lib_ClsCons3.h"
#include "platform/ProcessEnd.h"
#include "platform/ProgramFolder.h"
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QSet>
#include "app/ListaCuentas.h"
#include <cstdio>

namespace {
QStringList pendientes;

QString nuevosMensajes(const ScriptedPrompt& p, size_t desde) {
    QString t;
    for (size_t i = desde; i < p.records.size(); ++i) t += p.records[i].text + u'\n';
    return t;
}

void fijarCuentas(Frm_AgrupCuentas& w, const QStringList& cuentas) {
    const QSet<QString> quiero(cuentas.begin(), cuentas.end());
    QSet<QString> listadas;
    ListaCuentas& l = *w.Cuentas();
    for (int i = 0; i < l.count(); ++i) {
        const QString c = l.at(i).codigo.trimmed();
        listadas.insert(c);
        l.setTildada(i, quiero.contains(c));
    }
    pendientes.clear();
    for (const QString& c : cuentas)
        if (!listadas.contains(c)) pendientes << c;
    if (!pendientes.isEmpty()) w.cmdAsociar_Click();
}
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 5) {
        std::fprintf(stderr, "uso: agr_puesto CARPETA PARAMETROS grabar|leer CODIGO ...\n");
        return 2;
    }
    ScriptedPrompt prompt;
    setProcessEndHandler([](int c) { throw ProcessEndRequested{c}; });
    setProgramFolder(a[1]);
    setLineaDeComandos(a[2]);
    setMostradorConsulta([](const PedidoConsulta&) {
        RespuestaConsulta r;
        r.Valores = pendientes;
        return r;
    });
    try {
        Frm_AgrupCuentas w;
        w.Form_Load();
        w.show();
        std::printf("listo\n");
        std::fflush(stdout);
        const QString codigo = a[4];
        if (a[3] == u"leer") {
            w.txtfields(0)->setText(codigo);
            w.ValidaCampo(0);
            std::printf("cuentas=%d\n", w.Cuentas()->count());
            const size_t antes = prompt.records.size();
            w.GrabarAgrupacion();
            for (size_t i = antes; i < prompt.records.size(); ++i) std::printf("mensaje: %s\n", qPrintable(prompt.records[i].text.simplified()));
            std::printf("mensajes-inicio=%zu\n", antes);
            for (size_t i = 0; i < antes; ++i) std::printf("inicio: %s\n", qPrintable(prompt.records[i].text.simplified()));
            return 0;
        }
        QFile f(a[5]);
        if (!f.open(QIODevice::ReadOnly)) return 2;
        QList<QStringList> conjuntos;
        for (const QByteArray& l : f.readAll().split('\n'))
            if (!l.trimmed().isEmpty()) conjuntos << QString::fromUtf8(l.trimmed()).split(u',');
        const int veces = a[6].toInt();
        int grabadas = 0, conflictos = 0, errores = 0;
        for (int i = 0; i < veces; ++i) {
            w.txtfields(0)->setText(codigo);
            w.ValidaCampo(0);
            fijarCuentas(w, conjuntos[i % conjuntos.size()]);
            const size_t antes = prompt.records.size();
            w.GrabarAgrupacion();
            const QString m = nuevosMensajes(prompt, antes);
            if (m.isEmpty()) ++grabadas;
            else if (m.contains(QStringLiteral("otro puesto"))) ++conflictos;
            else {
                ++errores;
                std::fprintf(stderr, "error: %s\n", qPrintable(m.simplified()));
            }
        }
        std::printf("grabadas=%d conflictos=%d errores=%d\n", grabadas, conflictos, errores);
    } catch (const ProcessEndRequested& e) {
        std::printf("terminado=%d\n", e.code);
        return 3;
    }
    return 0;
}
