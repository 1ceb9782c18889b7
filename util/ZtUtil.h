#pragma once
#include "platform/Prompt.h"
#include "platform/VbError.h"
#include "platform/ado/Variant.h"
#include <QString>
#include <functional>

class QObject;

// The suite's utility class: small text, number and code operations, the
// error report of the windows, and the scrambling of stored names and
// passwords. One process-wide instance (Utilidades()); classes that keep a
// private one may simply construct their own, it holds no state.
class ZtUtil {
public:
    QString FitText(const QString& text, int n) const;     // exactly n characters
    QString LimitText(const QString& text, int n) const;   // at most n characters
    double TextToCurrency(const QString& text) const;      // four decimals; raises 13 on non-numbers
    qint32 TextToLong(const QString& text) const;
    QString NullToText(const ado::Variant& v) const;
    int WordCount(const QString& text) const;
    QString RemoveText(const QString& text, const QString& a, const QString& b = {}, const QString& c = {}) const;
    QString ReplaceText(const QString& text, const QString& find, const QString& replacement) const;
    void PrepareWindow(QObject* window, bool flag) const;
    void SetBusy(bool busy) const;
    // Stored form of a code: trimmed and right-aligned with blanks to the width.
    QString FormatCode(const QString& code, int width = 4) const;
    QString DateToSql(const ado::Variant& date) const;
    // Report of an unexpected error; answers as the error trap reads them.
    int ReportError(const VbError& error, int buttons = vb::AbortRetryIgnore | vb::Critical,
                    const QString& routine = {}) const;
    QString Scramble(const QString& text) const;
    QString Unscramble(const QString& stored) const;
    QString AddBackslash(const QString& folder) const;
    QString ReplaceName(const QString& text, const QString& name, const QString& newName) const;

    // The window layer shows the busy cursor; nothing below it knows how.
    static void setBusyHandler(std::function<void(bool)> handler);
};

ZtUtil& Utilidades();
