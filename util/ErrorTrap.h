#pragma once
#include "platform/VbError.h"
#include <functional>
#include <initializer_list>
#include <vector>

// The error trap of the suite's routines, written once. A routine's steps run
// in order; when a step raises, the report answers:
//   4 (retry)  the same step runs again,
//   5 (ignore) the next step runs,
//   other      the routine is left with its failure result.
// ProcessEndRequested is never caught here.
using TrapStep = std::function<void()>;
using TrapReport = std::function<int(const VbError&)>;

// True when every step ran to its end or was skipped with answer 5.
bool runTrapped(const TrapReport& report, const std::vector<TrapStep>& steps);
inline bool runTrapped(const TrapReport& report, std::initializer_list<TrapStep> steps) {
    return runTrapped(report, std::vector<TrapStep>(steps));
}

namespace trap {
// Every failing step is skipped silently (start-up, appearance, configuration).
int skipAll(const VbError&);
// Invalid-argument failures are skipped; any other leaves silently.
int skipInvalidArguments(const VbError&);
// Any failure leaves silently.
int leave(const VbError&);
}
