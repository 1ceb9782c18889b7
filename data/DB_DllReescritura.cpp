#include "data/Ajustes.h"
#include "data/DB_Dll.h"
#include "platform/ProgramFolder.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"
#include <QDate>

namespace {

// The suite's programs that keep the real deposit and family views. This
// program is none of them; the lists stay empty until one of them is built.
const QStringList kProgramasStockDeposito = {};
const QStringList kProgramasFamilias = {};

struct Regla {
    enum Condicion { Siempre, NoStock, NoFamilias } cuando;
    const char* de;
    const char* a;
};

// Applied in this order; a name is recognised only after a blank, "(", ","
// or "{" and before a blank or ".".
const Regla kReglas[] = {
    {Regla::Siempre, " MA_CUENTAS ", " SS_MA_CUENTAS "},
    {Regla::Siempre, "(MA_CUENTAS ", "(SS_MA_CUENTAS "},
    {Regla::Siempre, " MA_CUENTAS.", " SS_MA_CUENTAS."},
    {Regla::Siempre, "(MA_CUENTAS.", "(SS_MA_CUENTAS."},
    {Regla::Siempre, ",MA_CUENTAS.", ",SS_MA_CUENTAS."},
    {Regla::Siempre, "{MA_CUENTAS.", "{SS_MA_CUENTAS."},
    {Regla::Siempre, "@Admin_MA_CUENTAS", "MA_CUENTAS"},
    {Regla::NoStock, " V_TA_DEPOSITO ", " SS_V_TA_DEPOSITO "},
    {Regla::NoStock, "(V_TA_DEPOSITO ", "(SS_V_TA_DEPOSITO "},
    {Regla::NoStock, " V_TA_DEPOSITO.", " SS_V_TA_DEPOSITO."},
    {Regla::NoStock, "(V_TA_DEPOSITO.", "(SS_V_TA_DEPOSITO."},
    {Regla::NoStock, ",V_TA_DEPOSITO.", ",SS_V_TA_DEPOSITO."},
    {Regla::Siempre, " MV_ASIENTOS ", " SS_MV_ASIENTOS "},
    {Regla::Siempre, "(MV_ASIENTOS ", "(SS_MV_ASIENTOS "},
    {Regla::Siempre, " MV_ASIENTOS.", " SS_MV_ASIENTOS."},
    {Regla::Siempre, "(MV_ASIENTOS.", "(SS_MV_ASIENTOS."},
    {Regla::Siempre, ",MV_ASIENTOS.", ",SS_MV_ASIENTOS."},
    {Regla::NoFamilias, " V_TA_FAMILIAS ", " SS_V_TA_FAMILIAS "},
    {Regla::NoFamilias, "(V_TA_FAMILIAS ", "(SS_V_TA_FAMILIAS "},
    {Regla::NoFamilias, " V_TA_FAMILIAS.", " SS_V_TA_FAMILIAS."},
    {Regla::NoFamilias, "(V_TA_FAMILIAS.", "(SS_V_TA_FAMILIAS."},
    {Regla::NoFamilias, ",V_TA_FAMILIAS.", ",SS_V_TA_FAMILIAS."},
    {Regla::Siempre, " V_TA_CAJAS ", " SS_V_TA_CAJAS "},
    {Regla::Siempre, "(V_TA_CAJAS ", "(SS_V_TA_CAJAS "},
    {Regla::Siempre, " V_TA_CAJAS.", " SS_V_TA_CAJAS."},
    {Regla::Siempre, "(V_TA_CAJAS.", "(SS_V_TA_CAJAS."},
    {Regla::Siempre, ",V_TA_CAJAS.", ",SS_V_TA_CAJAS."},
    {Regla::Siempre, " AC_CUENTASDIARIO ", " SS_AC_CUENTASDIARIO "},
    {Regla::Siempre, "(AC_CUENTASDIARIO ", "(SS_AC_CUENTASDIARIO "},
    {Regla::Siempre, " AC_CUENTASDIARIO.", " SS_AC_CUENTASDIARIO."},
    {Regla::Siempre, "(AC_CUENTASDIARIO.", "(SS_AC_CUENTASDIARIO."},
    {Regla::Siempre, ",AC_CUENTASDIARIO.", ",SS_AC_CUENTASDIARIO."},
    {Regla::Siempre, " AC_CUENTASDIARIO_CCOSTO ", " SS_AC_CUENTAS_DIARIO_CCOSTO "},
    {Regla::Siempre, "(AC_CUENTASDIARIO_CCOSTO ", "(SS_AC_CUENTAS_DIARIO_CCOSTO "},
    {Regla::Siempre, " AC_CUENTASDIARIO_CCOSTO.", " SS_AC_CUENTAS_DIARIO_CCOSTO."},
    {Regla::Siempre, "(AC_CUENTASDIARIO_CCOSTO.", "(SS_AC_CUENTAS_DIARIO_CCOSTO."},
    {Regla::Siempre, ",AC_CUENTASDIARIO_CCOSTO.", ",SS_AC_CUENTAS_DIARIO_CCOSTO."},
};

QString sinMarca(const QString& s) { return vbtext::ReplaceAll(s, QStringLiteral("@Admin_"), QString()); }

bool pareceFecha(const QString& s, QDate& fecha) {
    const QString t = s.trimmed();
    if (t.size() < 6 || t.size() > 10) return false;
    for (const char* f : {"d/M/yyyy", "d/M/yy", "d-M-yyyy"}) {
        fecha = QDate::fromString(t, QString::fromLatin1(f));
        if (fecha.isValid()) {
            if (QString::fromLatin1(f).endsWith(QLatin1String("/yy")) && fecha.year() < 1930) fecha = fecha.addYears(100);
            return true;
        }
    }
    return false;
}

int posCi(const QString& s, const QString& what, int from = 0) { return s.indexOf(what, from, Qt::CaseInsensitive); }

} // namespace

