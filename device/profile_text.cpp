#include "profile_text.h"

#include <cstdint>

namespace velmo {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF", kUtf16LeMark = "\xFF\xFE", kUtf16BeMark = "\xFE\xFF";

void AppendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::optional<std::string> Utf16ToUtf8(std::string_view bytes, bool big_endian) {
  if (bytes.size() % 2) return std::nullopt;
  const auto unit = [&](size_t i) -> uint32_t {
    const auto first = static_cast<uint8_t>(bytes[2 * i]), second = static_cast<uint8_t>(bytes[2 * i + 1]);
    return big_endian ? (first << 8 | second) : (second << 8 | first);
  };
  std::string out;
  const size_t units = bytes.size() / 2;
  for (size_t i = 0; i < units; ++i) {
    uint32_t code = unit(i);
    if (code >= 0xDC00 && code <= 0xDFFF) return std::nullopt;
    if (code >= 0xD800 && code <= 0xDBFF) {
      if (i + 1 == units) return std::nullopt;
      const uint32_t low = unit(++i);
      if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
    }
    AppendUtf8(out, code);
  }
  return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool CodePageCarries(std::string_view ansi, const AnsiCodec& codec) {
  return codec.ToAnsi(codec.ToUtf8(ansi)) == std::string(ansi);
}

}  // namespace

std::optional<std::string> DecodeProfileBytes(std::string_view bytes) {
  std::optional<std::string> text;
  if (bytes.starts_with(kUtf8Mark)) {
    text = std::string(bytes.substr(kUtf8Mark.size()));
  } else if (bytes.starts_with(kUtf16LeMark)) {
    text = Utf16ToUtf8(bytes.substr(2), false);
  } else if (bytes.starts_with(kUtf16BeMark)) {
    text = Utf16ToUtf8(bytes.substr(2), true);
  } else {
    text = std::string(bytes);
  }
  if (!text || !IsUtf8(*text) || text->find('\0') != std::string::npos) return std::nullopt;
  return text;
}

bool TextNeedsQuotes(std::string_view ansi, const AnsiCodec& codec) {
  if (ansi.empty()) return false;
  if (IsBlank(ansi.front()) || IsBlank(ansi.back()) || ansi.front() == '"') return true;
  for (const char c : ansi) {
    if (IsControl(static_cast<unsigned char>(c))) return true;
  }
  return !CodePageCarries(ansi, codec);
}

namespace {

// `bytes_escaped`: every byte from 0x80 up as \xHH, for text that is not UTF-8.
std::string Quote(std::string_view text, bool bytes_escaped) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '"') {
      quoted += '\\';
      quoted += c;
    } else if (c == '\n') {
      quoted += "\\n";
    } else if (c == '\r') {
      quoted += "\\r";
    } else if (c == '\t') {
      quoted += "\\t";
    } else if (IsControl(byte) || (byte >= 0x80 && bytes_escaped)) {
      quoted += "\\x";
      quoted += kHex[byte >> 4];
      quoted += kHex[byte & 0xF];
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

}  // namespace

// A text the code page carries is written as UTF-8, where every byte below
// 0x80 is a character of its own; otherwise byte by byte, since a double-byte
// character's second byte may look like ASCII.
std::string QuoteText(std::string_view ansi, const AnsiCodec& codec) {
  if (CodePageCarries(ansi, codec)) return Quote(codec.ToUtf8(ansi), false);
  return Quote(ansi, true);
}

std::string QuoteUtf8Text(std::string_view utf8) { return Quote(utf8, false); }

std::optional<std::string> UnquoteText(std::string_view value, const AnsiCodec& codec, UnquoteError& error) {
  error = UnquoteError::kBadQuoting;
  if (value.empty() || value.front() != '"') return std::nullopt;
  std::string ansi, literal;  // `literal`: UTF-8 not yet in the code page
  const auto flush = [&] {
    auto converted = codec.ToAnsi(literal);
    literal.clear();
    if (!converted) return false;
    ansi += *converted;
    return true;
  };
  size_t i = 1;
  for (; i < value.size() && value[i] != '"'; ++i) {
    if (value[i] != '\\') {
      literal += value[i];
      continue;
    }
    if (++i == value.size()) return std::nullopt;
    switch (value[i]) {
      case '\\': literal += '\\'; break;
      case '"': literal += '"'; break;
      case 'n': literal += '\n'; break;
      case 'r': literal += '\r'; break;
      case 't': literal += '\t'; break;
      case 'x': {
        if (i + 2 >= value.size()) return std::nullopt;
        const int high = HexDigit(value[i + 1]), low = HexDigit(value[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        if (!flush()) return error = UnquoteError::kCodePage, std::nullopt;
        ansi += static_cast<char>(high << 4 | low);
        i += 2;
        break;
      }
      default:
        return std::nullopt;
    }
  }
  if (i == value.size()) return std::nullopt;
  for (const char c : value.substr(i + 1)) {
    if (!IsBlank(c)) return std::nullopt;
  }
  if (!flush()) return error = UnquoteError::kCodePage, std::nullopt;
  error = UnquoteError::kNone;
  return ansi;
}

}  // namespace velmo
