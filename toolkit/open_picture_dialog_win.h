// The system's file-open dialog, offering pictures.
#pragma once

#include <string>

#include "component.h"

namespace toolkit {

class Form;

struct OpenPictureDialogDesign {
  std::wstring Name{};
  // Pairs of description and patterns, each ended by '|'.
  std::wstring Filter = L"Pictures (*.jpg;*.jpeg;*.png;*.bmp)|*.jpg;*.jpeg;*.png;*.bmp|All files (*.*)|*.*|";
};

class OpenPictureDialog : public Component {
 public:
  OpenPictureDialog(Form& owner, const OpenPictureDialogDesign& design);
  // Shows the dialog over the form; true when the user chose a file.
  bool Execute();
  const std::wstring& FileName() const { return fileName_; }

 private:
  Form& form_;
  std::wstring filter_;
  std::wstring fileName_;
};

}  // namespace toolkit
