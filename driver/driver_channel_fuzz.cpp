// libFuzzer entry: the driver plug-in's WM_COPYDATA replies. A fake
// transport answers each request from the fuzzer's bytes (any flag, any
// bytes, at once, late or never, and now and then a user's change handled
// during the wait); the settings window's reads run over it: the feature
// list (request 1), every feature through its codec, the paper index.
// Positions must stay within their bars, payloads within their buffers, and
// writes go only to listed features.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "driver_channel.h"
#include "feature_codecs.h"
#include "fuzz_check.h"

namespace {

using velmo::DriverChannel;

class FuzzedPlugin : public velmo::DriverTransport {
 public:
  explicit FuzzedPlugin(FuzzedDataProvider& input) : input_(input) {}

  void Send(uint32_t code, std::string_view payload) override {
    VELMO_FUZZ_CHECK(payload.size() <= DriverChannel::kMaxPayload);
    if (code == velmo::kSetFeatureOption) {
      const std::string_view keyword = payload.substr(0, payload.find('='));
      VELMO_FUZZ_CHECK(payload.find('=') != std::string_view::npos && channel->IsSupported(keyword));
    }
    pending_ = !input_.ConsumeBool();
  }

  void HandleOneMessage(uint32_t max_wait_ms) override {
    VELMO_FUZZ_CHECK(max_wait_ms <= DriverChannel::kReplyWaitMs);
    switch (input_.ConsumeIntegralInRange(0, 3)) {
      case 0:
        now_ += max_wait_ms;  // nothing within the wait
        return;
      case 1:
        // The user moves a bar while the request waits.
        channel->SetFeatureOption(input_.PickValueInArray(velmo::kFeatureReadOrder),
                                  input_.ConsumeRandomLengthString(16));
        now_ += input_.ConsumeIntegralInRange<uint32_t>(0, max_wait_ms);
        return;
      default:
        if (!pending_) {
          now_ += max_wait_ms;
          return;
        }
        pending_ = false;
        now_ += input_.ConsumeIntegralInRange<uint32_t>(0, max_wait_ms);
        // Any flag (0 ends no wait), any bytes, sometimes past the buffer.
        const uintptr_t flag = input_.ConsumeIntegralInRange<uintptr_t>(0, 2);
        std::string bytes = input_.ConsumeRandomLengthString(4096);
        if (input_.ConsumeIntegralInRange(0, 255) == 255) bytes.resize(DriverChannel::kReplyBufferSize + 1, 'x');
        channel->OnReply(flag, bytes.data(), bytes.size());
    }
  }

  void ReceiveSentReplies() override {}
  uint32_t TickCount() override { return now_; }

  DriverChannel* channel = nullptr;

 private:
  FuzzedDataProvider& input_;
  bool pending_ = false;
  uint32_t now_ = 0xFFFFFF00u;  // the tick count wraps during the run
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  FuzzedPlugin plugin(input);
  DriverChannel channel(plugin);
  plugin.channel = &channel;

  channel.EnumFeatures();
  for (const std::string& keyword : channel.SupportedFeatures())
    VELMO_FUZZ_CHECK(keyword.size() <= DriverChannel::kFeatureEntrySize && keyword.find('\0') == std::string::npos);

  auto read = [&](const char* keyword) {
    const std::string option = channel.GetFeatureOption(keyword);
    VELMO_FUZZ_CHECK(option.size() <= DriverChannel::kReplyBufferSize);
    return option;
  };
  const int rotation = velmo::RotationButtonOf(read("Orientation"), read("OrientationExt"));
  VELMO_FUZZ_CHECK(rotation >= -1 && rotation <= 3);
  for (auto [high, low] : {std::pair{"BlacknessAdjustH", "BlacknessAdjustL"},
                           std::pair{"BlacknessRedAdjustH", "BlacknessRedAdjustL"}}) {
    const int position = velmo::BlacknessPosition(read(high), read(low));
    VELMO_FUZZ_CHECK(position >= 0 && position <= velmo::kBlacknessMax);
    const auto [h, l] = velmo::BlacknessOptions(position);
    VELMO_FUZZ_CHECK(velmo::BlacknessPosition(h, l) == position);
    channel.SetFeatureOption(high, h);
    channel.SetFeatureOption(low, l);
  }
  const int zoom = velmo::ZoomIndexOf(read("PrintZoom"));
  VELMO_FUZZ_CHECK(zoom >= -1 && zoom < velmo::kZoomItems);
  if (zoom >= 0) VELMO_FUZZ_CHECK(velmo::ZoomIndexOf(velmo::ZoomOption(zoom)) == zoom);
  for (const char* keyword : {"PrintTrimTop", "PrintTrimBottom"}) {
    const int trim = velmo::TrimPosition(read(keyword));
    VELMO_FUZZ_CHECK(trim >= 0 && trim <= velmo::kTrimMax);
    VELMO_FUZZ_CHECK(velmo::TrimPosition(velmo::TrimOption(trim)) == trim);
  }
  for (const char* keyword : {"PrintOffsetX", "PrintOffsetY"}) {
    const int offset = velmo::OffsetPosition(read(keyword));
    VELMO_FUZZ_CHECK(offset >= -velmo::kOffsetMax && offset <= velmo::kOffsetMax);
    VELMO_FUZZ_CHECK(velmo::OffsetPosition(velmo::OffsetOption(offset)) == offset);
    channel.SetFeatureOption(keyword, velmo::OffsetOption(offset));
  }
  for (const char* keyword : {"FlipHorizontal", "PrintReverse", "PageMark"})
    channel.SetFeatureOption(keyword, velmo::OnOff(!velmo::IsOn(read(keyword))));

  const int paper = channel.GetPaperIndex("Velmo LT42");
  channel.SelectPaper(paper);
  channel.NotifyTestPage(std::string(300, 'P'));
  return 0;
}
