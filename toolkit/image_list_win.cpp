#include "image_list_win.h"

#include <stdexcept>

#include "form_win.h"
#include "gdi_win.h"
#include "picture_scale.h"

namespace toolkit {

ImageList::ImageList(Form& owner, const ImageListDesign& design)
    : Component(&owner, design.Name), design_(design), scale_(NearestPictureScale(owner.Dpi())), list_(Create()) {}

HIMAGELIST ImageList::Create() const {
  HIMAGELIST list = ImageList_Create(design_.Width * scale_ / 100, design_.Height * scale_ / 100,
                                     ILC_COLOR32 | ILC_MASK, 1, 1);
  if (!list) throw std::runtime_error("ImageList_Create failed");
  return list;
}

ImageList::~ImageList() { ImageList_Destroy(list_); }

int ImageList::Add(HBITMAP picture, COLORREF mask) {
  // Pictures made at run time come in the designed size.
  if (onlyResources_ && resources_.empty() && scale_ != 100) {
    ImageList_Destroy(list_);
    scale_ = 100;
    list_ = Create();
  }
  onlyResources_ = false;
  return mask == CLR_NONE ? ImageList_Add(list_, picture, nullptr) : ImageList_AddMasked(list_, picture, mask);
}

int ImageList::AddResource(const std::wstring& name, COLORREF mask) {
  resources_.emplace_back(name, mask);
  return Load(name, mask);
}

int ImageList::Load(const std::wstring& name, COLORREF mask) {
  UniqueBitmap picture = LoadBitmapResource(ScaledPictureName(name, scale_));
  if (!picture) {
    UniqueBitmap designed = LoadBitmapResource(name);
    if (!designed) return -1;
    picture.reset(static_cast<HBITMAP>(CopyImage(designed.get(), IMAGE_BITMAP, design_.Width * scale_ / 100,
                                                 design_.Height * scale_ / 100, LR_CREATEDIBSECTION)));
  }
  return picture ? ImageList_AddMasked(list_, picture.get(), mask) : -1;
}

bool ImageList::FollowDpi(int dpi) {
  const int scale = NearestPictureScale(dpi);
  if (!onlyResources_ || scale == scale_) return false;
  scale_ = scale;
  HIMAGELIST previous = list_;
  list_ = Create();
  for (const auto& [name, mask] : resources_) Load(name, mask);
  ImageList_Destroy(previous);
  return true;
}

}  // namespace toolkit
