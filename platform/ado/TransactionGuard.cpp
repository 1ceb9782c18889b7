#include "platform/ado/TransactionGuard.h"

namespace ado {

TransactionGuard::TransactionGuard(Connection& c) : conn_(c) { conn_.BeginTrans(); }

TransactionGuard::~TransactionGuard() {
    if (done_) return;
    try {
        if (conn_.State() == ad::StateOpen && conn_.inTransaction()) conn_.RollbackTrans();
    } catch (...) {
        // The connection is gone; the engine has dropped the transaction with it.
    }
}

void TransactionGuard::commit() {
    conn_.CommitTrans();
    done_ = true;
}

} // namespace ado
