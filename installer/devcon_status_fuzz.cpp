// libFuzzer entry: the device console tool's output, read for one brand
// word, and the USB rows that follow it. The ID and name lists must stay
// aligned and the rows must be exactly the IDs found.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "devcon_status.h"
#include "fuzz_check.h"
#include "install_commands.h"
#include "usb_scan.h"

namespace {

struct CountingView : velmo::PrinterRowsView {
  void RowAppended(const velmo::PrinterRow&) override { ++rows; }
  void RowRemoved(std::size_t index) override {
    VELMO_FUZZ_CHECK(index < rows);
    --rows;
  }
  std::size_t rows = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::vector<std::string> brands = {input.ConsumeRandomLengthString(24)};
  const std::string output = input.ConsumeRemainingBytesAsString();
  auto devcon = [&output](const std::string& arguments, std::string& captured) {
    VELMO_FUZZ_CHECK(arguments.starts_with("status USBPRINT\\"));
    captured = output;
    return 0;
  };

  CountingView view;
  velmo::FoundPrinters rows(view);
  velmo::TextList ids, names;
  const auto scan = [&] { velmo::FollowUsbSearch(velmo::SearchUsbDevices(devcon, brands, {}).devices, ids, names, rows); };
  scan();
  VELMO_FUZZ_CHECK(ids.Count() == names.Count());
  VELMO_FUZZ_CHECK(view.rows == rows.Rows().size());
  for (const velmo::PrinterRow& row : rows.Rows()) {
    VELMO_FUZZ_CHECK(velmo::IsUsbRow(row) && ids.Contains(row.key));
    VELMO_FUZZ_CHECK(row.port == velmo::PortOfDeviceId(row.key));
  }
  for (const std::string& id : ids.Items())
    VELMO_FUZZ_CHECK(std::ranges::any_of(rows.Rows(), [&](const velmo::PrinterRow& r) { return r.key == id; }));

  // A second pass over the same output changes no row.
  scan();
  VELMO_FUZZ_CHECK(view.rows == rows.Rows().size());

  if (const auto pattern = velmo::UsbSearchPattern(brands[0])) {
    for (int architecture : {velmo::kArchitectureX64, 0})
      if (const auto command = velmo::DevconRestartCommand("C:\\Velmo\\", architecture, *pattern))
        VELMO_FUZZ_CHECK(command->size() <= velmo::kMaxCommandLength);
  }
  return 0;
}
