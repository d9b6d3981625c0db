#include "velmocheck_run.h"

#include <cstdio>

#include "barcode_check.h"
#include "picture_encode.h"
#include "picture_geometry.h"
#include "print_view.h"
#include "velmocfg_json.h"
#include "velmocheck_args.h"

namespace velmo {
namespace {

// The English summary is ASCII.
std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::string Millimetres(int32_t thousandths) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", thousandths / 1000.0);
  return text;
}

int Fail(CheckHost& host, bool json, const std::string& why) {
  if (json)
    host.Out(JsonObject().String("error", why).Number("exit_code", kCheckBadInput).Text() + "\n");
  host.Err("velmocheck: " + why + "\n");
  return kCheckBadInput;
}

std::string ResultLine(const BarcodeResult& r) {
  std::string line = r.format + " \"" + r.text + "\": " + (r.readable ? "readable" : "not readable");
  if (!r.textInView.empty()) line += " (reads \"" + r.textInView + "\")";
  if (r.linear)
    line += ", narrowest bar " + std::to_string(r.narrowestBar) + (r.narrowestBar == 1 ? " dot" : " dots");
  return line + "\n";
}

std::string ResultJson(const BarcodeResult& r) {
  JsonObject o;
  o.String("format", r.format).String("text", r.text).Bool("readable", r.readable);
  if (!r.textInView.empty()) o.String("reads_as", r.textInView);
  if (r.linear) o.Number("narrowest_bar_dots", r.narrowestBar);
  o.Raw("box", JsonObject()
                   .Number("left", r.box.left)
                   .Number("top", r.box.top)
                   .Number("right", r.box.right)
                   .Number("bottom", r.box.bottom)
                   .Text());
  return o.Text();
}

}  // namespace

int RunVelmocheck(const std::vector<std::string>& arguments, CheckHost& host) {
  const ParsedCheckArgs parsed = ParseCheckArgs(arguments);
  bool json = false;
  for (const std::string& a : arguments) json = json || a == "-json";
  if (!parsed.args) {
    const int code = Fail(host, json, parsed.error);
    host.Err(kVelmocheckUsage);
    return code;
  }
  const CheckArgs& args = *parsed.args;
  if (args.help) {
    host.Out(kVelmocheckUsage);
    return kCheckAllReadable;
  }

  std::vector<uint8_t> bytes;
  if (!host.ReadFile(args.picture, bytes)) return Fail(host, json, "cannot read " + args.picture);
  ColorImage source;
  if (!DecodePicture(bytes, source) || source.width <= 0 || source.height <= 0)
    return Fail(host, json, args.picture + " is no picture that velmocheck reads (PNG, JPEG, bitmap)");

  PrintPaper paper;
  paper.dpi = args.dpi;
  if (!args.paperName.empty()) {
    const std::optional<FormSize> form = host.PaperForm(args.paperName);
    if (!form) return Fail(host, json, "no paper form named " + args.paperName);
    paper.widthThousandths = form->widthThousandths;
    paper.heightThousandths = form->heightThousandths;
  } else if (args.widthThousandths) {
    paper.widthThousandths = *args.widthThousandths;
    paper.heightThousandths = *args.heightThousandths;
  } else {
    // The picture as it is, a pixel a dot.
    paper.widthThousandths = static_cast<int32_t>((int64_t(source.width) * 25400 + args.dpi / 2) / args.dpi);
    paper.heightThousandths = static_cast<int32_t>((int64_t(source.height) * 25400 + args.dpi / 2) / args.dpi);
  }
  const int64_t across = DotsOf(paper.widthThousandths, paper.dpi);
  const int64_t along = DotsOf(paper.heightThousandths, paper.dpi);
  if (across <= 0 || along <= 0) return Fail(host, json, "the paper is smaller than a dot");
  // The same bound as for pictures: a 32-bit program must be able to hold it.
  if (uint64_t(across * along) > kMaxPicturePixels) return Fail(host, json, "the paper has too many dots");

  PreviewControls controls;
  controls.rotation = args.rotation;
  controls.halftone = args.halftone;
  controls.blackness = args.blackness;
  controls.zoomIndex = (args.zoomPercent - 50) / 5;
  const PrintView view = RenderPrintView(controls, paper, source);
  const BarcodeCheck check = CheckBarcodes(source, controls, paper, view);

  if (!args.out.empty() &&
      !host.WriteFile(args.out, EncodePng(ColorFromGrey(view.dots, view.width, view.height))))
    return Fail(host, json, "cannot write " + args.out);

  const int code = check.barcodes.empty()                            ? kCheckNoBarcode
                   : check.readable() == int(check.barcodes.size()) ? kCheckAllReadable
                                                                     : kCheckSomeUnreadable;
  const std::string summary = Narrow(BarcodeSummary(check, true));
  if (json) {
    std::vector<std::string> results;
    for (const BarcodeResult& r : check.barcodes) results.push_back(ResultJson(r));
    host.Out(JsonObject()
                 .String("picture", args.picture)
                 .Raw("paper", JsonObject()
                                   .Raw("width_mm", Millimetres(paper.widthThousandths))
                                   .Raw("height_mm", Millimetres(paper.heightThousandths))
                                   .Number("dpi", paper.dpi)
                                   .Number("width_dots", view.width)
                                   .Number("height_dots", view.height)
                                   .Text())
                 .String("halftone", args.halftone == PreviewHalftone::Dither ? "dither" : "threshold")
                 .Number("blackness", args.blackness)
                 .Raw("barcodes", JsonArray(results))
                 .String("summary", summary)
                 .Number("exit_code", code)
                 .Text() +
             "\n");
    return code;
  }
  host.Out("Paper " + Millimetres(paper.widthThousandths) + " x " + Millimetres(paper.heightThousandths) +
           " mm at " + std::to_string(paper.dpi) + " dpi: " + std::to_string(view.width) + " x " +
           std::to_string(view.height) + " dots\n");
  for (const BarcodeResult& r : check.barcodes) host.Out(ResultLine(r));
  host.Out(summary + "\n");
  return code;
}

}  // namespace velmo
