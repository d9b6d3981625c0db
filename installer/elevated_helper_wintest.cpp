// The elevated copy's command line, read back by the platform's own
// splitting: every argument arrives as it left.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "elevated_helper.h"
#include "text_win.h"

namespace velmo {
namespace {

std::vector<std::string> SplitByThePlatform(const std::string& arguments) {
  int count = 0;
  const std::wstring line = L"Qindle.exe " + WidenUtf8(arguments);
  wchar_t** split = CommandLineToArgvW(line.c_str(), &count);
  std::vector<std::string> back;
  for (int i = 1; i < count; ++i) back.push_back(NarrowToUtf8(split[i]));
  LocalFree(split);
  return back;
}

TEST(ElevatedCopy, EveryArgumentComesBackAsItWasGiven) {
  const std::vector<std::vector<std::string>> runs = {
      {"-uninstall", "-queue:Velmo LT42-10.0.0.5", "-log:C:\\日志 目录\\"},
      {"-uninstall", "-queue:a\"b", "-log:C:\\a\\\\\"b\\", ""},
      {"-elevated-helper:C:\\Users\\张 三\\AppData\\Local\\Temp\\Qindle.1\\"},
      {"-queue:\\\\server\\share q", "-x\t\"y\""},
  };
  for (const std::vector<std::string>& run : runs) EXPECT_EQ(SplitByThePlatform(CommandLineOf(run)), run);
}

}  // namespace
}  // namespace velmo
