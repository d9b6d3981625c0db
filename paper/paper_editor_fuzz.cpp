// libFuzzer entry: the paper editor's six number boxes as the user types
// them, under a point, a comma or another decimal separator, and the margin
// defaults the driver gives. A form read from the boxes must show again in
// boxes that read back to it within the boxes' 0.1 mm.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_check.h"
#include "paper_editor.h"
#include "paper_units.h"

namespace {

std::wstring WideText(FuzzedDataProvider& input) {
  std::wstring text;
  for (char c : input.ConsumeRandomLengthString(40)) {
    // Mostly what a box holds, now and then any UTF-16 unit.
    const unsigned char u = static_cast<unsigned char>(c);
    text += u >= 0xF0 ? wchar_t(0x2000 + u) : wchar_t(u);
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const wchar_t separator = input.PickValueInArray({L'.', L',', L'\x066B'});
  velmo::PaperBoxTexts boxes;
  for (std::wstring& box : boxes) box = WideText(input);
  const std::wstring margin = velmo::MarginFromDriverOption(input.ConsumeRandomLengthString(20));
  boxes[velmo::kMarginRightBox] += margin;

  const auto form = velmo::PaperFormOf("Label", boxes, separator);
  const auto* paper = std::get_if<velmo::PaperForm>(&form);
  if (!paper) {
    const velmo::PaperBox bad = std::get<velmo::PaperBox>(form);
    VELMO_FUZZ_CHECK(bad >= velmo::kWidthBox && bad <= velmo::kMarginBottomBox);
    return 0;
  }
  VELMO_FUZZ_CHECK(paper->Flags == velmo::kFormUser && paper->Name == "Label");

  // Shown again (with a point, whatever the separator) and read back.
  const velmo::PaperBoxTexts shown = velmo::BoxTextsOf(*paper);
  const auto again = velmo::PaperFormOf("Label", shown, separator);
  const auto* back = std::get_if<velmo::PaperForm>(&again);
  const bool sane = std::abs(int64_t{paper->Width}) < 1000000000 && std::abs(int64_t{paper->Height}) < 1000000000 &&
                    std::abs(int64_t{paper->Right}) < 1000000000 && std::abs(int64_t{paper->Bottom}) < 1000000000;
  if (!sane) return 0;
  VELMO_FUZZ_CHECK(back != nullptr);
  for (auto [a, b] : {std::pair{paper->Width, back->Width}, std::pair{paper->Height, back->Height},
                      std::pair{paper->Left, back->Left}, std::pair{paper->Top, back->Top},
                      std::pair{paper->Right, back->Right}, std::pair{paper->Bottom, back->Bottom}})
    VELMO_FUZZ_CHECK(std::llabs(int64_t{a} - b) <= 100);
  return 0;
}
