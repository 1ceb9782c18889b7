#include "data/SentenciasSQL.h"
#include "data/DB_Dll.h"
#include "platform/ProgramFolder.h"
#include "platform/Prompt.h"
#include "util/ErrorTrap.h"
#include "util/ReportaError.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"

ListaCampos& CamposSQL() {
    static ListaCampos campos{{}};
    return campos;
}

void AgregaCampo(const QString& campo, const QString& valor, const QString& tipo, bool primero) {
    ListaCampos& l = CamposSQL();
    if (primero) l.assign(1, {});
    else l.emplace_back();
    QString v = valor;
    v.remove(u'\'');
    l.back().first = campo;
    l.back().second = v.toUpper() == QLatin1String("NULL") ? QStringLiteral("Null") : DB_Dll::SQLValue(v, tipo).toText();
}

void ArmaSentenciaSQL(ListaCampos& campos, QStringList& sentencias, const QString& tabla, bool actualizar, QString& donde,
                      bool mantener) {
    QString s;
    if (actualizar) {
        QStringList asignaciones;
        for (const auto& [c, v] : campos) asignaciones << c + QStringLiteral(" = ") + v;
        if (!vbtext::Contains(donde, QStringLiteral("WHERE"))) donde = QStringLiteral(" WHERE ") + donde;
        s = QStringLiteral("UPDATE ") + tabla + QStringLiteral(" SET ") + asignaciones.join(u',') + u' ' + donde;
    } else {
        QStringList nombres, valores;
        for (const auto& [c, v] : campos) {
            nombres << c;
            valores << v;
        }
        s = QStringLiteral("INSERT INTO ") + tabla + u' ' + u'(' + nombres.join(u',') + u')' + QStringLiteral(" VALUES (") +
            valores.join(u',') + u')';
    }
    sentencias << s << QString();
    if (!mantener) campos.assign(1, {});
}

QString AdaptaSentenciaOracle(const QString& texto) {
    if (!vbtext::Contains(DB().gConnString, QStringLiteral("oracle"))) return texto;
    if (Utilidades().WordCount(texto) < 2) return texto.toUpper() == QLatin1String("LEN") ? QStringLiteral("LENGTH") : texto;
    if (!vbtext::Contains(texto, QStringLiteral("top "))) return texto;
    const int p = texto.indexOf(QStringLiteral("top"), 0, Qt::CaseInsensitive);
    const QString cabeza = texto.left(p);
    const QString resto = texto.mid(p + 3);
    const int estrella = resto.indexOf(u'*');
    if (estrella < 0) throw VbError::invalidCall(QStringLiteral("AdaptaSentenciaOracle"));
    return cabeza + QStringLiteral(" * ") + resto.mid(estrella + 1) + QStringLiteral(" WHERE ROWNUM <= ") + resto.left(estrella);
}

long GActualizarDatoScript(const QStringList& sentencias, bool ignorarDuplicados, bool ignorarReferencias, bool mostrarMensaje,
                           ResultadoScript* resultado) {
    ResultadoScript r;
    DB_Dll& db = DB();
    QString cuerpo, mensaje;
    const TrapReport report = [](const VbError& e) {
        return ReportaError(e, vb::AbortRetryIgnore | vb::Critical, QStringLiteral("GActualizarDatoScript"));
    };
    runTrapped(report, {
        [&] {
            for (const QString& s : sentencias)
                if (!vbtext::Trim(s).isEmpty()) cuerpo += u'\r' + s;
        },
        [&] {
            if (cuerpo.isEmpty()) return;
            r.script = QStringLiteral("BEGIN TRANSACTION ") + u'\r' + u'\r' + cuerpo + u'\r';
            QString s = r.script;
            long n = 0;
            db.EjecutaConsultaSQL(s, n, nullptr);
        },
        [&] {
            if (cuerpo.isEmpty()) return;
            ado::Errors& errores = db.gCnn.errors();
            if (errores.Count() == 0) return;
            r.fallo = true;
            r.nativo = errores.Item(0).NativeError;
            const long hasta = errores.Count() == 1 ? 1 : errores.Count() - 1;
            for (long i = 0; i < hasta; ++i)
                mensaje += QString::number(errores.Item(i).NativeError) + QStringLiteral(" : ") + errores.Item(i).Description + QStringLiteral("\r\n");
            r.error = mensaje;
            if ((ignorarDuplicados && r.nativo == ado::native::DuplicateKey) || (ignorarReferencias && r.nativo == ado::native::Constraint)) {
                r.error = errores.Item(0).Description;
                mensaje.clear();
            }
            errores.Clear();
        },
        [&] {
            if (cuerpo.isEmpty()) return;
            if (r.fallo) {
                // The whole batch goes back; the failure is recorded after it.
                db.EjecutaConsultaSQL(QStringLiteral("ROLLBACK TRANSACTION"));
                db.gCnn.errors().Clear();
                QString proceso = exeName();
                RegistraErrorSQL(r.script, proceso, r.nativo, mensaje);
                if (!vbtext::Trim(mensaje).isEmpty() && mostrarMensaje) MsgBox(mensaje, vb::Critical, QStringLiteral("Aviso al Operador!"));
            } else {
                db.EjecutaConsultaSQL(QStringLiteral("COMMIT TRANSACTION"));
            }
        },
    });
    if (resultado) *resultado = r;
    return r.nativo;
}
