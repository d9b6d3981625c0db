// A list of equally sized pictures for list views.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "component.h"

namespace toolkit {

class Form;

struct ImageListDesign {
  std::wstring Name{};
  int Width = 32, Height = 32;  // pixels
};

class ImageList : public Component {
 public:
  ImageList(Form& owner, const ImageListDesign& design);
  ~ImageList() override;
  HIMAGELIST Handle() const { return list_; }
  // Adds the picture (copied); its transparent colour is `mask`, or none. Returns its index.
  int Add(HBITMAP picture, COLORREF mask = CLR_NONE);
  int Count() const { return ImageList_GetImageCount(list_); }

 private:
  HIMAGELIST list_;
};

}  // namespace toolkit
