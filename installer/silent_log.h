#pragma once
// The log of a silent installation: one line per step, appended, with the
// local time, the process id, the step, the command line run and its
// result, separated by tabs; and where it is written.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace velmo {

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

// "2026-12-09 15:55:01.123\t4242\tstep\tcommand\tresult". Tabs and line
// breaks inside a field become blanks, so that every step stays one line.
std::string SilentLogLine(const LocalTime& time, std::uint32_t processId, std::string_view step,
                          std::string_view command, std::string_view result);

// Opens the log at a path for appending (and keeps it); false when it cannot.
using LogOpener = std::function<bool(const std::string& path)>;

struct LogDestination {
  std::optional<std::string> path;  // nothing: no log can be written
  std::string note;                 // why it is not the named one; empty when it is
};

// The file named by "-log:" when it opens, else `fallback` (the temporary
// folder's Qindle.log), with a note for the log that says so.
LogDestination ChooseLog(const std::optional<std::string>& named, const std::string& fallback,
                         const LogOpener& open);

class SilentLog {
 public:
  using Clock = std::function<LocalTime()>;
  using Sink = std::function<void(const std::string& line)>;  // the line ends with "\n"

  SilentLog(Clock clock, std::uint32_t processId, Sink sink)
      : clock_(std::move(clock)), processId_(processId), sink_(std::move(sink)) {}
  void Write(std::string_view step, std::string_view command, std::string_view result) const;

 private:
  Clock clock_;
  std::uint32_t processId_;
  Sink sink_;
};

}  // namespace velmo
