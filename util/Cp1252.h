#pragma once
#include <QByteArray>
#include <QString>

// Windows-1252, the code page of the suite's byte-fixed files. Characters it
// cannot hold are written as "?".
namespace cp1252 {
QByteArray encode(const QString& s);
QString decode(const QByteArray& b);
}
