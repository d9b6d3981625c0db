#pragma once
// What frmPrinterConfig shows and sends, without a window: address texts,
// the darkness slider and label, the firmware version line, and the
// refusal of a text too long for a request frame.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmo {

using AddressBytes = std::array<uint8_t, 4>;

// "%d.%d.%d.%d" of the four bytes, byte 0 first.
std::string AddressText(const AddressBytes& bytes);
// Up to four dotted decimal numbers, each after optional white space and a
// sign; reading stops at the first character that does not fit. Numbers not
// read give 0. A number outside 0..255 is clamped to the nearest of the two,
// so that -1 stays "nothing" (0) and 256 or more means "all bits" (255).
AddressBytes ParseAddressText(std::string_view text);
// 0.0.0.0 stands for DHCP.
bool IsDhcpAddress(const AddressBytes& bytes);

struct DarknessRange {
  int min;
  int max;
};
// The printer's size is an unsigned number; the slider runs symmetrically.
DarknessRange DarknessRangeForSize(int32_t size);
// The darkness label keeps the key that takes the focus to its slider.
std::wstring DarknessText(bool english, int position);

// The version, then "." and the command-set version when there is one.
std::string FirmwareVersionText(const std::string& version, const std::string& command_version);

// The message shown when a text does not fit its request frame; `field` is
// the edit's caption as shown.
std::wstring TextTooLongMessage(bool english, std::wstring_view field);

// The dialog's line about the last save, read back after the printer returned.
enum class SaveState { kNone, kWaiting, kTook, kNotTaken, kNothingToChange, kExported, kNotConfirmed, kDidNotReturn };
std::wstring SaveStateText(bool english, SaveState state, size_t not_taken = 0);

// Why a profile line (or the profile) is refused, in the dialog's language;
// `key` is ASCII, `detail` and `other` are the error's texts already widened.
struct ProfileError;
std::wstring ProfileProblemText(bool english, const ProfileError& error, std::wstring_view detail,
                                std::wstring_view other);

// Heads the list of a profile's refused lines.
std::wstring ProfileRefusedHeading(bool english);
std::wstring PrinterNoAnswerMessage(bool english);
std::wstring PrinterInUseMessage(bool english);
// The printer's settings changed since the dialog read them (another program
// imported a profile): it shows them now and writes nothing.
std::wstring ChangedElsewhereMessage(bool english);
// An import that lost the printer halfway: what was put back, or the keys
// (ASCII) left written but unsaved.
std::wstring ImportInterruptedMessage(bool english, bool put_back, const std::wstring& unsaved_keys);
std::wstring FileNotWrittenMessage(bool english);

}  // namespace velmo
