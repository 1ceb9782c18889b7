#pragma once
#include <QString>
#include <QStringList>

// The control-array class: finds, among the data-field names of a control
// array (in index order), the control bound to a field.
class ZtControlArray {
public:
    // Index of the control bound to `field` (case ignored), -1 when none.
    int FindFieldControl(const QString& field, const QStringList& dataFields) const;
};

ZtControlArray& Controles();
