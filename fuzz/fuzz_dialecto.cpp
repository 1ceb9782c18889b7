// The T-SQL reader and its translation for SQLite and PostgreSQL.
#include "FuzzComun.h"
#include "platform/ado/SqlDialect.h"
#include "platform/ado/SqlTokenizer.h"
#include "platform/ado/TranslationMemo.h"

using ado::SqlToken;

namespace {
// The tokens that carry meaning: no blanks, comments, ";" or GO.
QStringList significativos(const std::vector<SqlToken>& t) {
    QStringList out;
    for (const SqlToken& k : t)
        if (k.kind != SqlToken::Kind::Space && k.kind != SqlToken::Kind::Comment && !k.isSymbol(';') && !k.is("GO"))
            out << k.text;
    return out;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n) {
    const QString sql = fuzz::texto(d, n);
    const std::vector<SqlToken> tokens = ado::tokenizeSql(sql);
    // Reading loses nothing.
    AGR_CHECK(ado::joinTokens(tokens) == sql, sql, ado::joinTokens(tokens));
    // Splitting keeps every piece of every statement once, in order.
    std::vector<SqlToken> juntos;
    for (const auto& st : ado::SqlDialect::splitStatements(sql)) juntos.insert(juntos.end(), st.begin(), st.end());
    AGR_CHECK(significativos(juntos) == significativos(tokens), sql, significativos(juntos).join(u' '));
    ado::SqlDialect::simpleSelectTable(sql);
    // The dialects live across inputs, so that the translations they keep by
    // shape serve the inputs that follow.
    static const ado::SqlDialect dialectos[] = {ado::SqlDialect(ado::SqlDialect::Engine::Sqlite),
                                                ado::SqlDialect(ado::SqlDialect::Engine::Postgres),
                                                ado::SqlDialect(ado::SqlDialect::Engine::TSql)};
    for (const ado::SqlDialect& dialecto : dialectos) {
        const auto e = dialecto.engine();
        QString salida;
        const std::vector<ado::NativeStatement> traducida = dialecto.translate(sql);
        for (const ado::NativeStatement& s : traducida) salida += s.text + u'\n';
        if (e == ado::SqlDialect::Engine::TSql) continue;
        // The short cuts (a plain text as written, a known shape filled with
        // this text's literals) give what the token-by-token translation gives,
        // also for the same shape with other texts.
        AGR_CHECK(traducida == dialecto.translateTokens(sql), sql, salida);
        const ado::MaskedText m = ado::maskComparedTexts(sql);
        if (!m.shape.isEmpty()) {
            QString otra = m.shape;
            for (int k = 0; k < m.texts.size(); ++k)
                otra.replace(u'\'' + QString(QChar(0xFFFF)) + QString::number(k) + u'\'', k % 2 ? QStringLiteral("'o''tra'") : QStringLiteral("''"));
            AGR_CHECK(dialecto.translate(otra) == dialecto.translateTokens(otra), otra, salida);
        }
        // A plain text literal reaches the engine as written, except in a
        // transaction or session-option statement the engine has no use for
        // (which is short: nothing else can hide in it), and the date of an
        // ODBC escape ({d '...'}, {ts '...'}), which the engine's date form replaces.
        for (const auto& pieza : ado::SqlDialect::splitStatements(sql)) {
            bool sinSql = true;
            for (const auto& s : dialecto.translate(ado::joinTokens(pieza)))
                if (s.kind == ado::NativeStatement::Kind::Sql && !s.text.isEmpty()) sinSql = false;
            if (sinSql) {
                AGR_CHECK(significativos(pieza).size() <= 7, ado::joinTokens(pieza), salida);
                continue;
            }
            const SqlToken* antes[2] = {nullptr, nullptr};
            for (const SqlToken& k : pieza) {
                if (k.kind == SqlToken::Kind::Space || k.kind == SqlToken::Kind::Comment) continue;
                const bool escape = antes[0] && antes[1] && antes[1]->isSymbol('{') && (antes[0]->is("d") || antes[0]->is("ts"));
                if (!escape && k.kind == SqlToken::Kind::String && k.text.startsWith(u'\'') && k.text.size() >= 2 && k.text.endsWith(u'\''))
                    AGR_CHECK(salida.contains(k.text), sql, salida);
                antes[1] = antes[0];
                antes[0] = &k;
            }
        }
    }
    return 0;
}
