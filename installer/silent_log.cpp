#include "silent_log.h"

#include <cstdio>

namespace velmo {
namespace {

void AppendField(std::string& line, std::string_view field) {
  line += '\t';
  for (char c : field) line += static_cast<unsigned char>(c) < ' ' ? ' ' : c;
}

}  // namespace

std::string SilentLogLine(const LocalTime& time, std::uint32_t processId, std::string_view step,
                          std::string_view command, std::string_view result) {
  char stamp[96];  // room for any int in every field
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d.%03d", time.year, time.month, time.day,
                time.hour, time.minute, time.second, time.millisecond);
  std::string line = stamp;
  AppendField(line, std::to_string(processId));
  AppendField(line, step);
  AppendField(line, command);
  AppendField(line, result);
  return line + "\n";
}

void SilentLog::Write(std::string_view step, std::string_view command, std::string_view result) const {
  sink_(SilentLogLine(clock_(), processId_, step, command, result));
}

LogDestination ChooseLog(const std::optional<std::string>& named, const std::string& fallback,
                         const LogOpener& open) {
  if (named && open(*named)) return {*named, ""};
  const std::string why = named ? "the log \"" + *named + "\" cannot be written; this one is used instead" : "";
  if (!fallback.empty() && open(fallback)) return {fallback, why};
  return {std::nullopt, why};
}

}  // namespace velmo
