#include "component.h"

#include <algorithm>

namespace toolkit {

Component::Component(Component* owner, std::wstring name) : owner_(owner), name_(std::move(name)) {
  if (owner_) owner_->owned_.push_back(this);
}

Component::~Component() {
  DestroyComponents();
  if (owner_) {
    auto& siblings = owner_->owned_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
}

void Component::DestroyComponents() noexcept {
  while (!owned_.empty()) {
    Component* last = owned_.back();
    owned_.pop_back();
    last->owner_ = nullptr;
    delete last;
  }
}

Component* Component::FindComponent(std::wstring_view name) const {
  Component* found = nullptr;
  for (Component* owned : owned_) {
    if (owned->Name() == name) return owned;
    if ((found = owned->FindComponent(name))) return found;
  }
  return nullptr;
}

void VisitOwnedDepthFirst(const Component& owner, const std::function<void(Component&)>& visit) {
  for (std::size_t i = 0; i < owner.ComponentCount(); ++i) {
    Component& owned = owner.Components(i);
    VisitOwnedDepthFirst(owned, visit);
    visit(owned);
  }
}

}  // namespace toolkit
