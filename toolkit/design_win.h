// The create arguments of every control kind: one flat table row, filled with
// designated initializers, so that a window's design reads like its
// description. Each kind reads the fields that apply to it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "component.h"
#include "layout.h"

namespace toolkit {

class Control;
class ImageList;
class PopupMenu;

// "No colour of its own": the control takes its parent's background, or the
// system's text colour.
constexpr COLORREF kParentColor = CLR_INVALID;

enum class TextAlign { Left, Center, Right };
enum class Bevel { None, Raised, Lowered };

struct Column {
  std::wstring Caption{};
  int Width = 100;
};

// What an owner-drawn list item handler draws into. The toolkit has selected
// the control's font and set the colours for the item's state (selected or
// not) before the handler runs; `Background` is the colour to fill with.
struct DrawItemArgs {
  HDC Canvas = nullptr;
  RECT Rect{};
  int Index = -1;
  bool Selected = false;
  bool Face = false;  // the closed combo box's face rather than a dropped-down item
  COLORREF Background = 0;
};
using DrawItemEvent = std::function<void(Component& Sender, DrawItemArgs& Item)>;

struct Design {
  std::wstring Name{};
  std::wstring Caption{};
  Rect Bounds{};  // 96-DPI pixels, relative to the parent's client area
  toolkit::Align Align = toolkit::Align::None;
  Edges Margins{};  // around an aligned control
  Edges Padding{};  // inside a container, for its aligned children
  bool Visible = true;
  bool Enabled = true;

  COLORREF Color = kParentColor;      // background
  COLORREF FontColor = kParentColor;  // text
  bool KeepColor = false;             // also in high contrast: a picture of paper stays white
  int FontSize = 0;                   // points; 0 takes the parent's
  TextAlign Alignment = TextAlign::Left;
  bool AutoSize = false;  // labels fit their text
  Bevel BevelOuter = Bevel::None;

  bool Checked = false;  // check boxes, radio buttons
  bool Default = false;  // the button that Enter presses
  bool Cancel = false;   // the button that Esc presses
  int ModalResult = 0;   // a button that closes its modal form with this result

  int Min = 0, Max = 10, Position = 0, PageSize = 1;  // track bars
  bool TicksBothSides = false;
  Control* ValueLabel = nullptr;  // the label that shows a track bar's value with its unit
  bool PositionToolTip = false;

  std::vector<std::wstring> Items{};  // drop-down lists
  int ItemIndex = -1;
  bool OwnerDraw = false;
  int ItemHeight = 0;  // 96-DPI pixels, owner-drawn lists

  std::wstring Text{};  // edits
  wchar_t PasswordChar = 0;
  bool ReadOnly = false;
  int LabelSpacing = 3;

  std::wstring Picture{};  // name of a bitmap resource: speed buttons, images
  bool Center = false, Proportional = false, Stretch = false;
  PopupMenu* PopupMenu = nullptr;

  std::vector<Column> Columns{};  // list views
  ImageList* Images = nullptr;

  bool FlatTabs = false;    // page controls
  bool TabVisible = true;   // tab sheets

  // Screen readers: the name where the caption (or the row's caption) does
  // not say what the control is, a description, and for a status line that
  // its changes are announced.
  std::wstring AccessibleName{};
  std::wstring AccessibleDescription{};
  bool Announce = false;

  NotifyEvent OnClick{};
  NotifyEvent OnChange{};
  NotifyEvent OnDblClick{};
  DrawItemEvent OnDrawItem{};
};

}  // namespace toolkit
