#pragma once
#include <QDateTime>
#include <QString>
#include <variant>

namespace ado {

// A VB-style value: Empty, Null, text, whole number, double, currency-like
// decimal kept as double, Boolean or date. Field values and the parameters of
// the suite's routines travel in it.
class Variant {
public:
    enum class Kind { Empty, Null, Text, Integer, Double, Boolean, Date };

    Variant() = default;
    Variant(const QString& s) : v_(s) {}
    Variant(QString&& s) : v_(std::move(s)) {}
    Variant(const char* s) : v_(QString::fromUtf8(s)) {}
    Variant(int i) : v_(qint64(i)) {}
    Variant(long i) : v_(qint64(i)) {}
    Variant(long long i) : v_(qint64(i)) {}
    Variant(double d) : v_(d) {}
    Variant(bool b) : v_(b) {}
    Variant(const QDateTime& d) : v_(d) {}
    static Variant null() { Variant v; v.v_ = NullTag{}; return v; }

    Kind kind() const { return Kind(v_.index()); }
    bool isEmpty() const { return kind() == Kind::Empty; }
    bool isNull() const { return kind() == Kind::Null; }

    // The text of a Text value as stored, without a copy (kind() == Text only).
    const QString& textRef() const { return std::get<QString>(v_); }
    // VB's CStr, except that Null gives "" (callers use NullToText anyway).
    QString toText() const;
    double toDouble() const;      // text is read like VB's Val
    qint64 toLongLong() const;
    bool toBool() const;
    QDateTime toDateTime() const; // invalid when not a date

    bool operator==(const Variant& o) const;
    bool operator!=(const Variant& o) const { return !(*this == o); }

private:
    struct EmptyTag { bool operator==(const EmptyTag&) const { return true; } };
    struct NullTag { bool operator==(const NullTag&) const { return true; } };
    std::variant<EmptyTag, NullTag, QString, qint64, double, bool, QDateTime> v_;
};

// VB's Val: the leading number of a text, blanks ignored, 0 when none.
double vbVal(const QString& text);

} // namespace ado
