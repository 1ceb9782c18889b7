#include "util/ErrorTrap.h"
#include "platform/Prompt.h"

bool runTrapped(const TrapReport& report, const std::vector<TrapStep>& steps) {
    for (size_t i = 0; i < steps.size();) {
        int answer = 0;
        try {
            steps[i]();
            ++i;
            continue;
        } catch (const VbError& e) {
            answer = report(e);
        } catch (const std::bad_alloc&) {
            answer = report(VbError(7, QStringLiteral("Memoria insuficiente")));
        } catch (const std::exception& e) {
            answer = report(VbError(51, QStringLiteral("Error interno: %1").arg(QString::fromLocal8Bit(e.what()))));
        }
        if (answer == vb::Retry) continue;
        if (answer == vb::Ignore) {
            ++i;
            continue;
        }
        return false;
    }
    return true;
}

namespace trap {
int skipAll(const VbError&) { return vb::Ignore; }
int skipInvalidArguments(const VbError& e) { return e.number() == vberr::InvalidCall ? vb::Ignore : 0; }
int leave(const VbError&) { return 0; }
}
