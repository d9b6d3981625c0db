// A list of equally sized pictures for list views.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "component.h"

namespace toolkit {

class Form;

struct ImageListDesign {
  std::wstring Name{};
  int Width = 32, Height = 32;  // pixels
};

// Pictures added by resource name are drawn for the nearest of 100, 150 and
// 200 % of the designed size, and made again when the DPI changes.
class ImageList : public Component {
 public:
  ImageList(Form& owner, const ImageListDesign& design);
  ~ImageList() override;
  HIMAGELIST Handle() const { return list_; }
  // Adds the picture (copied); its transparent colour is `mask`, or none. Returns its index.
  // A list with such pictures keeps its size at every DPI.
  int Add(HBITMAP picture, COLORREF mask = CLR_NONE);
  // Adds the bitmap resource `name` as drawn for the list's scale (`name`_150,
  // `name`_200), or the 100 % picture stretched where there is none.
  int AddResource(const std::wstring& name, COLORREF mask);
  int Count() const { return ImageList_GetImageCount(list_); }
  // Makes the list again for `dpi`; true when it is a new list (Handle()),
  // which the list views showing it take.
  bool FollowDpi(int dpi);

 private:
  HIMAGELIST Create() const;
  int Load(const std::wstring& name, COLORREF mask);

  ImageListDesign design_;
  int scale_;
  bool onlyResources_ = true;
  std::vector<std::pair<std::wstring, COLORREF>> resources_;
  HIMAGELIST list_;
};

}  // namespace toolkit
