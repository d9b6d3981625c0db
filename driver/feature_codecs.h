#pragma once
// How each print feature's option text maps to the state of its control in
// the settings window and back, and the value labels beside the bars.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace velmo {

// The number after an option's first character, read the way the Windows
// C library's atol reads into its 32-bit long: leading blanks and a sign,
// up to the first non-digit, 0 without digits, and INT32_MAX or INT32_MIN
// for a number past the range. Every build gets these 32-bit results.
int32_t OptionNumber(std::string_view option);

std::string OnOff(bool on);
bool IsOn(std::string_view option);

// Rotation buttons 0..3 stand for 0, 90, 180 and 270 degrees.
// -1 when the pair is none of the four.
int RotationButtonOf(std::string_view orientation, std::string_view orientation_ext);
std::pair<std::string, std::string> OrientationPairOf(int rotation_button);

constexpr int kBlacknessMax = 100;
int BlacknessPosition(std::string_view high, std::string_view low);  // limited to 0..100
std::pair<std::string, std::string> BlacknessOptions(int position);  // "h%i", "l%i"
std::string BlacknessLabel(int position);

constexpr int kZoomItems = 21;       // "50%" .. "150%" in steps of 5
int ZoomIndexOf(std::string_view option);  // -1 when no item matches
std::string ZoomOption(int index);
std::wstring ZoomItemText(int index);

constexpr int kTrimMax = 19;
int TrimPosition(std::string_view option);  // limited to 0..19
std::string TrimOption(int position);       // "p%02d" of 5 x position
std::string TrimLabel(int position);        // "%0.1fmm" of 0.5 x position

constexpr int kOffsetMax = 10;
int OffsetPosition(std::string_view option);  // limited to -10..10, "m" negative
std::string OffsetOption(int position);
std::string OffsetLabel(int position);  // "+1.5mm", " 0.0mm", " -1.5mm"

// The features in the order the settings window reads them.
inline constexpr std::array<const char*, 22> kFeatureReadOrder = {
    "Orientation",         "OrientationExt",        "PaperRotate",     "Halftone",     "BlacknessAdjustH",
    "BlacknessAdjustL",    "HalftoneRed",           "BlacknessRedAdjustH", "BlacknessRedAdjustL",
    "FlipHorizontal",      "FlipVertical",          "PrintReverse",    "PrintDualColorSupport",
    "PrintDualColor",      "PrintZoom",             "PrintZoomAlignH", "PrintZoomAlignV",
    "PrintTrimTop",        "PrintTrimBottom",       "PrintOffsetX",    "PrintOffsetY",
    "PageMark"};

// The features reset to the driver's defaults, in the order the reset works;
// each default is read from the keyword followed by "Default".
inline constexpr std::array<const char*, 21> kResetOrder = {
    "PageMark",         "Orientation",       "OrientationExt",  "PaperRotate",       "FlipHorizontal",
    "FlipVertical",     "PrintReverse",      "PrintDualColor",  "Halftone",          "BlacknessAdjustH",
    "BlacknessAdjustL", "HalftoneRed",       "BlacknessRedAdjustH", "BlacknessRedAdjustL", "PrintZoom",
    "PrintZoomAlignH",  "PrintZoomAlignV",   "PrintTrimTop",    "PrintTrimBottom",   "PrintOffsetX",
    "PrintOffsetY"};

}  // namespace velmo
