#pragma once
// A component kind with a caption, as labels and buttons are, for tests of
// the component tree and of what walks it.
#include <string>
#include <utility>

#include "component.h"

namespace toolkit {

class CaptionedComponent : public Component {
 public:
  CaptionedComponent(Component* owner, std::wstring name, std::wstring caption)
      : Component(owner, std::move(name)), caption_(std::move(caption)) {}
  bool HasCaption() const override { return true; }
  std::wstring Caption() const override { return caption_; }
  void SetCaption(const std::wstring& caption) override { caption_ = caption; }

 private:
  std::wstring caption_;
};

}  // namespace toolkit
