#include "util/ZtIni.h"
#include "platform/ProgramFolder.h"
#include "util/Cp1252.h"
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

ZtIni& Ini() {
    static ZtIni i;
    return i;
}

QString ZtIni::locate(const QString& file) {
    const QString folder = programFolder();
    QString name = file;
    name.replace(u'\\', u'/');
    name = name.section(u'/', -1);
    const QDir dir(folder);
    if (QFile::exists(folder + name)) return folder + name;
    for (const QString& e : dir.entryList(QDir::Files | QDir::Hidden))
        if (e.compare(name, Qt::CaseInsensitive) == 0) return folder + e;
    return folder + name;
}

static QString decodeText(const QByteArray& raw) {
    // Files written on Windows are in the ANSI code page; ours are UTF-8.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = utf8(raw);
    if (!utf8.hasError()) return s.startsWith(QChar(0xFEFF)) ? s.mid(1) : s;
    return cp1252::decode(raw);
}

QString iniValueFromText(const QString& text, const QString& section, const QString& key, const QString& def,
                         bool* found) {
    if (found) *found = false;
    const QString wantSection = section.trimmed();
    const QString wantKey = key.trimmed();
    bool inSection = false;
    for (QString line : text.split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';')) continue;
        if (line.startsWith(u'[')) {
            const int close = line.indexOf(u']');
            const QString name = (close < 0 ? line.mid(1) : line.mid(1, close - 1)).trimmed();
            inSection = name.compare(wantSection, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection) continue;
        const int eq = line.indexOf(u'=');
        if (eq < 0) continue;
        if (line.left(eq).trimmed().compare(wantKey, Qt::CaseInsensitive) != 0) continue;
        QString v = line.mid(eq + 1).trimmed();
        if (v.size() >= 2 && ((v.startsWith(u'"') && v.endsWith(u'"')) || (v.startsWith(u'\'') && v.endsWith(u'\''))))
            v = v.mid(1, v.size() - 2);
        if (found) *found = true;
        return v;
    }
    return def;
}

QString ZtIni::ReadIniValue(const QString& file, const QString& section, const QString& key, const QString& def) const {
    QFile f(locate(file));
    if (!f.open(QIODevice::ReadOnly)) return def;
    // An INI file is small; a huge one is not ours and is read no further than this.
    const QByteArray raw = f.read(4 * 1024 * 1024);
    return iniValueFromText(decodeText(raw), section, key, def);
}

bool ZtIni::WriteIniValue(const QString& file, const QString& section, const QString& key, const QString& value) const {
    const QString path = locate(file);
    QString text;
    {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) text = decodeText(f.readAll());
    }
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    int sectionAt = -1, insertAt = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const QString l = lines[i].trimmed();
        if (l.startsWith(u'[')) {
            if (sectionAt >= 0 && insertAt < 0) insertAt = i;
            const QString name = l.mid(1, l.indexOf(u']') - 1).trimmed();
            if (name.compare(section, Qt::CaseInsensitive) == 0) sectionAt = i;
            continue;
        }
        if (sectionAt >= 0 && insertAt < 0) {
            const int eq = l.indexOf(u'=');
            if (eq > 0 && l.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0) {
                lines[i] = key + u'=' + value;
                insertAt = -2;
                break;
            }
        }
    }
    if (sectionAt < 0) {
        lines << u'[' + section + u']' << key + u'=' + value;
    } else if (insertAt != -2) {
        lines.insert(insertAt < 0 ? lines.size() : insertAt, key + u'=' + value);
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) return false;
    out.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    return out.commit();
}
