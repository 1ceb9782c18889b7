#include "accounting/Display.h"
#include "accounting/Lbc_Asiento.h"
#include "data/DB_Dll.h"
#include "platform/Prompt.h"
#include "platform/ado/TransactionGuard.h"
#include "util/Formatos.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"
#include <cmath>

namespace {
QString ceros(const QString& t, int ancho) { return QString::number(vbtext::CLng64(vbtext::Val(t))).rightJustified(ancho, u'0'); }

struct Cancelar {};   // the operator chose to stop: keep what was written

// The lines of one side of an entry.
void lineas(ado::Recordset& rs, const QString& tipo, const QString& numero, const QString& mes, const QString& periodo, char lado) {
    QString sql = QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE RTRIM(LTRIM(TIPO_REG)) = '") + entreComillas(tipo) +
                  QStringLiteral("' AND [NUMERO ASIENTO] = ") + QString::number(vbtext::Val(numero), 'g', 15) + QStringLiteral(" AND MES_OPERATIVO = ") +
                  QString::number(vbtext::Val(mes), 'g', 15) + QStringLiteral(" AND RTRIM(LTRIM(PERIODO)) = '") + entreComillas(vbtext::Trim(periodo)) +
                  QStringLiteral("' AND [DEBE-HABER] = '") + QLatin1Char(lado) + QStringLiteral("' ORDER BY CUENTA");
    rs.Open(DB().SS_TSinonimos(sql), &DB().gCnn, ado::ad::OpenDynamic, ado::ad::LockReadOnly);
}
}

