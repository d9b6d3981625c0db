#include "startup_decision.h"

#include <algorithm>

#include "language_decision.h"

namespace velmo {
namespace {

constexpr std::string_view kLanguagePrefix = "-language:";

bool SafeInBatchLine(std::string_view value) {
  constexpr std::string_view kSpecial = "\"%&|<>^";
  const bool harmless = std::ranges::none_of(value, [&](char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7f || kSpecial.find(c) != std::string_view::npos;
  });
  return harmless && (value.empty() || value.back() != '\\');
}

}  // namespace

std::string ReadArgument(std::string_view raw) {
  std::string argument(raw.substr(0, kMaxArgumentLength));
  if (!argument.empty() && argument.front() == '"') argument.erase(0, 1);
  if (!argument.empty() && argument.back() == '"') argument.pop_back();
  return argument;
}

std::optional<std::string> LanguageRecordCommand(std::string_view value) {
  if (!SafeInBatchLine(value)) return std::nullopt;
  std::string command = "reg add \"HKLM\\SOFTWARE\\DARVOLT\\Printer\" /v drv_language /t REG_SZ /d \"";
  command.append(value).append("\" /f");
  if (command.size() > kMaxRecordCommandLength) return std::nullopt;
  return command;
}

StartupDecision DecideStartup(uint16_t systemUiLanguage, const std::optional<std::string>& recordedLanguage,
                              const std::vector<std::string>& arguments) {
  StartupDecision decision;
  decision.english = DecideEnglishMode(systemUiLanguage, recordedLanguage) == 1;
  for (const std::string& raw : arguments) {
    const std::string argument = ReadArgument(raw);
    if (!argument.starts_with(kLanguagePrefix)) continue;
    const std::string_view value = std::string_view(argument).substr(kLanguagePrefix.size());
    decision.fullMode = true;
    if (NamesEnglish(value)) decision.english = true;
    if (auto command = LanguageRecordCommand(value)) decision.recordCommands.push_back(std::move(*command));
  }
  return decision;
}

}  // namespace velmo
