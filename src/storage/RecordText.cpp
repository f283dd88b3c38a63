// Record text helpers: plain C++, no locale, so every platform reads a file alike.
#include "storage/RecordText.h"

#include <algorithm>
#include <charconv>

std::string_view TrimRecordText(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string AlphanumericLowerCase(std::string_view text) {
    std::string key;
    for (char c : text) {
        if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')) {
            key += c;
        } else if (c >= 'A' && c <= 'Z') {
            key += static_cast<char>(c - 'A' + 'a');
        }
    }
    return key;
}

std::optional<int> RecordNumber(std::string_view text) {
    text = TrimRecordText(text);
    const std::size_t digits = text.size() - (text.starts_with('-') ? 1 : 0);
    int n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (digits == 0 || digits > 9 || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return n;
}

bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i++]);
        const int more = lead < 0x80                   ? 0
                         : lead >= 0xC2 && lead < 0xE0 ? 1
                         : lead >= 0xE0 && lead < 0xF0 ? 2
                         : lead >= 0xF0 && lead < 0xF5 ? 3
                                                       : -1;
        if (more < 0) {
            return false;
        }
        for (int k = 0; k < more; ++k, ++i) {
            if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
                return false;
            }
        }
    }
    return true;
}

std::string RecordText(std::string_view text, bool latin1) {
    if (!latin1) {
        return std::string(text);
    }
    std::string utf8;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

std::string RecordSimpleText(std::string_view text) {
    std::string line(TrimRecordText(text));
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return std::string(TrimRecordText(line));
}
