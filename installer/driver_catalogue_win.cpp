#include "driver_catalogue_win.h"

#include <windows.h>

#include "combo_box_win.h"
#include "installer_state.h"
#include "text_win.h"

namespace velmo {
namespace {

// Reads through a buffer that grows until the result fits; `spare` is how
// many characters short of the buffer a cut result comes back.
template <class Read>
std::wstring ReadGrowing(Read read, DWORD spare) {
  std::wstring buffer(4096, L'\0');
  for (;;) {
    const DWORD length = read(buffer.data(), DWORD(buffer.size()));
    if (length + spare < buffer.size() || buffer.size() >= (1u << 24)) return buffer.substr(0, length + 1);
    buffer.assign(buffer.size() * 2, L'\0');
  }
}

}  // namespace

std::string ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return NarrowToUtf8(path.substr(0, path.rfind(L'\\') + 1));
}

std::vector<DirectoryEntry> ListDirectory(const std::string& wildcardPath) {
  std::vector<DirectoryEntry> entries;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(WidenUtf8(wildcardPath).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    entries.push_back({NarrowToUtf8(found.cFileName), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return entries;
}

std::string ProfileFile::Value(const std::string& section, const std::string& key,
                               const std::string& fallback) const {
  const std::wstring value = ReadGrowing(
      [&](wchar_t* buffer, DWORD size) {
        return GetPrivateProfileStringW(WidenUtf8(section).c_str(), WidenUtf8(key).c_str(),
                                        WidenUtf8(fallback).c_str(), buffer, size, WidenUtf8(path_).c_str());
      },
      1);
  return NarrowToUtf8(value.substr(0, value.find(L'\0')));
}

std::vector<std::string> ProfileFile::KeyNames(const std::string& section) const {
  // The names come one after another, each ended by a zero, the list by a second.
  const std::wstring list = ReadGrowing(
      [&](wchar_t* buffer, DWORD size) {
        return GetPrivateProfileStringW(WidenUtf8(section).c_str(), nullptr, L"", buffer, size,
                                        WidenUtf8(path_).c_str());
      },
      2);
  std::vector<std::string> names;
  for (std::size_t start = 0; start < list.size() && list[start] != L'\0';) {
    const std::size_t end = list.find(L'\0', start);
    names.push_back(NarrowToUtf8(list.substr(start, end - start)));
    start = end + 1;
  }
  return names;
}

std::vector<std::string> ReadCatalogueModels(const std::string& programFolder) {
  const std::string path = CataloguePath(programFolder, FindFiles(programFolder, kCataloguePattern, ListDirectory));
  return ReadInfModels(ProfileFile(path));
}

void ListDriverModels(toolkit::ComboBox& driverNames) {
  const std::vector<std::string> models = ReadCatalogueModels(ProgramFolder());
  std::vector<std::wstring> items;
  for (const std::string& model : models) items.push_back(WidenUtf8(model));
  driverNames.SetItems(items);
  CollectBrandWords(models, BrandWords);
}

}  // namespace velmo
