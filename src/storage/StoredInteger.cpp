// Stored texts to integers: decimal and the two hexadecimal spellings.
#include "storage/StoredInteger.h"

#include <limits>

namespace {

int DigitValue(QChar ch, int base) {
    const char16_t c = ch.unicode();
    int v = -1;
    if (c >= u'0' && c <= u'9') {
        v = c - u'0';
    } else if (c >= u'a' && c <= u'f') {
        v = c - u'a' + 10;
    } else if (c >= u'A' && c <= u'F') {
        v = c - u'A' + 10;
    }
    return v < base ? v : -1;
}

// The magnitude of a run of digits, or nothing when the run is empty, holds another character or
// exceeds limit.
std::optional<std::uint64_t> ParseMagnitude(QStringView digits, int base, std::uint64_t limit) {
    if (digits.isEmpty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (QChar ch : digits) {
        const int d = DigitValue(ch, base);
        if (d < 0) {
            return std::nullopt;
        }
        value = value * base + d;
        if (value > limit) {
            return std::nullopt;
        }
    }
    return value;
}

} // namespace

std::optional<std::int32_t> ParseStoredInteger(QStringView text) {
    // "0x1F" is read as "$1F"; a bare "0x" stays what it is, which is no number.
    bool hex = false;
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        hex = true;
        text = text.sliced(2);
    }
    bool negative = false;
    if (!hex && !text.isEmpty() && (text[0] == u'-' || text[0] == u'+')) {
        negative = text[0] == u'-';
        text = text.sliced(1);
    }
    if (!hex && !text.isEmpty() && text[0] == u'$') {
        hex = true;
        text = text.sliced(1);
    }
    constexpr std::uint64_t maxInt = std::numeric_limits<std::int32_t>::max();
    const std::uint64_t limit =
        hex ? std::numeric_limits<std::uint32_t>::max() : maxInt + (negative ? 1 : 0);
    const auto magnitude = ParseMagnitude(text, hex ? 16 : 10, limit);
    if (!magnitude) {
        return std::nullopt;
    }
    // Two's complement wrap: hexadecimal spells the bit pattern, and -2147483648 fits.
    std::uint32_t bits = static_cast<std::uint32_t>(*magnitude);
    if (negative) {
        bits = 0u - bits;
    }
    return static_cast<std::int32_t>(bits);
}
