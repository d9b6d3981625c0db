#pragma once
// The driver package's catalogue: where its INF file is found, which printer
// models it declares, and the brand words taken from them.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "profile_reader.h"
#include "text_list.h"

namespace velmo {

constexpr char kCataloguePattern[] = "driver\\*.inf";
constexpr char kCatalogueFolder[] = "driver\\";

// Paths are cut to these lengths where the installer's buffers hold them
// (UTF-8 bytes, never inside a character).
constexpr std::size_t kMaxProgramFolderLength = 255;
constexpr std::size_t kMaxListedFolderLength = 200;
constexpr std::size_t kMaxProviderLength = 255;
// Longer model names do not fit and are skipped, and with them every key name
// of 256 characters or more: a cut name would name a model that the driver
// package does not hold.
constexpr std::size_t kMaxModelNameLength = 79;

struct DirectoryEntry {
  std::string name;
  bool folder = false;
};
// The entries that match a wildcard path, in the platform's listing order.
using DirectoryListing = std::function<std::vector<DirectoryEntry>(const std::string& wildcardPath)>;

// Every file matching `pattern` (relative, for example "driver\*.inf") in
// `programFolder` (ending with a separator) and in each of its immediate
// subfolders, as that folder's path followed by the file's name.
std::vector<std::string> FindFiles(const std::string& programFolder, std::string_view pattern,
                                   const DirectoryListing& list);

// The file name of the first file found, in the program's own "driver"
// folder: a full path, so the current folder plays no part. With none found
// the installer cannot run: throws an error that says the package is missing.
std::string CataloguePath(const std::string& programFolder, const std::vector<std::string>& found);

// The model names of the section "<Provider>.NTx86", in file order, without
// the double quotes around them.
std::vector<std::string> ReadInfModels(const ProfileReader& inf);

// Each model's text before its first blank, each word once (the form met
// first), in order of first occurrence. `words` is emptied first.
void CollectBrandWords(const std::vector<std::string>& models, TextList& words);

}  // namespace velmo
