#pragma once
// The log of a silent installation: one line per step, appended, with the
// local time, the step, the command line run and its result, separated by
// tabs.
#include <functional>
#include <string>
#include <string_view>

namespace velmo {

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

// "2026-12-09 15:55:01.123\tstep\tcommand\tresult". Tabs and line breaks
// inside a field become blanks, so that every step stays one line.
std::string SilentLogLine(const LocalTime& time, std::string_view step, std::string_view command,
                          std::string_view result);

class SilentLog {
 public:
  using Clock = std::function<LocalTime()>;
  using Sink = std::function<void(const std::string& line)>;  // the line ends with "\n"

  SilentLog(Clock clock, Sink sink) : clock_(std::move(clock)), sink_(std::move(sink)) {}
  void Write(std::string_view step, std::string_view command, std::string_view result) const;

 private:
  Clock clock_;
  Sink sink_;
};

}  // namespace velmo
