#include "platform/ado/Errors.h"

namespace ado {
void raise(long number, const QString& description, const QString& source) {
    throw AdoError(number, description, source);
}
}
