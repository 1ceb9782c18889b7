#include "util/Cp1252.h"

namespace cp1252 {
namespace {
// 0x80..0x9F; 0 marks the five bytes the code page leaves undefined.
const char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                            0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                            0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
}

QByteArray encode(const QString& s) {
    QByteArray out;
    out.reserve(s.size());
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.append(char(u));
            continue;
        }
        // The five undefined bytes were read as the C1 points of the same
        // number; they go back as the same byte, so a record round-trips.
        char b = (u >= 0x80 && u < 0xA0 && kHigh[u - 0x80] == 0) ? char(u) : '?';
        for (int i = 0; i < 32; ++i)
            if (kHigh[i] && kHigh[i] == u) b = char(0x80 + i);
        out.append(b);
    }
    return out;
}

QString decode(const QByteArray& b) {
    QString out;
    out.reserve(b.size());
    for (char ch : b) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c >= 0x80 && c < 0xA0) out += QChar(kHigh[c - 0x80] ? kHigh[c - 0x80] : char16_t(c));
        else out += QChar(char16_t(c));
    }
    return out;
}
} // namespace cp1252
