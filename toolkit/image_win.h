// A picture on the form: centred, stretched or scaled proportionally, or
// sized to its picture; a right click opens its pop-up menu.
#pragma once

#include "control_win.h"
#include "gdi_win.h"

namespace toolkit {

class Image : public Control {
 public:
  long AccessibleRole() const override { return ROLE_SYSTEM_GRAPHIC; }
  // A picture with a menu takes the focus, so that the keyboard can open it.
  bool TakesTabStop() const override { return Designed().PopupMenu != nullptr; }
  Image(Component& owner, Container& parent, const Design& design);

  HBITMAP Picture() const { return picture_.get(); }
  void SetPicture(UniqueBitmap picture);
  // Keeps a copy of `picture`; the caller keeps its own.
  void SetPictureCopy(HBITMAP picture);

  // Where the picture lands in the client area, in device pixels.
  RECT PictureRect() const;

 protected:
  void CreateHandle() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc);
  UniqueBitmap picture_;
  bool designedPicture_ = false;  // the design's own, drawn in designed pixels
};

}  // namespace toolkit
