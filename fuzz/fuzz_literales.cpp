// Literal and name helpers, entry numbers, check digits and voucher numbers.
#include "FuzzComun.h"
#include "accounting/Lbc_Asiento.h"
#include "data/DB_Dll.h"
#include "platform/VbError.h"
#include "util/Formatos.h"
#include <sqlite3.h>

namespace {
// The value SQLite reads back from a literal, or nothing when it does not parse.
std::optional<QString> leidoPorSqlite(const QString& literal) {
    static sqlite3* db = [] {
        sqlite3* h = nullptr;
        sqlite3_open(":memory:", &h);
        return h;
    }();
    const QByteArray sql = (QStringLiteral("SELECT ") + literal).toUtf8();
    sqlite3_stmt* st = nullptr;
    std::optional<QString> out;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        out = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), sqlite3_column_bytes(st, 0));
    sqlite3_finalize(st);
    return out;
}

template <typename F> void atrapado(F f) {
    // These raise "invalid procedure call" on input they cannot take, which
    // their callers trap; anything else escaping is a fault.
    try {
        f();
    } catch (const VbError&) {
    }
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n) {
    const auto partes = fuzz::dos(d, n);
    const QString a = partes.first, b = partes.second;
    const QString s = fuzz::texto(d, n);
    if (!s.contains(QChar(0))) {
        const QString lit = DB_Dll::SQLValue(ado::Variant(s)).toText();
        const auto leido = leidoPorSqlite(lit);
        AGR_CHECK(leido && *leido == s, s, lit);
    }
    atrapado([&] { DB_Dll::SQLValue(ado::Variant(s), QStringLiteral("@")); });
    DB_Dll::SQLValue(ado::Variant(s), QString());
    atrapado([&] {
        QString nombre = s;
        DB_Dll::stSTF(nombre, false);
        nombre = s;
        DB_Dll::stSTF(nombre, true);
    });
    atrapado([&] { AGR_CHECK(s.contains(DB_Dll::StripConnect(s)), s, DB_Dll::StripConnect(s)); });
    atrapado([&] {
        const QString r = DB_Dll::StripBrackets(s);
        AGR_CHECK(s.contains(r), s, r);
    });
    AGR_CHECK(s.startsWith(DB_Dll::StripFileName(s)), s, DB_Dll::StripFileName(s));
    atrapado([&] {
        const QString r = Lbc_Asiento::FMTNroAsiento(s);
        AGR_CHECK(r == s || r.contains(u'-'), s, r);
    });
    atrapado([&] {
        Lbc_Asiento::EliminaCarNroAsiento(a, b);
        Lbc_Asiento::EliminaCarNroAsiento(a, QStringLiteral("3"), b);
        Lbc_Asiento::EliminaCarNroAsiento(s, QStringLiteral("2"));
    });
    const int dv = Lbc_Asiento::CalculoDV(s);
    AGR_CHECK(dv >= 0 && dv < 100, s, QString::number(dv));
    atrapado([&] {
        const QString c = FormatoNroComprobante(a, b, s.left(3));
        AGR_CHECK(c.contains(u'-'), a + u'|' + b, c);
    });
    return 0;
}
