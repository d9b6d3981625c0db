#pragma once
// Cutting UTF-8 text to a byte limit without splitting a character: a
// broken character would turn into another one on its way to the
// platform's wide calls.
#include <cstddef>
#include <string_view>

namespace velmo {

// The longest prefix of `text` of at most `maxBytes` bytes that ends on a
// character boundary.
std::string_view Utf8Prefix(std::string_view text, std::size_t maxBytes);

}  // namespace velmo
