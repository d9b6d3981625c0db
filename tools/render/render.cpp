// Renders a picture through the preview composition with the controls
// given on the command line, and writes the result as PGM or PNG.
#include <chrono>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <tuple>

#include "picture_encode.h"
#include "preview_compose.h"

namespace {

using velmo::PreviewControls;

constexpr const char kUsage[] =
    "usage: render <input.jpg|.png|.bmp> <output.pgm|.png> [options]\n"
    "  --angle none|0|90|180|270       checked rotation button (0)\n"
    "  --paper-rotate                  landscape paper\n"
    "  --flip-h  --flip-v  --reverse\n"
    "  --halftone threshold|dither     (dither)\n"
    "  --blackness 0..100              (50)\n"
    "  --zoom -1..20                   combo box index, 10 is 100% (10)\n"
    "  --align-h left|center|right     (left)\n"
    "  --align-v top|center|bottom     (top)\n"
    "  --area WxH                      preview area size (335x501)\n"
    "  --offset X,Y                    offset track bars, -10..10 (0,0)\n"
    "  --repeat N                      compose N times and print the mean time\n";

struct Failure {
  std::string message;
};

// Appends rather than chains operator+, which GCC 12 misreads at -O3.
std::string Join(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text.append(part);
  return text;
}

int ParseInt(std::string_view text, int low, int high, std::string_view option) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || value < low || value > high)
    throw Failure{Join({option, " wants a whole number from ", std::to_string(low), " to ", std::to_string(high),
                        ", not '", text, "'"})};
  return value;
}

// "AxB" or "A,B" into two numbers.
std::pair<int, int> ParsePair(std::string_view text, char separator, int low, int high, std::string_view option) {
  const size_t at = text.find(separator);
  if (at == std::string_view::npos)
    throw Failure{Join({option, " wants two numbers joined by '", std::string_view(&separator, 1), "'"})};
  return {ParseInt(text.substr(0, at), low, high, option), ParseInt(text.substr(at + 1), low, high, option)};
}

template <typename Enum, size_t N>
Enum ParseChoice(std::string_view text, const std::pair<std::string_view, Enum> (&choices)[N],
                 std::string_view option) {
  std::string names;
  for (const auto& [name, value] : choices) {
    if (text == name) return value;
    if (!names.empty()) names += '|';
    names += name;
  }
  throw Failure{Join({option, " wants one of ", names, ", not '", text, "'"})};
}

struct Request {
  std::string input, output;
  PreviewControls controls;
  int repeat = 0;
};

