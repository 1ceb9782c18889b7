#include "platform/ProcessEnd.h"
#include <cstdio>
#include <cstdlib>

namespace { std::function<void(int)> gHandler; }

void setProcessEndHandler(std::function<void(int)> handler) { gHandler = std::move(handler); }

void TerminarProceso(int code) {
    if (gHandler) {
        gHandler(code);
        // A handler that returns still must not let the caller go on.
        throw ProcessEndRequested{code};
    }
    std::fflush(nullptr);
    std::_Exit(code);
}
