#pragma once
#include "platform/VbError.h"
#include <QString>
#include <vector>

namespace ado {

// ADO's error numbers, as the suite's traps test them.
namespace err {
constexpr long ObjectClosed = 3704;        // operation not allowed when the object is closed
constexpr long ObjectOpen = 3705;          // operation not allowed when the object is open
constexpr long ProviderNotFound = 3706;
constexpr long ConnectionInvalid = 3709;   // connection closed or invalid in this context
constexpr long NotAllowedInContext = 3219;
constexpr long BofOrEof = 3021;
constexpr long ItemNotFound = 3265;
constexpr long NotUpdatable = 3251;
constexpr long ArgumentsWrong = 3001;
constexpr long Unspecified = long(int32_t(0x80004005));
constexpr long CommandTextError = long(int32_t(0x80040E14));
constexpr long NoSuchTable = long(int32_t(0x80040E37));
constexpr long IntegrityViolation = long(int32_t(0x80040E2F));
constexpr long RowChanged = long(int32_t(0x80040E38));   // row cannot be located for updating
constexpr long NoBackwardFetch = long(int32_t(0x80040E24));
constexpr long Timeout = long(int32_t(0x80040E31));
constexpr long Truncation = long(int32_t(0x80040E57));
}

// SQL Server's native numbers, which the data layer reports for every engine
// where an equivalent exists.
namespace native {
constexpr long DuplicateKey = 2627;
constexpr long Constraint = 547;
constexpr long Truncation = 8152;
constexpr long NoSuchObject = 208;
constexpr long Syntax = 102;
constexpr long InvalidColumn = 207;
constexpr long LoginFailed = 18456;
constexpr long Timeout = -2;
constexpr long Deadlock = 1205;
}

// One provider error of a Connection's Errors collection.
struct ErrorItem {
    long Number = 0;
    QString Description;
    QString SQLState;
    long NativeError = 0;
    QString Source;
};

class Errors {
public:
    long Count() const { return long(items_.size()); }
    const ErrorItem& Item(long i) const { return items_.at(size_t(i)); }
    void Clear() { items_.clear(); }
    void Add(ErrorItem e) { items_.push_back(std::move(e)); }
    const std::vector<ErrorItem>& items() const { return items_; }

private:
    std::vector<ErrorItem> items_;
};

// A data-layer error raised into the caller's trap.
class AdoError : public VbError {
public:
    using VbError::VbError;
};

// A failure reported by an engine, before it is turned into ADO's terms.
struct ProviderFailure {
    long adoNumber = err::Unspecified;
    std::vector<ErrorItem> items;   // never empty
    bool connectionLost = false;
};

class ProviderError : public std::exception {
public:
    explicit ProviderError(ProviderFailure f) : f_(std::move(f)), what_(f_.items.front().Description.toUtf8()) {}
    const ProviderFailure& failure() const { return f_; }
    const char* what() const noexcept override { return what_.constData(); }

private:
    ProviderFailure f_;
    QByteArray what_;
};

[[noreturn]] void raise(long number, const QString& description, const QString& source = QStringLiteral("ADODB"));

} // namespace ado
