#pragma once
// velmocheck's world on Windows: files by UTF-16 path, the local print
// server's paper forms, and UTF-8 output.
#include "velmocheck_run.h"

namespace velmo {

class WinCheckHost : public CheckHost {
 public:
  bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) override;
  bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) override;
  std::optional<FormSize> PaperForm(const std::string& name) override;
  void Out(std::string_view text) override;
  void Err(std::string_view text) override;
};

// wmain's arguments after the program's name, as UTF-8.
std::vector<std::string> CheckArguments(int argc, wchar_t** argv);

}  // namespace velmo
