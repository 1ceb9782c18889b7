#pragma once
#include <QString>

// The suite's initialisation-file class. Files are named alone and live in the
// program folder; the file name, sections and keys match without regard to
// case, as Windows' profile functions do.
class ZtIni {
public:
    QString ReadIniValue(const QString& file, const QString& section, const QString& key,
                         const QString& defaultValue = {}) const;
    // Writes (or replaces) one key, creating the file and section as needed.
    bool WriteIniValue(const QString& file, const QString& section, const QString& key, const QString& value) const;
    // The path of a file of the program folder, matched without regard to case;
    // the plain path when none exists yet.
    static QString locate(const QString& file);
};

ZtIni& Ini();
// Reads one value from INI text (used on files' contents and by tests).
QString iniValueFromText(const QString& text, const QString& section, const QString& key, const QString& defaultValue,
                         bool* found = nullptr);
