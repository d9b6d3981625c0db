#pragma once
// The paper editor's work without its window: the boxes' texts to and from a
// spooler form, and saving a new or an edited paper.
#include <array>
#include <string>
#include <string_view>
#include <variant>

#include "message_boxes.h"
#include "paper_catalogue.h"
#include "spooler_forms.h"

namespace velmo {

// The six number boxes, in this order everywhere.
enum PaperBox { kWidthBox, kHeightBox, kMarginLeftBox, kMarginRightBox, kMarginTopBox, kMarginBottomBox };
constexpr size_t kPaperBoxCount = 6;
using PaperBoxTexts = std::array<std::wstring, kPaperBoxCount>;

// The spooler copies a form's name into a 256-byte buffer.
constexpr size_t kMaxPaperNameBytes = 255;

// What the user typed, as the dialog hands it over.
struct PaperDraft {
  std::string Name;  // ANSI code page
  PaperBoxTexts Boxes;
  PaperBoxTexts BoxCaptions;  // the boxes' labels, to name a box in a message
  wchar_t DecimalSeparator = L'.';
};

// A user form from the boxes, or the first box that holds no usable number.
std::variant<PaperForm, PaperBox> PaperFormOf(const std::string& name, const PaperBoxTexts& boxes,
                                              wchar_t decimal_separator);

// The boxes' texts for a stored form, margins taken from its printable area.
PaperBoxTexts BoxTextsOf(const PaperForm& form);

// A margin default as the driver gives it: the number starts at the third
// character.
std::wstring MarginFromDriverOption(std::string_view option);

// The settings window's paper list, as the editor refreshes it after a save.
class PaperListRefresh {
 public:
  virtual ~PaperListRefresh() = default;
  // Refills the list from the spooler and returns what it now holds.
  virtual const PaperLists& FillPaperList() = 0;
  // Selects the entry and tells the driver that it is the paper now.
  virtual void SelectAndTellDriver(int entry) = 0;
};

struct PaperSaveContext {
  SpoolerForms& Spooler;
  std::string_view PrinterName;  // ANSI code page
  MessageBoxes& Messages;
  PaperListRefresh& List;
  bool English = false;
};

enum class SaveResult { Saved, KeptOpen };

// A new paper: an existing form of the same name is replaced only after the
// user agrees, and in place, so that it survives when the new one cannot be
// stored. The new paper becomes the selected one.
SaveResult SaveNewPaper(const PaperDraft& draft, const PaperSaveContext& context);

// An edited paper, stored under its name; the selection stays the driver's.
SaveResult SaveEditedPaper(const PaperDraft& draft, const PaperSaveContext& context);

}  // namespace velmo
