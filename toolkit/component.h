// The component tree of a window's design: names, ownership and captions.
// Portable on purpose: the caption translation walks this tree and is tested
// without a window system.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

class Component;

// Handlers receive the component that raised the event, so that several
// components can share one handler.
using NotifyEvent = std::function<void(Component& Sender)>;

// A named element of a design. An owner deletes what it owns when it goes,
// the last created first, so that a control always dies before the container
// it was placed in (containers are created before their contents).
class Component {
 public:
  Component(Component* owner, std::wstring name);
  virtual ~Component();
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  const std::wstring& Name() const { return name_; }
  Component* Owner() const { return owner_; }

  // The components this one owns, in the order they were created.
  std::size_t ComponentCount() const { return owned_.size(); }
  Component& Components(std::size_t index) const { return *owned_.at(index); }

  // Searches everything owned, at any depth, in walk order; null if absent.
  Component* FindComponent(std::wstring_view name) const;

  // Only some kinds carry a "Caption"; the others keep these defaults.
  virtual bool HasCaption() const { return false; }
  virtual std::wstring Caption() const { return {}; }
  virtual void SetCaption(const std::wstring& /*caption*/) {}
  // A name for screen readers given where the caption does not say it; it
  // is translated like a caption.
  virtual std::wstring AccessibleName() const { return {}; }
  virtual void SetAccessibleName(const std::wstring& /*name*/) {}

 protected:
  // Deletes the owned components now; derived destructors call it while
  // their own state is still alive.
  void DestroyComponents() noexcept;

 private:
  Component* owner_;
  std::wstring name_;
  std::vector<Component*> owned_;
};

// Visits everything that `owner` owns, depth first in each owner's order: the
// components a component owns are visited before the component itself.
void VisitOwnedDepthFirst(const Component& owner, const std::function<void(Component&)>& visit);

}  // namespace toolkit
