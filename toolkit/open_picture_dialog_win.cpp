#include "open_picture_dialog_win.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>

#include "form_win.h"

namespace toolkit {

OpenPictureDialog::OpenPictureDialog(Form& owner, const OpenPictureDialogDesign& design)
    : Component(&owner, design.Name), form_(owner), filter_(design.Filter) {
  std::replace(filter_.begin(), filter_.end(), L'|', L'\0');
  filter_.push_back(L'\0');
}

bool OpenPictureDialog::Execute() {
  wchar_t path[MAX_PATH] = L"";
  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = form_.Handle();
  request.lpstrFilter = filter_.c_str();
  request.lpstrFile = path;
  request.nMaxFile = MAX_PATH;
  request.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!GetOpenFileNameW(&request)) return false;
  fileName_ = path;
  return true;
}

}  // namespace toolkit
