// The conversion of a stored text to a 32-bit integer, shared by every integer and boolean read.
#pragma once

#include <QStringView>
#include <cstdint>
#include <optional>

// Decimal with an optional sign, or hexadecimal after "$" or a leading "0x"/"0X". Hexadecimal
// takes up to 32 bits and wraps into the signed range, so "$FFFFFFFF" is -1. Anything else,
// the empty text included, has no value.
std::optional<std::int32_t> ParseStoredInteger(QStringView text);

// The integer, or the fallback when the text holds none.
inline std::int32_t StoredIntegerOr(QStringView text, std::int32_t fallback) {
    return ParseStoredInteger(text).value_or(fallback);
}