Request ParseArguments(int argc, char** argv) {
  using velmo::PreviewAlignH, velmo::PreviewAlignV, velmo::PreviewHalftone, velmo::PreviewRotation;
  static constexpr std::pair<std::string_view, PreviewRotation> kAngles[] = {
      {"none", PreviewRotation::None}, {"0", PreviewRotation::Deg0},     {"90", PreviewRotation::Deg90},
      {"180", PreviewRotation::Deg180}, {"270", PreviewRotation::Deg270}};
  static constexpr std::pair<std::string_view, PreviewHalftone> kHalftones[] = {
      {"threshold", PreviewHalftone::Threshold}, {"dither", PreviewHalftone::Dither}};
  static constexpr std::pair<std::string_view, PreviewAlignH> kAlignH[] = {
      {"left", PreviewAlignH::Left}, {"center", PreviewAlignH::Center}, {"right", PreviewAlignH::Right}};
  static constexpr std::pair<std::string_view, PreviewAlignV> kAlignV[] = {
      {"top", PreviewAlignV::Top}, {"center", PreviewAlignV::Center}, {"bottom", PreviewAlignV::Bottom}};

  Request request;
  PreviewControls& c = request.controls;
  c.areaWidth = 335;
  c.areaHeight = 501;
  int positional = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    auto value = [&]() -> std::string_view {
      if (i + 1 >= argc) throw Failure{Join({arg, " wants a value"})};
      return argv[++i];
    };
    if (arg == "--paper-rotate") c.paperRotate = true;
    else if (arg == "--flip-h") c.flipHorizontal = true;
    else if (arg == "--flip-v") c.flipVertical = true;
    else if (arg == "--reverse") c.reverse = true;
    else if (arg == "--angle") c.rotation = ParseChoice(value(), kAngles, arg);
    else if (arg == "--halftone") c.halftone = ParseChoice(value(), kHalftones, arg);
    else if (arg == "--blackness") c.blackness = ParseInt(value(), 0, 100, arg);
    else if (arg == "--zoom") c.zoomIndex = ParseInt(value(), -1, 20, arg);
    else if (arg == "--align-h") c.zoomAlignH = ParseChoice(value(), kAlignH, arg);
    else if (arg == "--align-v") c.zoomAlignV = ParseChoice(value(), kAlignV, arg);
    else if (arg == "--area") std::tie(c.areaWidth, c.areaHeight) = ParsePair(value(), 'x', 1, 10000, arg);
    else if (arg == "--offset") std::tie(c.offsetX, c.offsetY) = ParsePair(value(), ',', -10, 10, arg);
    else if (arg == "--repeat") request.repeat = ParseInt(value(), 1, 1000000, arg);
    else if (arg.starts_with("--")) throw Failure{Join({"unknown option ", arg})};
    else if (positional == 0) ++positional, request.input = arg;
    else if (positional == 1) ++positional, request.output = arg;
    else throw Failure{Join({"one input and one output only; '", arg, "' is a third"})};
  }
  if (positional != 2) throw Failure{"an input and an output picture are needed"};
  if (!request.output.ends_with(".pgm") && !request.output.ends_with(".png"))
    throw Failure{"the output's name must end in .pgm or .png"};
  return request;
}

velmo::ColorImage ReadPicture(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Failure{Join({"cannot open ", path})};
  const std::vector<uint8_t> data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  velmo::ColorImage picture;
  if (!velmo::DecodePicture(data, picture)) throw Failure{Join({path, " is not a JPEG, PNG or bitmap picture we can read"})};
  return picture;
}

void WritePicture(const std::string& path, const velmo::ColorImage& picture) {
  std::vector<uint8_t> bytes;
  if (path.ends_with(".png")) {
    bytes = velmo::EncodePng(picture);
  } else {
    const std::string header =
        Join({"P5\n", std::to_string(picture.width), " ", std::to_string(picture.height), "\n255\n"});
    bytes.assign(header.begin(), header.end());
    for (uint32_t p : picture.pixels) bytes.push_back(velmo::BlueOf(p));  // grey: all channels alike
  }
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!out) throw Failure{Join({"cannot write ", path})};
}

}  // namespace

int main(int argc, char** argv) {
  Request request;
  try {
    request = ParseArguments(argc, argv);
  } catch (const Failure& failure) {
    std::fprintf(stderr, "render: %s\n%s", failure.message.c_str(), kUsage);
    return 2;
  }
  try {
    const velmo::ColorImage source = ReadPicture(request.input);
    velmo::PreviewFrame frame = velmo::ComposePreview(request.controls, source);
    if (request.repeat > 0) {
      const auto start = std::chrono::steady_clock::now();
      for (int i = 0; i < request.repeat; ++i) frame = velmo::ComposePreview(request.controls, source);
      const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
      std::printf("compose: %.3f ms mean over %d\n", spent.count() / request.repeat, request.repeat);
    }
    WritePicture(request.output, frame.picture);
    std::printf("panel %d,%d %dx%d  image at %d,%d  picture %dx%d\n", frame.panel.left, frame.panel.top,
                frame.panel.width, frame.panel.height, frame.image.left, frame.image.top, frame.picture.width,
                frame.picture.height);
  } catch (const Failure& failure) {
    std::fprintf(stderr, "render: %s\n", failure.message.c_str());
    return 1;
  }
  return 0;
}
