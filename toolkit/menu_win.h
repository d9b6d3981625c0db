// Pop-up menus and their items. A menu owns its items, in the order they
// were added; items carry a caption.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "component.h"

namespace toolkit {

class Form;

struct MenuItemDesign {
  std::wstring Name{};
  std::wstring Caption{};
  bool Enabled = true;
  NotifyEvent OnClick{};
};

class PopupMenu;

class MenuItem : public Component {
 public:
  MenuItem(PopupMenu& owner, const MenuItemDesign& design);
  bool HasCaption() const override { return true; }
  std::wstring Caption() const override { return caption_; }
  void SetCaption(const std::wstring& caption) override { caption_ = caption; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  // What choosing the item does.
  void Click();

  NotifyEvent OnClick;

 private:
  std::wstring caption_;
  bool enabled_;
};

class PopupMenu : public Component {
 public:
  PopupMenu(Form& owner, std::wstring name);
  MenuItem* Add(const MenuItemDesign& design);
  const std::vector<MenuItem*>& Items() const { return items_; }
  // Shows the menu at a screen point and runs the chosen item's OnClick.
  void Popup(POINT screen);

 private:
  Form& form_;
  std::vector<MenuItem*> items_;
};

}  // namespace toolkit
