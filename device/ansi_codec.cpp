#include "ansi_codec.h"

#include <cstdint>

namespace velmo {
namespace {

// The code point at `at`, advancing past it; nothing for a malformed sequence.
std::optional<uint32_t> NextCodePoint(std::string_view text, size_t& at) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
  const uint8_t lead = byte(at);
  if (lead < 0x80) {
    ++at;
    return lead;
  }
  size_t extra = 0;
  uint32_t point = 0, least = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, point = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, point = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, point = lead & 0x07, least = 0x10000;
  } else {
    return std::nullopt;
  }
  if (at + extra >= text.size()) return std::nullopt;
  for (size_t i = 1; i <= extra; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return std::nullopt;
    point = point << 6 | (byte(at + i) & 0x3F);
  }
  if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return std::nullopt;
  at += extra + 1;
  return point;
}

}  // namespace

bool IsUtf8(std::string_view text) {
  for (size_t at = 0; at < text.size();) {
    if (!NextCodePoint(text, at)) return false;
  }
  return true;
}

std::optional<std::string> Latin1Codec::ToAnsi(std::string_view utf8) const {
  std::string ansi;
  for (size_t at = 0; at < utf8.size();) {
    const auto point = NextCodePoint(utf8, at);
    if (!point || *point > 0xFF) return std::nullopt;
    ansi.push_back(static_cast<char>(*point));
  }
  return ansi;
}

std::string Latin1Codec::ToUtf8(std::string_view ansi) const {
  std::string utf8;
  for (const char c : ansi) {
    const auto byte = static_cast<uint8_t>(c);
    if (byte < 0x80) {
      utf8.push_back(c);
    } else {
      utf8.push_back(static_cast<char>(0xC0 | byte >> 6));
      utf8.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
    }
  }
  return utf8;
}

}  // namespace velmo
