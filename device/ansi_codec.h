#pragma once
// Text between a profile (UTF-8) and the printer (8-bit text in the host's
// ANSI code page). The Win32 codec asks the platform; hosts without a code
// page use Latin-1.
#include <optional>
#include <string>
#include <string_view>

namespace velmo {

class AnsiCodec {
 public:
  virtual ~AnsiCodec() = default;
  // Nothing when `utf8` is not UTF-8 or holds a character the code page lacks.
  virtual std::optional<std::string> ToAnsi(std::string_view utf8) const = 0;
  virtual std::string ToUtf8(std::string_view ansi) const = 0;
};

class Latin1Codec : public AnsiCodec {
 public:
  std::optional<std::string> ToAnsi(std::string_view utf8) const override;
  std::string ToUtf8(std::string_view ansi) const override;
};

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view text);

}  // namespace velmo
