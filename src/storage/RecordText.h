// Text and numbers inside record files: character sets, trimming, names compared loosely.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// text without spaces and tabs at either end.
std::string_view TrimRecordText(std::string_view text);

// The ASCII letters and digits of text, in lower case: "Free-style" and "free style" both become
// "freestyle".
std::string AlphanumericLowerCase(std::string_view text);

// The number text writes, from -999999999 to 999999999, with spaces around it allowed.
std::optional<int> RecordNumber(std::string_view text);

bool IsUtf8(std::string_view text);

// text as UTF-8: converted from Latin-1 when latin1, else as is.
std::string RecordText(std::string_view text, bool latin1);

// text on one line: line breaks become spaces, and spaces at either end go.
std::string RecordSimpleText(std::string_view text);
