#include "data/DB_Dll.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"

namespace {
bool enClase(const ado::Variant& tipo, std::initializer_list<int> codigos) {
    // The code may come as a number or as its decimal text ("200" and 200).
    const QString t = vbtext::Trim(tipo.toText());
    for (int c : codigos)
        if (t.compare(QString::number(c), Qt::CaseInsensitive) == 0) return true;
    return false;
}
}

bool DB_Dll::adodate(const ado::Variant& q) { return enClase(q, {7, 133, 134, 135, 137, 64}); }
bool DB_Dll::ADOText(const ado::Variant& q) { return enClase(q, {8, 129, 130, 200, 201, 202, 203}); }
bool DB_Dll::ADONumeric(const ado::Variant& q) { return enClase(q, {2, 3, 4, 5, 14, 16, 17, 18, 19, 20, 21, 131}); }
bool DB_Dll::ADOCurrency(const ado::Variant& q) { return enClase(q, {6}); }
bool DB_Dll::ADOBoolean(const ado::Variant& q) { return enClase(q, {11}); }
QString DB_Dll::ADOComilla(const ado::Variant& q) { return (adodate(q) || ADOText(q)) ? QStringLiteral("'") : QString(); }

ado::Variant DB_Dll::SQLValue(const ado::Variant& Valor, const QString& Tipo) {
    QString abre, cierra;
    ado::Variant v = Valor;
    if (Tipo == QLatin1String("@")) {
        if (!v.isNull()) {
            // The amount is written with "." as its decimal separator.
            const double d = Utilidades().TextToCurrency(v.toText());
            v = ado::Variant(d).toText().replace(u',', u'.');
        }
    } else if (Tipo == QLatin1String("'")) {
        abre = cierra = QStringLiteral("'");
    }
    QString cuerpo;
    if (v.isNull()) {
        cuerpo = Tipo == QLatin1String("@") ? QStringLiteral("0") : QStringLiteral("NULL");
        if (Tipo != QLatin1String("@")) abre = cierra = QString();
    } else {
        cuerpo = v.toText();
        // A text literal keeps its own apostrophes by doubling them.
        if (!abre.isEmpty()) cuerpo = entreComillas(cuerpo);
    }
    return abre + cuerpo + cierra;
}

QString DB_Dll::stSTF(QString& rsName, bool rnPart) {
    const int primero = rsName.indexOf(u'.');
    if (primero >= 0 && rsName.indexOf(u'.', primero + 1) >= 0) return StripOwner(rsName);
    if (rnPart) return primero < 0 ? rsName : rsName.mid(primero + 1);
    if (primero < 0) throw VbError::invalidCall(QStringLiteral("stSTF"));
    return rsName.left(primero);
}

QString DB_Dll::AddBrackets(const QString& n) {
    if (n.contains(u' ') && !n.startsWith(u'[')) return u'[' + n + u']';
    return n;
}

QString DB_Dll::StripConnect(const QString& n) {
    const int p = n.indexOf(QStringLiteral("->"));
    if (p < 0) return n;
    if (p == 0) throw VbError::invalidCall(QStringLiteral("StripConnect"));
    return n.left(p - 1);   // the blank before "->" goes too
}

QString DB_Dll::StripBrackets(const QString& n) {
    if (!n.startsWith(u'[')) return n;
    if (n.size() < 2) throw VbError::invalidCall(QStringLiteral("StripBrackets"));
    return n.mid(1, n.size() - 2);
}

QString DB_Dll::StripOwner(QString& n) {
    const int p = n.indexOf(u'.');
    if (p < 0) return n;
    n = n.mid(p + 1);
    return n;
}

QString DB_Dll::StripFileName(const QString& path) {
    // Paths here are POSIX ones; a Windows path's "\" counts as well.
    const int p = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return p < 0 ? QString() : path.left(p);
}
