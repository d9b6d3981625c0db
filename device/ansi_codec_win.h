#pragma once
// The host's ANSI code page, as the printer takes its texts.
#include "ansi_codec.h"

namespace velmo {

class AnsiCodePageCodec : public AnsiCodec {
 public:
  std::optional<std::string> ToAnsi(std::string_view utf8) const override;
  std::string ToUtf8(std::string_view ansi) const override;
};

}  // namespace velmo
