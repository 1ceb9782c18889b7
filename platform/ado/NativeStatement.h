#pragma once
#include <QString>

namespace ado {

// One statement as the engine will run it.
struct NativeStatement {
    enum class Kind { Sql, Begin, Commit, Rollback };
    Kind kind = Kind::Sql;
    QString text;
    bool operator==(const NativeStatement& o) const { return kind == o.kind && text == o.text; }
};

} // namespace ado
