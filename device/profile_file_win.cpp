#include "profile_file_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace velmo {
namespace {

class File {
 public:
  explicit File(HANDLE handle) : handle_(handle) {}
  ~File() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

std::optional<std::string> ReadProfileFile(const std::wstring& path, size_t limit) {
  File file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                        nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string content;
  char chunk[4096];
  DWORD got = 0;
  while (content.size() < limit && ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) {
    content.append(chunk, std::min<size_t>(got, limit - content.size()));
  }
  return content;
}

bool WriteProfileFile(const std::wstring& path, const std::string& content) {
  File file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  return WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
         written == content.size();
}

std::string LocalDateTimeText() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                now.wMinute, now.wSecond);
  return text;
}

}  // namespace velmo
