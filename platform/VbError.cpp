#include "platform/VbError.h"

VbError::VbError(long number, QString description, QString source)
    : number_(number), description_(std::move(description)), source_(std::move(source)),
      what_(QStringLiteral("%1: %2").arg(number_).arg(description_).toUtf8()) {}

VbError VbError::invalidCall(const QString& source) {
    return VbError(vberr::InvalidCall, QStringLiteral("Invalid procedure call or argument"), source);
}
