#include "image_list_win.h"

#include <stdexcept>

#include "form_win.h"

namespace toolkit {

ImageList::ImageList(Form& owner, const ImageListDesign& design)
    : Component(&owner, design.Name), list_(ImageList_Create(design.Width, design.Height, ILC_COLOR32 | ILC_MASK, 1, 1)) {
  if (!list_) throw std::runtime_error("ImageList_Create failed");
}

ImageList::~ImageList() { ImageList_Destroy(list_); }

int ImageList::Add(HBITMAP picture, COLORREF mask) {
  return mask == CLR_NONE ? ImageList_Add(list_, picture, nullptr) : ImageList_AddMasked(list_, picture, mask);
}

}  // namespace toolkit