QString SinonimosSS(const QString& sql, bool esAdmin, bool confidencialidad, const QString& programa) {
    if (esAdmin) return sinMarca(sql);
    if (vbtext::Contains(sql, QStringLiteral("MV_ASIENTOS")) && !confidencialidad) return sinMarca(sql);
    const bool stock = kProgramasStockDeposito.contains(programa, Qt::CaseInsensitive);
    const bool familias = kProgramasFamilias.contains(programa, Qt::CaseInsensitive);
    QString s = sql;
    for (const Regla& r : kReglas) {
        if ((r.cuando == Regla::NoStock && stock) || (r.cuando == Regla::NoFamilias && familias)) continue;
        s = vbtext::ReplaceAll(s, QString::fromLatin1(r.de), QString::fromLatin1(r.a));
    }
    return sinMarca(s);
}

QString DiccionarioOracle(const QString& valor) {
    if (Utilidades().WordCount(valor) <= 1)
        return valor.toUpper() == QLatin1String("LEN") ? QStringLiteral("LENGTH") : valor;
    QString t = valor;
    // 1. TOP n becomes a ROWNUM condition before the grouping or ordering.
    if (vbtext::Contains(valor, QStringLiteral("top "))) {
        const int p = posCi(valor, QStringLiteral("top"));
        const QString pre = valor.left(p);
        const QString resto = vbtext::Trim(valor.mid(p + 3));
        const int blanco = resto.indexOf(u' ');
        const QString n = blanco < 0 ? resto : resto.left(blanco);
        QString cuerpo = blanco < 0 ? QString() : resto.mid(blanco + 1);
        QString grupo, orden;
        const int g = posCi(valor, QStringLiteral(" GROUP BY "));
        const int o = posCi(valor, QStringLiteral("ORDER BY "));
        if (g >= 0) grupo = valor.mid(g);
        else if (o >= 0) orden = valor.mid(o);
        const QString cola = vbtext::Trim(grupo + orden);
        if (!cola.isEmpty()) cuerpo = vbtext::ReplaceAll(cuerpo, cola, QStringLiteral(" "));
        const QString limite = vbtext::Contains(valor, QStringLiteral(" WHERE ")) ? QStringLiteral(" AND ROWNUM <= ") + n
                                                                                  : QStringLiteral(" WHERE ROWNUM <= ") + n;
        t = pre + u' ' + cuerpo + u' ' + limite + u' ' + grupo + u' ' + orden;
    }
    // 2. LEN with up to four blanks before "(".
    for (const char* l : {" LEN(", " LEN (", " LEN  (", " LEN   (", " LEN    ("})
        t = vbtext::ReplaceAll(t, QString::fromLatin1(l), QStringLiteral(" LENGTH("));
    // 3. Brackets.
    t.replace(u'[', u'"');
    t.replace(u']', u'"');
    // 4. Quoted dates.
    {
        QString out;
        int i = 0;
        while (true) {
            const int a = t.indexOf(u'\'', i);
            if (a < 0) break;
            const int b = t.indexOf(u'\'', a + 1);
            if (b < 0) break;
            QDate d;
            out += t.mid(i, a - i);
            if (pareceFecha(t.mid(a + 1, b - a - 1), d))
                out += QStringLiteral("TO_DATE('") + d.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral("','DD/MM/YYYY')");
            else
                out += t.mid(a, b - a + 1);
            i = b + 1;
        }
        t = out + t.mid(i);
        while (vbtext::Contains(t, QStringLiteral("TO_DATE(TO_DATE("))) {
            t = vbtext::ReplaceAll(t, QStringLiteral("TO_DATE(TO_DATE("), QStringLiteral("TO_DATE("));
            t = vbtext::ReplaceAll(t, QStringLiteral("'DD/MM/YYYY'),'DD/MM/YYYY')"), QStringLiteral("'DD/MM/YYYY')"));
        }
    }
    // 5, 6.
    t = vbtext::ReplaceAll(t, QStringLiteral("Charindex"), QStringLiteral("InStr"));
    t = vbtext::ReplaceAll(t, QStringLiteral("CONVERT(NVARCHAR,"), QStringLiteral("TO_CHAR("));
    t = vbtext::ReplaceAll(t, QStringLiteral("CONVERT(INT,"), QStringLiteral("TO_NUMBER("));
    // 7. Oracle reads an empty text as NULL.
    const int w = posCi(t, QStringLiteral("WHERE "));
    if (w >= 0) {
        QString cola = t.mid(w);
        cola = vbtext::ReplaceAll(cola, QStringLiteral("= ''"), QStringLiteral(" IS NULL "));
        cola = vbtext::ReplaceAll(cola, QStringLiteral("=''"), QStringLiteral(" IS NULL "));
        t = t.left(w) + cola;
    }
    // 8. Style 103 of TO_CHAR.
    for (int p = t.indexOf(QStringLiteral("103")); p >= 0; p = t.indexOf(QStringLiteral("103"), p + 3)) {
        const int paren = t.lastIndexOf(u'(', p);
        if (paren >= 7 && t.mid(paren - 7, 8).toUpper() == QLatin1String("TO_CHAR(")) {
            t.replace(p, 3, QStringLiteral("'DD/MM/YYYY'"));
            p += 12 - 3;
        }
    }
    // 9, 10.
    t = vbtext::ReplaceAll(t, QStringLiteral("SUBSTRING("), QStringLiteral("SUBSTR("));
    t = vbtext::ReplaceAll(t, QStringLiteral("ISNULL("), QStringLiteral("NVL("));
    return t;
}

QString DB_Dll::SS_TSinonimos(const QString& sql) const { return SinonimosSS(sql, gEsAdmin, Ajustes.SS_CONFIDENCIALIDAD, exeName()); }

QString DB_Dll::ORACLE_Dicc(const QString& Valor) const {
    if (!vbtext::Contains(gConnString, QStringLiteral("ORACLE"))) return Valor;
    return DiccionarioOracle(Valor);
}
