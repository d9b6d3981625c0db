#include "devcon_status.h"

#include <algorithm>

namespace velmo {
namespace {

constexpr std::string_view kNameMarker = "Name: ";

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

bool Holds(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

}  // namespace

std::optional<std::string> UsbSearchPattern(std::string_view brandWord) {
  std::string pattern = "USBPRINT\\";
  std::ranges::transform(brandWord, std::back_inserter(pattern), UpperAscii);
  pattern += '*';
  if (pattern.size() > kMaxUsbPatternLength) return std::nullopt;
  return pattern;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

UsbDevices ParseDevconStatus(std::string_view output, std::string_view pattern) {
  std::string searchText(pattern);
  std::erase(searchText, '*');
  const std::vector<std::string> lines = SplitLines(output);
  UsbDevices found;
  bool awaitingName = false;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (Holds(line, searchText)) {
      if (awaitingName) found.names.push_back(found.ids.back());
      found.ids.push_back(line);
      awaitingName = true;
    }
    const std::size_t name = line.find(kNameMarker);
    if (awaitingName && name != std::string::npos) {
      found.names.push_back(line.substr(name + kNameMarker.size()));
      awaitingName = false;
    }
  }
  if (awaitingName) found.names.push_back(found.ids.back());
  return found;
}

std::string PortOfDeviceId(std::string_view id) {
  std::size_t cut = id.rfind('&');
  if (cut == std::string_view::npos) cut = id.rfind('\\');
  return std::string(cut == std::string_view::npos ? id : id.substr(cut + 1));
}

}  // namespace velmo
