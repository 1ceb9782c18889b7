#pragma once
#include "platform/ado/NativeStatement.h"
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace ado {

// A T-SQL text with its compared texts (a literal after =, <, >, <=, >=,
// <>, != ) taken out: "... WHERE CODIGO = '0001'" and "... = '0002'" have
// one shape, "... = '\xFFFF0'".
struct MaskedText {
    QString shape;      // empty: the text has no such literal, or holds the mark itself
    QStringList texts;  // the literals taken out, quotes included, in order
};
MaskedText maskComparedTexts(const QString& tsql);

// Translations remembered by shape. The rules look at a literal's kind, never
// at its letters (only an N'' text or an escape's date is rewritten, and
// neither is taken out), so a shape translates once for all its texts: the
// window reads a grouping, an account's description or a setting with the
// same words and a different code each time. A shape is kept only after its
// first text gave exactly the translation the literals give in place.
class TranslationMemo {
public:
    using Translate = std::function<std::vector<NativeStatement>(const QString&)>;
    std::vector<NativeStatement> translate(const QString& tsql, const Translate& full);
    int size() const { return int(kept_.size()); }

private:
    static std::optional<std::vector<NativeStatement>> fill(const std::vector<NativeStatement>& shaped, const QStringList& texts);
    QHash<QString, std::vector<NativeStatement>> kept_;
};

} // namespace ado
