#pragma once
// The installer's start-up decision, made from the system language, the
// recorded "drv_language" value and the command line: the language, the
// mode, and the commands that record each "-language:" value for the
// driver's settings program.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

// Arguments are taken as 8-bit text of at most this many characters.
constexpr std::size_t kMaxArgumentLength = 255;
// The recording command is built in a buffer of 256 characters.
constexpr std::size_t kMaxRecordCommandLength = 255;

// An argument as the installer reads it: 8-bit text cut to 255 characters,
// then without one leading and then one trailing double quote.
std::string ReadArgument(std::string_view raw);

struct StartupDecision {
  bool english = false;
  // A "-language:" argument was given: USB choice and driver setup offered.
  bool fullMode = false;
  // One `reg add` command per recordable "-language:" value, in argument order.
  std::vector<std::string> recordCommands;
};

// The `reg add` command that records `value`; nothing when the value could
// do more than be recorded in the batch line (quotes, "%", "&", "|", "<",
// ">", "^", control characters such as line breaks, or a trailing backslash
// that would escape the closing quote) or when the command would not fit.
std::optional<std::string> LanguageRecordCommand(std::string_view value);

// Arguments from index 0 (the program) to the last, in the ANSI code page.
StartupDecision DecideStartup(uint16_t systemUiLanguage, const std::optional<std::string>& recordedLanguage,
                              const std::vector<std::string>& arguments);

}  // namespace velmo
