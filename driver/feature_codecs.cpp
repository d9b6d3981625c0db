#include "feature_codecs.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstdint>

namespace velmo {
namespace {

constexpr std::array<std::pair<const char*, const char*>, 4> kOrientationPairs = {{
    {"PORTRAIT", "OFF"},
    {"LANDSCAPE_CC90", "OFF"},
    {"PORTRAIT", "ON"},
    {"LANDSCAPE_CC90", "ON"},
}};

std::string Format(const char* format, auto... args) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, format, args...);
  return buffer;
}

// Positions are worked out in 64 bits, where 10 x H + L cannot overflow.
int Clamp(int64_t value, int min, int max) { return int(std::clamp<int64_t>(value, min, max)); }

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

int32_t OptionNumber(std::string_view option) {
  if (option.empty()) return 0;
  std::string_view rest = option.substr(1);
  while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
  bool negative = false;
  if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
    negative = rest.front() == '-';
    rest.remove_prefix(1);
  }
  // Past 2^31 the result is settled; stopping there keeps the sum small.
  int64_t magnitude = 0;
  for (char c : rest) {
    if (c < '0' || c > '9') break;
    magnitude = std::min<int64_t>(magnitude * 10 + (c - '0'), int64_t{INT32_MAX} + 1);
  }
  return int32_t(std::clamp<int64_t>(negative ? -magnitude : magnitude, INT32_MIN, INT32_MAX));
}

std::string OnOff(bool on) { return on ? "ON" : "OFF"; }
bool IsOn(std::string_view option) { return option == "ON"; }

int RotationButtonOf(std::string_view orientation, std::string_view orientation_ext) {
  for (int i = 0; i < int(kOrientationPairs.size()); ++i)
    if (orientation == kOrientationPairs[i].first && orientation_ext == kOrientationPairs[i].second) return i;
  return -1;
}

std::pair<std::string, std::string> OrientationPairOf(int rotation_button) {
  const auto& pair = kOrientationPairs.at(size_t(rotation_button));
  return {pair.first, pair.second};
}

int BlacknessPosition(std::string_view high, std::string_view low) {
  return Clamp(10 * int64_t{OptionNumber(high)} + OptionNumber(low), 0, kBlacknessMax);
}

std::pair<std::string, std::string> BlacknessOptions(int position) {
  return {Format("h%i", position / 10), Format("l%i", position % 10)};
}

std::string BlacknessLabel(int position) { return Format("%i", position); }

int ZoomIndexOf(std::string_view option) {
  const int32_t index = OptionNumber(option) / 5 - 10;
  return index >= 0 && index < kZoomItems ? int(index) : -1;
}

std::string ZoomOption(int index) { return Format("z%d", 5 * index + 50); }

std::wstring ZoomItemText(int index) { return std::to_wstring(5 * index + 50) + L"%"; }

int TrimPosition(std::string_view option) { return Clamp(OptionNumber(option) / 5, 0, kTrimMax); }

std::string TrimOption(int position) { return Format("p%02d", 5 * position); }

std::string TrimLabel(int position) { return Format("%0.1fmm", 0.5 * position); }

int OffsetPosition(std::string_view option) {
  int32_t position = OptionNumber(option) / 5;
  if (!option.empty() && option.front() == 'm') position = -position;
  return Clamp(position, -kOffsetMax, kOffsetMax);
}

std::string OffsetOption(int position) {
  return Format("%c%02d", position < 0 ? 'm' : 'p', 5 * std::abs(position));
}

std::string OffsetLabel(int position) { return Format("%c%0.1fmm", position > 0 ? '+' : ' ', 0.5 * position); }

}  // namespace velmo
