// libFuzzer entry: Qindle's command line (arguments split at zero bytes),
// with the system language and the recorded language. Every recording
// command must fit its buffer and hold the value as one quoted, harmless
// batch-file argument.
#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "startup_decision.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const uint16_t language = uint16_t(data[0] | data[1] << 8);
  const bool recorded = data[2] & 1;
  std::vector<std::string> arguments(1);
  for (size_t i = 3; i < size; ++i) {
    if (data[i] == 0)
      arguments.emplace_back();
    else
      arguments.back() += char(data[i]);
  }
  // With a recorded language, the first argument stands for it.
  std::optional<std::string> recordedLanguage;
  if (recorded) recordedLanguage = arguments.front();

  const velmo::StartupDecision decision = velmo::DecideStartup(language, recordedLanguage, arguments);
  size_t languageArguments = 0;
  for (const std::string& argument : arguments) {
    const std::string_view kept = std::string_view(argument).substr(0, velmo::kMaxArgumentLength);
    languageArguments += kept.starts_with("-language:") || kept.starts_with("\"-language:");
  }
  VELMO_FUZZ_CHECK(decision.fullMode == (languageArguments > 0));
  VELMO_FUZZ_CHECK(decision.recordCommands.size() <= languageArguments);
  for (const std::string& command : decision.recordCommands) {
    VELMO_FUZZ_CHECK(command.size() <= velmo::kMaxRecordCommandLength);
    VELMO_FUZZ_CHECK(command.ends_with("\" /f"));
    // The value sits between the command's last two quotes and holds none.
    VELMO_FUZZ_CHECK(std::count(command.begin(), command.end(), '"') == 4);
    for (char c : command) VELMO_FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != '%' && c != '&');
  }
  return 0;
}
