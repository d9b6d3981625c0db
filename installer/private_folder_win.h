#pragma once
// A folder of this run's own under the temporary folder, which only the
// current account, administrators and the system may open, for the files
// that other programs are started with (the batch file, the elevated
// helper's plan). Removed with what it holds when the object goes.
#include <cstddef>
#include <optional>
#include <string>

namespace velmo {

class PrivateFolder {
 public:
  // Nothing when the temporary folder is missing or no folder can be made.
  static std::optional<PrivateFolder> Create();
  PrivateFolder(PrivateFolder&& other) noexcept : path_(std::move(other.path_)) { other.path_.clear(); }
  PrivateFolder& operator=(PrivateFolder&&) = delete;
  PrivateFolder(const PrivateFolder&) = delete;
  ~PrivateFolder();

  // UTF-8, ending with its separator.
  const std::string& Path() const { return path_; }

 private:
  explicit PrivateFolder(std::string path) : path_(std::move(path)) {}
  std::string path_;
};

// The files in such a folder: created anew, never an existing file, and
// read whole up to `limit` bytes (nothing for a longer one).
bool WriteNewFile(const std::string& path, const std::string& bytes);
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t limit);

// The current account's security identifier as text; empty when unknown.
std::string CurrentUserSid();

// The temporary folder in UTF-8, ending with its separator; empty when the
// platform gives none.
std::string TemporaryFolder();

}  // namespace velmo
