#include "driver_catalogue.h"

#include <stdexcept>

#include "english_mode.h"
#include "utf8_prefix.h"

namespace velmo {
namespace {

std::string Listed(const std::string& folder, std::string_view suffix) {
  return std::string(Utf8Prefix(folder, kMaxListedFolderLength)).append(suffix);
}

std::string WithoutOneQuoteEachEnd(std::string name) {
  if (!name.empty() && name.front() == '"') name.erase(0, 1);
  if (!name.empty() && name.back() == '"') name.pop_back();
  return name;
}

std::string MissingPackageMessage() {
  return IsEnglish() ? "The driver package is missing: there is no driver\\*.inf beside the installer."
                     : "缺少驱动程序包：安装程序旁边没有 driver\\*.inf 文件。";
}

}  // namespace

std::vector<std::string> FindFiles(const std::string& programFolder, std::string_view pattern,
                                   const DirectoryListing& list) {
  const std::string top(Utf8Prefix(programFolder, kMaxProgramFolderLength));
  std::vector<std::string> folders{top};
  for (const DirectoryEntry& entry : list(Listed(top, "*.*"))) {
    if (entry.folder && entry.name != "." && entry.name != "..") folders.push_back(top + entry.name + "\\");
  }
  std::vector<std::string> files;
  for (const std::string& folder : folders) {
    for (const DirectoryEntry& entry : list(Listed(folder, pattern))) {
      if (!entry.folder) files.push_back(folder + entry.name);
    }
  }
  return files;
}

std::string CataloguePath(const std::string& programFolder, const std::vector<std::string>& found) {
  if (found.empty()) throw std::runtime_error(MissingPackageMessage());
  const std::string& first = found.front();
  return programFolder + kCatalogueFolder + first.substr(first.rfind('\\') + 1);
}

std::vector<std::string> ReadInfModels(const ProfileReader& inf) {
  const std::string provider = inf.Value("Version", "Provider", "").substr(0, kMaxProviderLength);
  std::vector<std::string> models;
  for (const std::string& key : inf.KeyNames(provider + ".NTx86")) {
    std::string name = WithoutOneQuoteEachEnd(key);
    // An empty name would make a brand word that every USB printer matches.
    if (name.empty() || name.size() > kMaxModelNameLength) continue;
    models.push_back(std::move(name));
  }
  return models;
}

void CollectBrandWords(const std::vector<std::string>& models, TextList& words) {
  words.Clear();
  for (const std::string& model : models) {
    std::string word = model.substr(0, model.find(' '));
    if (!words.Contains(word)) words.Add(std::move(word));
  }
}

}  // namespace velmo
