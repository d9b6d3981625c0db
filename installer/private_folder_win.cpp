#include "private_folder_win.h"

#include <windows.h>
#include <sddl.h>

#include <atomic>
#include <vector>

#include "batch_file.h"
#include "text_win.h"

namespace velmo {
namespace {

constexpr int kNameAttempts = 100;

// Files the folder holds, deleted before the folder itself.
void RemoveWithFiles(const std::wstring& folder) {
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

bool WriteNewFile(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileW(WidenUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
  return CloseHandle(file) && ok;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t limit) {
  HANDLE file = CreateFileW(WidenUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes(limit + 1, '\0');
  DWORD read = 0;
  const bool ok = ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr);
  CloseHandle(file);
  if (!ok || read > limit) return std::nullopt;
  bytes.resize(read);
  return bytes;
}

std::string CurrentUserSid() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<BYTE> buffer(size ? size : 1);
  std::string sid;
  if (GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
    wchar_t* text = nullptr;
    if (ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
      sid = NarrowToUtf8(text);
      LocalFree(text);
    }
  }
  CloseHandle(token);
  return sid;
}

std::string TemporaryFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) return {};
  return NarrowToUtf8(std::wstring(folder, length));
}

std::optional<PrivateFolder> PrivateFolder::Create() {
  static std::atomic<std::uint32_t> serial{0};
  const std::string temporary = TemporaryFolder();
  const std::string sid = CurrentUserSid();
  if (temporary.empty() || sid.empty()) return std::nullopt;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(WidenUtf8(PrivateFolderSddl(sid)).c_str(),
                                                            SDDL_REVISION_1, &descriptor, nullptr))
    return std::nullopt;
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
  // A name taken already (by an earlier run, or planted) is never used.
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string path = temporary + PrivateFolderName(GetCurrentProcessId(), serial++) + "\\";
    if (CreateDirectoryW(WidenUtf8(path).c_str(), &attributes)) {
      LocalFree(descriptor);
      return PrivateFolder(path);
    }
  }
  LocalFree(descriptor);
  return std::nullopt;
}

PrivateFolder::~PrivateFolder() {
  if (!path_.empty()) RemoveWithFiles(WidenUtf8(path_));
}

}  // namespace velmo
