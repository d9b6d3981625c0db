#include "printer_config_values.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace velmo {
namespace {

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// One number at `at`: optional white space and sign, then at least one digit.
// The value saturates early so that long digit runs cannot overflow.
bool ReadNumber(std::string_view text, size_t& at, int64_t& value) {
  size_t i = at;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i >= text.size() || !IsDigit(text[i])) return false;
  int64_t magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) magnitude = std::min<int64_t>(magnitude * 10 + (text[i] - '0'), 1000);
  value = negative ? -magnitude : magnitude;
  at = i;
  return true;
}

}  // namespace

std::string AddressText(const AddressBytes& bytes) {
  char text[16];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", bytes[0], bytes[1], bytes[2], bytes[3]);
  return text;
}

AddressBytes ParseAddressText(std::string_view text) {
  AddressBytes bytes{};
  size_t at = 0;
  for (size_t k = 0; k < bytes.size(); ++k) {
    if (k > 0) {
      if (at >= text.size() || text[at] != '.') break;
      ++at;
    }
    int64_t value = 0;
    if (!ReadNumber(text, at, value)) break;
    bytes[k] = static_cast<uint8_t>(std::clamp<int64_t>(value, 0, 255));
  }
  return bytes;
}

bool IsDhcpAddress(const AddressBytes& bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
}

DarknessRange DarknessRangeForSize(int32_t size) {
  const int half = static_cast<int>(static_cast<uint32_t>(size) / 2);
  return {-half, half};
}

std::wstring DarknessText(bool english, int position) {
  return (english ? L"Darkness: " : L"打印黑度: ") + std::to_wstring(position);
}

std::string FirmwareVersionText(const std::string& version, const std::string& command_version) {
  return command_version.empty() ? version : version + "." + command_version;
}

std::wstring TextTooLongMessage(bool english, std::wstring_view field) {
  std::wstring name(field);
  while (!name.empty() && (name.back() == L' ' || name.back() == L':')) name.pop_back();
  if (english) return L"\"" + name + L"\" is too long for the printer. Nothing was saved.";
  return L"“" + name + L"”太长，打印机无法保存。未保存任何设置。";
}

std::wstring SaveStateText(bool english, SaveState state, size_t not_taken) {
  switch (state) {
    case SaveState::kNone:
      return {};
    case SaveState::kWaiting:
      return english ? L"Waiting for the printer..." : L"等待打印机重启...";
    case SaveState::kTook:
      return english ? L"Last save took." : L"上次保存已生效。";
    case SaveState::kNotTaken:
      return (english ? L"Not taken: " : L"未生效: ") + std::to_wstring(not_taken) + (english ? L" settings" : L" 项设置");
    case SaveState::kNothingToChange:
      return english ? L"Profile matches the printer." : L"配置与打印机一致。";
    case SaveState::kExported:
      return english ? L"Profile exported." : L"配置已导出。";
  }
  return {};
}

std::wstring ProfileRefusedHeading(bool english) {
  return english ? L"The profile was refused; nothing was written:" : L"配置文件有误，未写入任何设置:";
}

std::wstring PrinterNoAnswerMessage(bool english) {
  return english ? L"The printer did not answer." : L"打印机没有响应。";
}

std::wstring FileNotWrittenMessage(bool english) {
  return english ? L"The file could not be written." : L"无法写入文件。";
}

}  // namespace velmo
