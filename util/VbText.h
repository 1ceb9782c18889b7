#pragma once
#include "platform/ado/Variant.h"
#include <QString>
#include <QStringList>

// The few VB string rules the suite's routines depend on. VB's Trim removes
// blanks only (not tabs or line breaks), and its text searches used here
// ignore case.
namespace vbtext {
QString Trim(const QString& s);
QString LTrim(const QString& s);
QString RTrim(const QString& s);
// 1-based position of `what` in `s` from `start`, ignoring case; 0 when absent.
int InStr(const QString& s, const QString& what, int start = 1);
bool Contains(const QString& s, const QString& what);
bool Equals(const QString& a, const QString& b);
// Every occurrence replaced, ignoring case.
QString ReplaceAll(const QString& s, const QString& what, const QString& with);
using ado::vbVal;
inline double Val(const QString& s) { return ado::vbVal(s); }
// The fields of a comma-separated line as VB's Input # reads it: a field in
// double quotes may hold commas; the quotes themselves are dropped.
QStringList CamposConComillas(const QString& linea);
// VB's CInt: rounds half to even, within 16 bits; out of range is an overflow.
int CInt(double d);
// A whole number of 64 bits, rounded half away from zero; beyond its range
// (or not finite) is an overflow (6), as VB raises it.
qint64 CLng64(double d);
}
