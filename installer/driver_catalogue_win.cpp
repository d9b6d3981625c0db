#include "driver_catalogue_win.h"

#include <windows.h>

#include "ansi_text_win.h"
#include "combo_box_win.h"
#include "installer_state.h"

namespace velmo {
namespace {

// Reads through a buffer that grows until the result fits; `spare` is how
// many characters short of the buffer a cut result comes back.
template <class Read>
std::string ReadGrowing(Read read, DWORD spare) {
  std::string buffer(4096, '\0');
  for (;;) {
    const DWORD length = read(buffer.data(), DWORD(buffer.size()));
    if (length + spare < buffer.size() || buffer.size() >= (1u << 24)) return buffer.substr(0, length + 1);
    buffer.assign(buffer.size() * 2, '\0');
  }
}

}  // namespace

std::string ProgramFolder() {
  char path[1024] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  const std::string program(path, length < sizeof path ? length : 0);
  return program.substr(0, program.rfind('\\') + 1);
}

std::vector<DirectoryEntry> ListDirectory(const std::string& wildcardPath) {
  std::vector<DirectoryEntry> entries;
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA(wildcardPath.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    entries.push_back({found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return entries;
}

std::string ProfileFile::Value(const std::string& section, const std::string& key,
                               const std::string& fallback) const {
  const std::string value = ReadGrowing(
      [&](char* buffer, DWORD size) {
        return GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer, size,
                                        path_.c_str());
      },
      1);
  return value.substr(0, value.find('\0'));
}

std::vector<std::string> ProfileFile::KeyNames(const std::string& section) const {
  // The names come one after another, each ended by a zero, the list by a second.
  const std::string list = ReadGrowing(
      [&](char* buffer, DWORD size) {
        return GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer, size, path_.c_str());
      },
      2);
  std::vector<std::string> names;
  for (std::size_t start = 0; start < list.size() && list[start] != '\0';) {
    const std::size_t end = list.find('\0', start);
    names.push_back(list.substr(start, end - start));
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
  for (const std::string& model : models) items.push_back(WidenAnsi(model));
  driverNames.SetItems(items);
  CollectBrandWords(models, BrandWords);
}

}  // namespace velmo
