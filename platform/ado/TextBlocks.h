#pragma once
#include <QString>
#include <QStringDecoder>

namespace ado {

// The texts of a result, decoded from the driver's UTF-8 one after another
// into shared blocks instead of one allocation each: a read of a hundred
// thousand rows made two hundred thousand small allocations, and they cost
// more than the engine's work. Each text is an ordinary QString that holds a
// reference to its block (the block is freed with its last text), ends in a
// NUL as Qt expects, and is copied out before any change while the block is
// shared. A text kept after its result is gone keeps its block alive; blocks
// start small and grow with the result, so that a one-row read (a setting, a
// description) holds little.
class TextBlocks {
public:
    TextBlocks() = default;
    // A copy starts blocks of its own: two tables must never fill one block.
    TextBlocks(const TextBlocks&) : TextBlocks() {}
    TextBlocks& operator=(const TextBlocks&) {
        retire();
        return *this;
    }
    ~TextBlocks() { retire(); }

    // The same text as QString::fromUtf8(s, n).
    QString fromUtf8(const char* s, qsizetype n);

private:
    // Gives back the references taken for texts the block will not hold.
    void retire();

    QString block_;   // only its storage is used; the text itself is never read
    char16_t* next_ = nullptr;
    qsizetype free_ = 0;
    int spareRefs_ = 0;   // taken on the block at once, one per text still to come
    qsizetype nextSize_ = 128;
    QStringDecoder decoder_{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
};

} // namespace ado
