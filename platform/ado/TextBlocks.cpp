#include "platform/ado/TextBlocks.h"
#include <cstring>

namespace ado {

namespace {

constexpr qsizetype kLargestBlock = 16384;   // UTF-16 units: 32 kB

// Decodes ASCII and well-formed two- and three-byte sequences of the basic
// plane, the texts a database of accounts holds; gives nullptr at anything
// else (a leading BOM, four-byte sequences, noncharacters, malformed
// bytes), which Qt's decoder then takes whole, so that the result is always
// that of QString::fromUtf8. Qt's own decoder writing into a buffer took
// longer than an allocation and a fromUtf8.
char16_t* decodeCommon(const unsigned char* p, qsizetype n, char16_t* out) {
    const unsigned char* e = p + n;
    if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) return nullptr;
    while (p < e) {
        if (e - p >= 8) {
            quint64 w;
            std::memcpy(&w, p, 8);
            if ((w & 0x8080808080808080ULL) == 0) {
                for (int i = 0; i < 8; ++i) out[i] = p[i];
                p += 8;
                out += 8;
                continue;
            }
        }
        const unsigned c = *p;
        if (c < 0x80) {
            *out++ = char16_t(c);
            ++p;
        } else if (c >= 0xC2 && c < 0xE0 && e - p >= 2 && (p[1] & 0xC0) == 0x80) {
            *out++ = char16_t(((c & 0x1F) << 6) | (p[1] & 0x3F));
            p += 2;
        } else if ((c & 0xF0) == 0xE0 && e - p >= 3 && (p[1] & 0xC0) == 0x80 && (p[2] & 0xC0) == 0x80) {
            const unsigned u = ((c & 0x0F) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3Fu);
            if (u < 0x800 || (u >= 0xD800 && u <= 0xDFFF) || u >= 0xFDD0) return nullptr;
            *out++ = char16_t(u);
            p += 3;
        } else {
            return nullptr;
        }
    }
    return out;
}

} // namespace

QString TextBlocks::fromUtf8(const char* s, qsizetype n) {
    // An empty text and a long one go the usual way (an empty text is not
    // null, as fromUtf8 gives it).
    if (n <= 0 || n >= kLargestBlock / 4) return QString::fromUtf8(s, n);
    // UTF-8 never takes fewer bytes than UTF-16 units, plus the NUL.
    if (free_ < n + 1) {
        retire();
        block_ = QString(std::max(nextSize_, n + 1), Qt::Uninitialized);
        nextSize_ = std::min(nextSize_ * 2, kLargestBlock);
        next_ = block_.data_ptr().data();
        free_ = block_.size();
        // Each text holds a reference to its block. Taking one per text, a
        // locked add right after writing it, waited each time for those
        // writes to reach memory and was most of the cost; so the block takes
        // as many as it can ever hold texts (each is at least a unit and a
        // NUL) in one add, and gives back the rest when retired.
        spareRefs_ = int(free_ / 2);
        block_.data_ptr().d_ptr()->ref_.fetchAndAddRelaxed(spareRefs_);
    }
    char16_t* start = next_;
    char16_t* end = decodeCommon(reinterpret_cast<const unsigned char*>(s), n, start);
    if (!end) end = reinterpret_cast<char16_t*>(decoder_.appendToBuffer(reinterpret_cast<QChar*>(start), QByteArrayView(s, n)));
    *end = u'\0';
    const qsizetype len = end - start;
    next_ = end + 1;
    free_ -= len + 1;
    --spareRefs_;
    return QString(QStringPrivate(block_.data_ptr().d_ptr(), start, len));
}

void TextBlocks::retire() {
    // The block's own reference is still held here, so the count stays above
    // zero; the last text (or block_ below) frees it.
    if (spareRefs_ > 0) block_.data_ptr().d_ptr()->ref_.fetchAndSubRelaxed(spareRefs_);
    spareRefs_ = 0;
    block_ = QString();
    next_ = nullptr;
    free_ = 0;
}

} // namespace ado
