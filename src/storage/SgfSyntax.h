// SGF's syntax: game trees of nodes of properties, read down the main line, and values escaped
// for writing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct TSgfProperty {
    std::string Id; // capital letters only: older files' lower-case letters are dropped
    std::vector<std::string> Values;
};

using TSgfNode = std::vector<TSgfProperty>;

// The nodes of the main line of the first game tree in text: at every branching the first
// variation, as SGF readers show a game by default. The whole first tree must be well formed,
// variations included; what follows it (more games of a collection) is not read. Values come
// unescaped, with soft line breaks removed, every line break as '\n' and other white space as ' '.
// Raises EStorageError for malformed text.
std::vector<TSgfNode> ParseSgfMainLine(std::string_view text);

// value with '\' and ']' escaped, ready to stand between '[' and ']'.
std::string EscapeSgfValue(std::string_view value);
