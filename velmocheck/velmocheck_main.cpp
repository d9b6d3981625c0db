// velmocheck built for this system: the same check over plain files. There
// is no print spooler here, so -paper: finds no form; -size: gives the paper.
#include <cstdio>
#include <fstream>
#include <iterator>

#include "velmocheck_run.h"

namespace {

class FileHost : public velmo::CheckHost {
 public:
  bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) override {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
  }
  bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) override {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out.flush());
  }
  std::optional<velmo::FormSize> PaperForm(const std::string&) override { return std::nullopt; }
  void Out(std::string_view text) override { std::fwrite(text.data(), 1, text.size(), stdout); }
  void Err(std::string_view text) override { std::fwrite(text.data(), 1, text.size(), stderr); }
};

}  // namespace

int main(int argc, char** argv) {
  FileHost host;
  return velmo::RunVelmocheck(std::vector<std::string>(argv + 1, argv + argc), host);
}
