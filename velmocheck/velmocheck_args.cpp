#include "velmocheck_args.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace velmo {

const char kVelmocheckUsage[] =
    "usage: velmocheck LABEL.png|jpg|bmp [-paper:NAME | -size:WxH] [-dpi:N] [-threshold | -dither]\n"
    "                  [-blackness:N] [-rotate:N] [-zoom:N] [-json] [-out:VIEW.png]\n"
    "Checks that every barcode in LABEL still reads once the printer has made its dots of it.\n"
    "  -paper:NAME   the paper form NAME (its size from the spooler)\n"
    "  -size:WxH     a paper of W x H millimetres (default: the picture, a pixel a dot)\n"
    "  -dpi:N        the printer's resolution, 50 to 2400 (default 203)\n"
    "  -threshold    black and white by a threshold; -dither (default) by error diffusion\n"
    "  -blackness:N  0 to 100 (default 50)\n"
    "  -rotate:N     0, 90, 180 or 270\n"
    "  -zoom:N       50 to 150 percent in steps of 5 (default 100)\n"
    "  -json         one JSON document instead of lines of text\n"
    "  -out:FILE     writes the printer's dots as a PNG picture\n"
    "Exit codes: 0 every barcode reads back, 1 one does not, 2 bad arguments or an unreadable\n"
    "picture, 3 no barcode found.\n";

namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return lower;
}

std::optional<int> Integer(std::string_view text, int low, int high) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
  return value;
}

// Millimetres with an optional decimal point, over 0 and at most 10 m.
std::optional<int32_t> Millimetres(std::string_view text) {
  if (text.empty() || text.size() > 16) return std::nullopt;
  int dots = 0;
  for (char c : text) {
    if (c == '.') ++dots;
    else if (c < '0' || c > '9') return std::nullopt;
  }
  if (dots > 1 || text == ".") return std::nullopt;
  const double mm = std::strtod(std::string(text).c_str(), nullptr);
  if (!(mm > 0) || mm > 10000) return std::nullopt;
  const auto thousandths = static_cast<int32_t>(std::lround(mm * 1000));
  if (thousandths <= 0) return std::nullopt;
  return thousandths;
}

}  // namespace

ParsedCheckArgs ParseCheckArgs(const std::vector<std::string>& arguments) {
  CheckArgs a;
  bool halftoneGiven = false;
  const auto refuse = [](std::string why) { return ParsedCheckArgs{std::nullopt, std::move(why)}; };
  for (const std::string& argument : arguments) {
    if (argument.empty()) return refuse("an empty argument");
    if (argument[0] != '-') {
      if (!a.picture.empty()) return refuse("more than one picture: " + argument);
      a.picture = argument;
      continue;
    }
    const size_t colon = argument.find(':');
    const std::string name = Lower(std::string_view(argument).substr(0, colon));
    const std::string_view value =
        colon == std::string::npos ? std::string_view{} : std::string_view(argument).substr(colon + 1);
    const bool hasValue = colon != std::string::npos;
    if ((name == "--help" || name == "-?" || name == "-help") && !hasValue) {
      a.help = true;
    } else if ((name == "-threshold" || name == "-dither") && !hasValue) {
      const auto mode = name == "-threshold" ? PreviewHalftone::Threshold : PreviewHalftone::Dither;
      if (halftoneGiven && mode != a.halftone) return refuse("-threshold and -dither together");
      a.halftone = mode;
      halftoneGiven = true;
    } else if (name == "-json" && !hasValue) {
      a.json = true;
    } else if (name == "-paper" && hasValue && !value.empty()) {
      a.paperName = value;
    } else if (name == "-size" && hasValue) {
      const size_t x = Lower(value).find('x');
      if (x == std::string::npos) return refuse("-size wants WxH in millimetres: " + argument);
      a.widthThousandths = Millimetres(value.substr(0, x));
      a.heightThousandths = Millimetres(value.substr(x + 1));
      if (!a.widthThousandths || !a.heightThousandths)
        return refuse("-size wants WxH in millimetres: " + argument);
    } else if (name == "-dpi" && hasValue) {
      const auto dpi = Integer(value, 50, 2400);
      if (!dpi) return refuse("-dpi wants 50 to 2400: " + argument);
      a.dpi = *dpi;
    } else if (name == "-blackness" && hasValue) {
      const auto blackness = Integer(value, 0, 100);
      if (!blackness) return refuse("-blackness wants 0 to 100: " + argument);
      a.blackness = *blackness;
    } else if (name == "-rotate" && hasValue) {
      const auto angle = Integer(value, 0, 270);
      if (!angle || *angle % 90) return refuse("-rotate wants 0, 90, 180 or 270: " + argument);
      a.rotation = *angle == 90    ? PreviewRotation::Deg90
                   : *angle == 180 ? PreviewRotation::Deg180
                   : *angle == 270 ? PreviewRotation::Deg270
                                   : PreviewRotation::Deg0;
    } else if (name == "-zoom" && hasValue) {
      const auto zoom = Integer(value, 50, 150);
      if (!zoom || *zoom % 5) return refuse("-zoom wants 50 to 150 in steps of 5: " + argument);
      a.zoomPercent = *zoom;
    } else if (name == "-out" && hasValue && !value.empty()) {
      a.out = value;
    } else {
      return refuse("unknown option: " + argument);
    }
  }
  if (a.help) return {a, {}};
  if (a.picture.empty()) return refuse("no picture given");
  if (!a.paperName.empty() && a.widthThousandths) return refuse("-paper and -size together");
  return {a, {}};
}

}  // namespace velmo
