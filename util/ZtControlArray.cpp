#include "util/ZtControlArray.h"

ZtControlArray& Controles() {
    static ZtControlArray c;
    return c;
}

int ZtControlArray::FindFieldControl(const QString& field, const QStringList& dataFields) const {
    for (int i = 0; i < dataFields.size(); ++i)
        if (dataFields[i].trimmed().compare(field.trimmed(), Qt::CaseInsensitive) == 0) return i;
    return -1;
}