void Lbc_Asiento::GeneraAuxiliarSubdiarios(QString& Fecha_Desde, const QString& Fecha_Hasta, const QString& TipoSub, bool EsArchivoLegal) {
    DB_Dll& db = DB();
    const ZtUtil& u = Utilidades();
    const QString usuario = UsuarioLogeado.isEmpty() ? db.gUsuario : UsuarioLogeado;
    const QString tipo = vbtext::Trim(TipoSub);
    DisplayProgreso& cartel = Cartel();
    bool mostrado = false;
    for (;;) {
        try {
            ado::TransactionGuard tx(db.gCnn);
            db.gCnn.Execute(QStringLiteral("DELETE AUX_SUBDIARIOS WHERE RTRIM(LTRIM(USUARIO)) = '") + entreComillas(vbtext::Trim(usuario)) + u'\'');
            if (vbtext::Trim(Fecha_Desde).isEmpty()) Fecha_Desde = QStringLiteral("01/01/1990");
            ado::Recordset asientos, destino, debe, haber;
            asientos.Open(QStringLiteral("SELECT DISTINCT Periodo,[MES_OPERATIVO],[NUMERO ASIENTO] FROM MV_ASIENTOS WHERE RTRIM(LTRIM(TIPO_REG)) = '") +
                              entreComillas(tipo) + QStringLiteral("' AND FECHA >= ") + u.DateToSql(Fecha_Desde) + QStringLiteral(" AND FECHA <= ") +
                              u.DateToSql(Fecha_Hasta) + QStringLiteral(" ORDER BY [MES_OPERATIVO],[NUMERO ASIENTO]"),
                          &db.gCnn, ado::ad::OpenDynamic, ado::ad::LockReadOnly);
            // Only rows are added: the table's present rows are not needed.
            destino.Open(QStringLiteral("SELECT * FROM AUX_SUBDIARIOS WHERE 1 = 0"), &db.gCnn, ado::ad::OpenDynamic, ado::ad::LockOptimistic);
            if (asientos.Eof()) {
                tx.commit();
                return;
            }
            const QString titulo = EsArchivoLegal ? QStringLiteral("Archivo Legal de Información") : QStringLiteral("Generando Reporte de Subdiarios");
            cartel.CartelInicio(titulo, true);
            mostrado = true;
            u.SetBusy(true);
            try {
                for (; !asientos.Eof(); asientos.MoveNext()) {
                    const QString periodo = asientos.Fields(0).Value().toText(), mes = asientos.Fields(1).Value().toText(),
                                  numero = asientos.Fields(2).Value().toText();
                    const QString avance = ceros(mes, 4) + u'-' + ceros(numero, 7);
                    if (cartel.CartelMostrar(QStringLiteral("Generando el Reporte"), avance)) {
                        cartel.setSiempre_Visible(false);
                        if (MsgBox(QStringLiteral("¿Realmente desea abortar el proceso?"), vb::YesNo | vb::Question) == vb::Yes) throw Cancelar{};
                        cartel.CartelCerrar();
                        cartel.CartelInicio(titulo, true);
                        cartel.CartelMostrar(QStringLiteral("Generando el Reporte "), avance);
                        cartel.setSiempre_Visible(true);
                    }
                    lineas(debe, tipo, numero, mes, periodo, 'D');
                    lineas(haber, tipo, numero, mes, periodo, 'H');
                    const bool debeLidera = debe.RecordCount() >= haber.RecordCount();
                    ado::Recordset& lider = debeLidera ? debe : haber;
                    ado::Recordset& otro = debeLidera ? haber : debe;
                    const QString L = debeLidera ? QStringLiteral("_D") : QStringLiteral("_H");
                    const QString O = debeLidera ? QStringLiteral("_H") : QStringLiteral("_D");
                    const auto cuenta = [&](ado::Recordset& r, const QString& sufijo) {
                        const QString c = u.NullToText(r[QStringLiteral("Cuenta")]);
                        destino.Fields(QStringLiteral("cuenta") + sufijo).setValue(c);
                        destino.Fields(QStringLiteral("descripcion") + sufijo)
                            .setValue(u.NullToText(db.DatosTabla(QStringLiteral("MA_CUENTAS"), c, QStringLiteral("DESCRIPCION"), QStringLiteral("Codigo"),
                                                                 QStringLiteral("8"), QString(), true, false)));
                        destino.Fields(QStringLiteral("importe") + sufijo).setValue(r[QStringLiteral("Importe")]);
                    };
                    for (; !lider.Eof(); lider.MoveNext()) {
                        destino.AddNew();
                        destino.Fields(QStringLiteral("Usuario")).setValue(usuario);
                        destino.Fields(QStringLiteral("Periodo")).setValue(vbtext::Val(lider[QStringLiteral("Periodo")].toText()));
                        destino.Fields(QStringLiteral("Mes_Operativo")).setValue(vbtext::Val(lider[QStringLiteral("Mes_Operativo")].toText()));
                        destino.Fields(QStringLiteral("numero asiento")).setValue(lider[QStringLiteral("numero asiento")]);
                        const ado::Variant f = lider[QStringLiteral("Fecha")];
                        destino.Fields(QStringLiteral("Fecha"))
                            .setValue(debeLidera ? u.NullToText(f) : FormatearVB(f.toDateTime(), FormatoFecha()));
                        for (const char* c : {"TC", "Sucursal", "Numero", "letra"})
                            destino.Fields(QString::fromLatin1(c)).setValue(u.NullToText(lider[QString::fromLatin1(c)]));
                        destino.Fields(QStringLiteral("Cabimporte")).setValue(lider[QStringLiteral("Cabimporte")]);
                        destino.Fields(QStringLiteral("Concepto")).setValue(u.NullToText(lider[QStringLiteral("Detalle")]));
                        cuenta(lider, L);
                        if (!otro.Eof()) {
                            cuenta(otro, O);
                            otro.MoveNext();
                        }
                        destino.Update();
                    }
                    debe.Close();
                    haber.Close();
                }
            } catch (const Cancelar&) {
                // The rows written so far stay.
            }
            u.SetBusy(false);
            cartel.CartelCerrar();
            tx.commit();
            return;
        } catch (const VbError& e) {
            u.SetBusy(false);
            if (mostrado) cartel.CartelCerrar();
            mostrado = false;
            db.ComprobarConexionPerdida(e);
            // The transaction went back: the user's previous rows are as they were.
            if (u.ReportError(e, vb::AbortRetryIgnore | vb::Critical, QStringLiteral("GeneraAuxiliarSubdiarios")) != vb::Retry) return;
        }
    }
}
