// A flat button with a 32 x 32 picture above its caption; the caption may
// hold a line feed. It takes no focus, as a tool button.
#pragma once

#include "control_win.h"
#include "gdi_win.h"

namespace toolkit {

class SpeedButton : public Control {
 public:
  long AccessibleRole() const override { return ROLE_SYSTEM_PUSHBUTTON; }
  bool TakesTabStop() const override { return true; }
  SpeedButton(Component& owner, Container& parent, const Design& design);
  // The picture, drawn transparent where it has its bottom-left pixel's colour.
  void SetPicture(UniqueBitmap picture);
  HBITMAP Picture() const { return picture_.get(); }
  void SetCaption(const std::wstring& caption) override;
  void Click();

 protected:
  void CreateHandle() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Draw(const DRAWITEMSTRUCT& item);
  void ApplyFont() override;
  // The designed picture drawn for the nearest of 100, 150 and 200 %, where
  // the resources hold it; the 100 % picture otherwise.
  void LoadPictureForDpi();

  std::wstring pictureName_;  // the designed resource; empty once a picture is set
  int pictureScale_ = 0;
  UniqueBitmap picture_;
  bool hot_ = false;
};

}  // namespace toolkit
