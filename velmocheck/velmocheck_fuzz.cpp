// velmocheck's command line and the picture's bytes, both from outside.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "velmocheck_run.h"

namespace {

// Every path reads as the fuzzed picture; forms and writes are there too.
class FuzzHost : public velmo::CheckHost {
 public:
  explicit FuzzHost(std::vector<uint8_t> picture) : picture_(std::move(picture)) {}
  bool ReadFile(const std::string&, std::vector<uint8_t>& bytes) override {
    bytes = picture_;
    return true;
  }
  bool WriteFile(const std::string&, const std::vector<uint8_t>&) override { return true; }
  std::optional<velmo::FormSize> PaperForm(const std::string& name) override {
    if (name.empty() || name[0] == 'x') return std::nullopt;
    return velmo::FormSize{int32_t(name.size()) * 5000, 30000};
  }
  void Out(std::string_view) override {}
  void Err(std::string_view) override {}

 private:
  std::vector<uint8_t> picture_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider provider(data, size);
  std::vector<std::string> arguments;
  const int count = provider.ConsumeIntegralInRange(0, 6);
  for (int i = 0; i < count; ++i) arguments.push_back(provider.ConsumeRandomLengthString(40));
  FuzzHost host(provider.ConsumeRemainingBytes<uint8_t>());
  const int code = velmo::RunVelmocheck(arguments, host);
  VELMO_FUZZ_CHECK(code >= 0 && code <= 3);
  return 0;
}
