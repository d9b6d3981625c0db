#pragma once
// velmocheck's command line: one picture and the print settings to check it
// under. Parsing is all it does; nothing is opened here.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "preview_compose.h"

namespace velmo {

struct CheckArgs {
  std::string picture;
  std::string paperName;                 // -paper:NAME
  std::optional<int32_t> widthThousandths, heightThousandths;  // -size:WxH, millimetres given
  int dpi = 203;
  PreviewHalftone halftone = PreviewHalftone::Dither;
  int blackness = 50;
  PreviewRotation rotation = PreviewRotation::Deg0;
  int zoomPercent = 100;
  bool json = false;
  std::string out;  // -out:VIEW.png
  bool help = false;
};

struct ParsedCheckArgs {
  std::optional<CheckArgs> args;  // nothing when the command line is refused
  std::string error;              // why it was refused
};

// `arguments` without the program's name, UTF-8.
ParsedCheckArgs ParseCheckArgs(const std::vector<std::string>& arguments);

// The usage text that --help and a refused command line print.
extern const char kVelmocheckUsage[];

}  // namespace velmo
