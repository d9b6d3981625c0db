#pragma once
// What the device console tool prints for "status <pattern>", read into the
// found USB printers: each device's instance ID and its name, position for
// position.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

// A tool's captured output is kept in a buffer of 65,536 bytes with its end.
constexpr std::size_t kMaxCapturedOutput = 65535;
// The search pattern is built in a buffer of 256 characters.
constexpr std::size_t kMaxUsbPatternLength = 255;

// "USBPRINT\<BRAND>*" with the brand word in upper case (ASCII letters);
// nothing when it would not fit.
std::optional<std::string> UsbSearchPattern(std::string_view brandWord);

// Lines ended by CR LF, CR or LF; a break at the very end starts no line.
std::vector<std::string> SplitLines(std::string_view text);

struct UsbDevices {
  std::vector<std::string> ids;
  std::vector<std::string> names;  // names[i] belongs to ids[i]
};

// Every line holding the pattern's text (without its "*") is an ID line; the
// first "Name: " line at or after it names it. The last line, the summary,
// is not read. An ID line that gets no name before the next ID line or the
// summary is named after itself, so the two lists stay aligned.
UsbDevices ParseDevconStatus(std::string_view output, std::string_view pattern);

// The port of a device instance ID: the text after its last "&" (USB001 in
// USBPRINT\VELMOLT42\7&2A1F3C5&0&USB001). An ID without "&" gives the text
// after its last "\", or the whole ID.
std::string PortOfDeviceId(std::string_view id);

}  // namespace velmo
