#include "menu_win.h"

#include "error_box_win.h"
#include "form_win.h"

namespace toolkit {

MenuItem::MenuItem(PopupMenu& owner, const MenuItemDesign& design)
    : Component(&owner, design.Name), OnClick(design.OnClick), caption_(design.Caption), enabled_(design.Enabled) {}

void MenuItem::Click() {
  if (enabled_ && OnClick) Guarded([&] { OnClick(*this); });
}

PopupMenu::PopupMenu(Form& owner, std::wstring name) : Component(&owner, std::move(name)), form_(owner) {}

MenuItem* PopupMenu::Add(const MenuItemDesign& design) {
  items_.push_back(new MenuItem(*this, design));
  return items_.back();
}

void PopupMenu::Popup(POINT screen) {
  HMENU menu = CreatePopupMenu();
  for (std::size_t i = 0; i < items_.size(); ++i) {
    AppendMenuW(menu, MF_STRING | (items_[i]->Enabled() ? 0 : MF_GRAYED), i + 1, items_[i]->Caption().c_str());
  }
  const UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x, screen.y, 0,
                                     form_.Handle(), nullptr);
  DestroyMenu(menu);
  if (chosen >= 1 && chosen <= items_.size()) items_[chosen - 1]->Click();
}

}  // namespace toolkit
