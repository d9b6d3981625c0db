#pragma once
// The driver catalogue on the platform: the program's folder, directory
// listings, the profile functions, and the model list of the window.
#include <string>
#include <vector>

#include "driver_catalogue.h"
#include "profile_reader.h"

namespace toolkit {
class ComboBox;
}

namespace velmo {

// The folder of the running program in UTF-8, ending with its separator.
std::string ProgramFolder();

// FindFirstFileW and FindNextFileW over a wildcard path (UTF-8 in and out).
std::vector<DirectoryEntry> ListDirectory(const std::string& wildcardPath);

// An INF file read with GetPrivateProfileStringW; texts in UTF-8. A relative path with a
// folder part names a file relative to the current folder.
class ProfileFile : public ProfileReader {
 public:
  explicit ProfileFile(std::string path) : path_(std::move(path)) {}
  std::string Value(const std::string& section, const std::string& key,
                    const std::string& fallback) const override;
  std::vector<std::string> KeyNames(const std::string& section) const override;

 private:
  std::string path_;
};

// The models of the first "driver\*.inf" found from `programFolder`, read
// from that folder's own "driver" folder. Throws when none is found.
std::vector<std::string> ReadCatalogueModels(const std::string& programFolder);

// Fills the window's model list (nothing selected) and BrandWords from the
// catalogue beside the program.
void ListDriverModels(toolkit::ComboBox& driverNames);

}  // namespace velmo
