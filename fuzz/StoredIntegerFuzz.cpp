// Fuzzes the settings store's integer conversion against a plain reading of the two forms it
// accepts: every text gives either the number those forms spell or no number at all.
#include "storage/StoredInteger.h"

#include <QString>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool AllOf(const std::string& s, std::size_t from, int (*pred)(int)) {
    if (from >= s.size()) {
        return false;
    }
    for (std::size_t i = from; i < s.size(); ++i) {
        if (!pred(static_cast<unsigned char>(s[i]))) {
            return false;
        }
    }
    return true;
}

// What the text should read as, worked out with the C library.
std::optional<std::int32_t> Expected(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() > 0x7f || c.unicode() == 0) {
            return std::nullopt;
        }
    }
    std::string s = text.toStdString();
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        s = "$" + s.substr(2);
    }
    const std::size_t signs = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
    const bool negative = signs == 1 && s[0] == '-';
    if (s.size() > signs && s[signs] == '$') {
        if (!AllOf(s, signs + 1, isxdigit)) {
            return std::nullopt;
        }
        const unsigned long long v = std::strtoull(s.c_str() + signs + 1, nullptr, 16);
        if (v > 0xFFFFFFFFull) {
            return std::nullopt;
        }
        const auto bits = static_cast<std::uint32_t>(v);
        return static_cast<std::int32_t>(negative ? 0u - bits : bits);
    }
    if (!AllOf(s, signs, isdigit)) {
        return std::nullopt;
    }
    const long long v = std::strtoll(s.c_str(), nullptr, 10);
    if (v < INT32_MIN || v > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(v);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<std::int32_t> value = ParseStoredInteger(text);
    Require(value == Expected(text));
    if (value) {
        // What the store writes for a number reads back as that number.
        Require(ParseStoredInteger(QString::number(*value)) == value);
    }
    return 0;
}
