// libFuzzer entry: the driver package's INF text through the catalogue: the
// models of "<Provider>.NTx86" and the brand words taken from them. Every
// model must fit its buffer, every brand word must begin a model and be
// listed once, and the search pattern built from it must fit its buffer.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "devcon_status.h"
#include "driver_catalogue.h"
#include "fuzz_check.h"
#include "inf_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const velmo::InfText inf(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::vector<std::string> models = velmo::ReadInfModels(inf);
  for (const std::string& model : models) VELMO_FUZZ_CHECK(model.size() <= velmo::kMaxModelNameLength);

  velmo::TextList words;
  velmo::CollectBrandWords(models, words);
  for (std::size_t i = 0; i < words.Count(); ++i) {
    VELMO_FUZZ_CHECK(words.IndexOf(words[i]) == int(i));
    bool begins_a_model = false;
    for (const std::string& model : models) begins_a_model |= model.starts_with(words[i]);
    VELMO_FUZZ_CHECK(begins_a_model);
    if (const auto pattern = velmo::UsbSearchPattern(words[i]))
      VELMO_FUZZ_CHECK(pattern->size() <= velmo::kMaxUsbPatternLength);
  }
  return 0;
}
