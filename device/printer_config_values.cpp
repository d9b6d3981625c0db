#include "printer_config_values.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "printer_profile.h"

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
  return (english ? L"&Darkness: " : L"打印黑度(&D): ") + std::to_wstring(position);
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
    case SaveState::kNotConfirmed:
      return english ? L"The printer did not confirm the save." : L"打印机未确认保存。";
    case SaveState::kDidNotReturn:
      return english ? L"The printer did not come back within 20 s." : L"打印机 20 秒内未重新连接。";
  }
  return {};
}

std::wstring ProfileRefusedHeading(bool english) {
  return english ? L"The profile was refused; nothing was written:" : L"配置文件有误，未写入任何设置:";
}

std::wstring PrinterNoAnswerMessage(bool english) {
  return english ? L"The printer did not answer." : L"打印机没有响应。";
}

std::wstring PrinterInUseMessage(bool english) {
  return english ? L"The printer is in use by another program. Try again in a moment."
                 : L"打印机正被其他程序使用，请稍后再试。";
}

std::wstring ChangedElsewhereMessage(bool english) {
  return english ? L"Another program changed the printer's settings. The dialog now shows them; nothing was "
                   L"written. Make your changes again and save."
                 : L"其他程序已更改打印机设置。对话框已显示新的设置，未写入任何内容。请重新修改后保存。";
}

std::wstring ImportInterruptedMessage(bool english, bool put_back, const std::wstring& unsaved_keys) {
  if (put_back) {
    return english ? L"The printer stopped answering during the import. The settings already written were put "
                     L"back; nothing was changed."
                   : L"导入过程中打印机停止响应。已写入的设置已恢复，未更改任何设置。";
  }
  return english ? L"The printer stopped answering during the import. Written but not saved: " + unsaved_keys +
                       L". Import the profile again to save them."
                 : L"导入过程中打印机停止响应。已写入但未保存: " + unsaved_keys + L"。请重新导入配置以保存。";
}

std::wstring FileNotWrittenMessage(bool english) {
  return english ? L"The file could not be written." : L"无法写入文件。";
}

}  // namespace velmo

namespace velmo {
namespace {

std::wstring Ascii(std::string_view text) { return std::wstring(text.begin(), text.end()); }

std::wstring GroupText(bool english, std::string_view presence_key) {
  if (presence_key == "BT_ENABLED") return english ? L"Bluetooth" : L"蓝牙";
  if (presence_key == "LAN_ENABLED") return english ? L"wired network" : L"有线网络";
  return english ? L"Wi-Fi" : L"WIFI";
}

}  // namespace

std::wstring ProfileProblemText(bool english, const ProfileError& error, std::wstring_view detail,
                                std::wstring_view other) {
  const std::wstring key = Ascii(error.key);
  const std::wstring low = std::to_wstring(error.low), high = std::to_wstring(error.high);
  switch (error.problem) {
    case ProfileProblem::kCannotRead: return english ? L"The file cannot be read." : L"无法读取文件。";
    case ProfileProblem::kEncoding:
      return english ? L"The file is neither UTF-8 nor Unicode (UTF-16 with a byte order mark)."
                     : L"文件既不是 UTF-8 也不是 Unicode (带字节顺序标记的 UTF-16) 文本。";
    case ProfileProblem::kTooLarge:
      return english ? L"The file is larger than " + high + L" bytes." : L"文件大于 " + high + L" 字节。";
    case ProfileProblem::kNotUtf8: return english ? L"not UTF-8 text" : L"不是 UTF-8 文本";
    case ProfileProblem::kNoEquals: return english ? L"expected KEY=VALUE" : L"应为 KEY=VALUE";
    case ProfileProblem::kUnknownKey: return english ? L"unknown key \"" + key + L"\"" : L"未知的键 \"" + key + L"\"";
    case ProfileProblem::kReadOnly:
      return english ? key + L" cannot be written" : key + L" 只能读取，不能写入";
    case ProfileProblem::kGivenTwice:
      return english ? key + L" is given twice (first on line " + low + L")" : key + L" 重复 (首次在第 " + low + L" 行)";
    case ProfileProblem::kNotWholeNumber: return english ? key + L" is not a whole number" : key + L" 不是整数";
    case ProfileProblem::kOutOfRange:
      return english ? key + L" is out of range (" + low + L" to " + high + L")"
                     : key + L" 超出范围 (" + low + L" 到 " + high + L")";
    case ProfileProblem::kNotBoolean: return english ? key + L" must be 0 or 1" : key + L" 必须为 0 或 1";
    case ProfileProblem::kNotAddress:
      return english ? key + L" is not an address like 192.168.1.20" : key + L" 不是 192.168.1.20 这样的地址";
    case ProfileProblem::kCodePage:
      return english ? key + L" holds characters the printer cannot store" : key + L" 含有打印机无法保存的字符";
    case ProfileProblem::kZeroByte: return english ? key + L" holds a zero byte" : key + L" 含有零字节";
    case ProfileProblem::kTooLong:
      return english ? key + L" is too long for the printer (" + low + L" bytes, at most " + high + L")"
                     : key + L" 太长 (" + low + L" 字节，最多 " + high + L" 字节)";
    case ProfileProblem::kBadQuoting:
      return english ? key + L" has a quoted text that is not closed or a bad escape"
                     : key + L" 的引号文本未结束或含有无效的转义";
    case ProfileProblem::kNoSuchGroup:
      return english ? key + L": this printer has no " + GroupText(true, error.detail)
                     : key + L": 此打印机没有" + GroupText(false, error.detail);
    case ProfileProblem::kDarknessRange:
      return english ? key + L" is out of this printer's range (" + low + L" to " + high + L")"
                     : key + L" 超出此打印机的范围 (" + low + L" 到 " + high + L")";
    case ProfileProblem::kUnknownToPrinter:
      return english ? key + L": this printer's firmware does not know this setting" : key + L": 此打印机的固件不支持该设置";
    case ProfileProblem::kOtherModel:
      return english ? L"The profile is for a " + std::wstring(detail) + L"; this printer is a " + std::wstring(other) + L"."
                     : L"此配置文件适用于 " + std::wstring(detail) + L"，本打印机为 " + std::wstring(other) + L"。";
    case ProfileProblem::kOtherFirmware:
      return english ? L"The profile was made with firmware " + std::wstring(detail) + L"; this printer has " +
                           std::wstring(other) + L"."
                     : L"此配置文件来自固件 " + std::wstring(detail) + L"，本打印机固件为 " + std::wstring(other) + L"。";
  }
  return {};
}

}  // namespace velmo
