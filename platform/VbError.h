#pragma once
#include <QString>
#include <exception>

// A run-time error as the suite's routines see it: a number, a description and
// the source that raised it. Every trap of the system catches this type; the
// data layer's errors derive from it and keep ADO's numbers.
class VbError : public std::exception {
public:
    VbError(long number, QString description, QString source = {});
    long number() const { return number_; }
    const QString& description() const { return description_; }
    const QString& source() const { return source_; }
    const char* what() const noexcept override { return what_.constData(); }

    // The run-time error raised by a call with an argument it cannot use.
    static VbError invalidCall(const QString& source = {});

private:
    long number_;
    QString description_;
    QString source_;
    QByteArray what_;
};

namespace vberr {
constexpr long InvalidCall = 5;
constexpr long TypeMismatch = 13;
}
