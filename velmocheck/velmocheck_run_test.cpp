// velmocheck over in-memory files: labels drawn by ZXing's writer and
// encoded as PNG when the test runs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "label_maker.h"
#include "picture_encode.h"
#include "velmocheck_run.h"

namespace velmo {
namespace {

using testing::HasSubstr;

class MemoryHost : public CheckHost {
 public:
  std::map<std::string, std::vector<uint8_t>> files;
  std::map<std::string, FormSize> forms;
  std::string out, err;

  bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) override {
    const auto it = files.find(path);
    if (it == files.end()) return false;
    bytes = it->second;
    return true;
  }
  bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) override {
    if (path.starts_with("/readonly/")) return false;
    files[path] = bytes;
    return true;
  }
  std::optional<FormSize> PaperForm(const std::string& name) override {
    const auto it = forms.find(name);
    if (it == forms.end()) return std::nullopt;
    return it->second;
  }
  void Out(std::string_view text) override { out += text; }
  void Err(std::string_view text) override { err += text; }
};

// A QR Code of wide modules and a Code 128 of 3-pixel bars, both black,
// and a Code 128 of 1-pixel bars in dark grey that a dither breaks.
ColorImage MixedLabel() {
  ColorImage label = BlankLabel(800, 400);
  DrawCode(label, LabelCode::QrCode, "VELMO QR", 40, 60, 8);
  DrawCode(label, LabelCode::Code128, "VELMO-3DOT", 330, 40, 3, 120);
  ColorImage thin = BlankLabel(800, 400);
  DrawCode(thin, LabelCode::Code128, "VELMO-1DOT", 330, 240, 1, 120);
  for (size_t i = 0; i < thin.pixels.size(); ++i)
    if (thin.pixels[i] == 0) label.pixels[i] = PackRgb(46, 46, 46);
  return label;
}

struct Velmocheck : testing::Test {
  MemoryHost host;
  int Run(std::vector<std::string> arguments) { return RunVelmocheck(arguments, host); }
};

TEST_F(Velmocheck, ExitCodesFollowTheBarcodes) {
  host.files["mixed.png"] = EncodePng(MixedLabel());
  EXPECT_EQ(Run({"mixed.png", "-threshold"}), 0) << host.out << host.err;
  EXPECT_THAT(host.out, HasSubstr("3 barcodes: 3 readable\n"));

  host.out.clear();
  EXPECT_EQ(Run({"mixed.png", "-dither", "-blackness:50"}), 1);
  EXPECT_THAT(host.out, HasSubstr("Code128 \"VELMO-1DOT\": not readable, narrowest bar 1 dot\n"));
  EXPECT_THAT(host.out, HasSubstr("Code128 \"VELMO-3DOT\": readable, narrowest bar 3 dots\n"));
  EXPECT_THAT(host.out,
              HasSubstr("3 barcodes: 2 readable, 1 not readable after dithering: threshold keeps its bars\n"));

  host.files["blank.png"] = EncodePng(BlankLabel(300, 200));
  EXPECT_EQ(Run({"blank.png"}), 3);
  EXPECT_EQ(Run({"missing.png"}), 2);
  host.files["text.png"] = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'};
  EXPECT_EQ(Run({"text.png"}), 2);
  EXPECT_THAT(host.err, HasSubstr("text.png is no picture"));
}

TEST_F(Velmocheck, RefusesBadArgumentsWithExit2AndTheUsage) {
  host.files["mixed.png"] = EncodePng(MixedLabel());
  for (std::vector<std::string> bad : std::vector<std::vector<std::string>>{
           {},
           {"mixed.png", "other.png"},
           {"mixed.png", "-threshold", "-dither"},
           {"mixed.png", "-rotate:45"},
           {"mixed.png", "-zoom:52"},
           {"mixed.png", "-zoom:155"},
           {"mixed.png", "-blackness:101"},
           {"mixed.png", "-dpi:0"},
           {"mixed.png", "-size:50"},
           {"mixed.png", "-size:0x30"},
           {"mixed.png", "-size:10000x10000", "-dpi:2400"},
           {"mixed.png", "-size:50x30", "-paper:4x6"},
           {"mixed.png", "-paper:unknown"},
           {"mixed.png", "-colour"},
           {"mixed.png", "-out:/readonly/view.png"}}) {
    host.err.clear();
    EXPECT_EQ(Run(bad), 2) << testing::PrintToString(bad);
    EXPECT_THAT(host.err, HasSubstr("velmocheck: ")) << testing::PrintToString(bad);
  }
  host.out.clear();
  EXPECT_EQ(Run({"--help"}), 0);
  EXPECT_THAT(host.out, HasSubstr("usage: velmocheck LABEL.png|jpg|bmp"));
}

TEST_F(Velmocheck, JsonHoldsThePaperEachBarcodeAndTheExitCode) {
  host.files["mixed.png"] = EncodePng(MixedLabel());
  // 100 mm at 203 dpi is 799.2 dots, 50 mm 399.6: one dot narrower than
  // the label, so the fit drops a column, and with it a bar of the 1-dot
  // code; the wider codes do not mind.
  EXPECT_EQ(Run({"mixed.png", "-json", "-size:100x50", "-dpi:203", "-threshold"}), 1);
  EXPECT_THAT(host.out, HasSubstr("{\"picture\":\"mixed.png\",\"paper\":{\"width_mm\":100.0,\"height_mm\":50.0,"
                                  "\"dpi\":203,\"width_dots\":799,\"height_dots\":400},"
                                  "\"halftone\":\"threshold\",\"blackness\":50,\"barcodes\":["));
  EXPECT_THAT(host.out, HasSubstr("{\"format\":\"QRCode\",\"text\":\"VELMO QR\",\"readable\":true,\"box\":{"));
  EXPECT_THAT(host.out, HasSubstr("{\"format\":\"Code128\",\"text\":\"VELMO-3DOT\",\"readable\":true,"
                                  "\"narrowest_bar_dots\":3,\"box\":{"));
  EXPECT_THAT(host.out, HasSubstr("{\"format\":\"Code128\",\"text\":\"VELMO-1DOT\",\"readable\":false,"
                                  "\"narrowest_bar_dots\":1,\"box\":{"));
  EXPECT_THAT(host.out,
              HasSubstr("\"summary\":\"3 barcodes: 2 readable, 1 not readable\",\"exit_code\":1}\n"));

  host.out.clear();
  EXPECT_EQ(Run({"mixed.png", "-json", "-rotate:33"}), 2);
  EXPECT_EQ(host.out, "{\"error\":\"-rotate wants 0, 90, 180 or 270: -rotate:33\",\"exit_code\":2}\n");
}

TEST_F(Velmocheck, PaperFormAndOutputPicture) {
  host.files["mixed.png"] = EncodePng(MixedLabel());
  host.forms["50 x 30"] = {50000, 30000};
  EXPECT_EQ(Run({"mixed.png", "-paper:50 x 30", "-threshold", "-out:view.png"}), 1);
  EXPECT_THAT(host.out, HasSubstr("Paper 50.0 x 30.0 mm at 203 dpi: 400 x 240 dots\n"));
  ColorImage view;
  ASSERT_TRUE(DecodePng(host.files["view.png"], view));
  EXPECT_EQ(view.width, 400);
  EXPECT_EQ(view.height, 240);
  for (uint32_t p : view.pixels) ASSERT_TRUE(p == 0 || p == 0xFFFFFF) << std::hex << p;
}

}  // namespace
}  // namespace velmo
