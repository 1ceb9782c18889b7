#pragma once
#include "platform/ado/Connection.h"

namespace ado {

// Begins a transaction and rolls it back when the guard goes out of scope
// without commit(), so that no error path leaves work half-written.
class TransactionGuard {
public:
    explicit TransactionGuard(Connection& c);
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;
    void commit();

private:
    Connection& conn_;
    bool done_ = false;
};

} // namespace ado
