#include "accessible_win.h"

#include <oleacc.h>

#include <string>

#include "control_win.h"
#include "mnemonic.h"

namespace toolkit {

namespace {

constexpr GUID kIidDispatch{0x00020400, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidUnknown{0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr DWORD kEventLiveRegionChanged = 0x8019;

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT Answer(const std::wstring& text, BSTR* out) {
  if (!out) return E_INVALIDARG;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

// Delegates everything to the system's object; the control (looked up by
// its window on every call: a reader may keep the object longer than the
// control lives) answers name, role, value, description and shortcut.
class ControlAccessible final : public IAccessible {
 public:
  ControlAccessible(HWND window, IAccessible* standard) : window_(window), standard_(standard) {}
  ~ControlAccessible() { standard_->Release(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualGUID(iid, kIidAccessible) || IsEqualGUID(iid, kIidDispatch) || IsEqualGUID(iid, kIidUnknown)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    return standard_->QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, lcid, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override {
    return standard_->GetIDsOfNames(iid, names, count, lcid, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argument) override {
    return standard_->Invoke(id, iid, lcid, flags, params, result, exception, argument);
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override { return standard_->get_accChildCount(count); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    return standard_->get_accChild(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    Control* control = Own(child);
    if (!control) return standard_->get_accName(child, name);
    return Answer(control->AccessibleNameText(), name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    Control* control = Own(child);
    if (!control || control->AccessibleValue().empty()) return standard_->get_accValue(child, value);
    return Answer(control->AccessibleValue(), value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    Control* control = Own(child);
    if (!control || control->AccessibleDescription().empty()) return standard_->get_accDescription(child, description);
    return Answer(control->AccessibleDescription(), description);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    Control* control = Own(child);
    if (!control || control->AccessibleRole() == 0 || !role) return standard_->get_accRole(child, role);
    role->vt = VT_I4;
    role->lVal = control->AccessibleRole();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return standard_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return standard_->get_accHelp(child, help); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    Control* control = Own(child);
    const wchar_t key = control && control->HasCaption() ? MnemonicOf(control->Caption()) : 0;
    if (!key) return standard_->get_accKeyboardShortcut(child, shortcut);
    return Answer(std::wstring(L"Alt+") + key, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override { return standard_->get_accFocus(focus); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return standard_->get_accSelection(selection);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override { return standard_->accSelect(flags, child); }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
    return standard_->accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return standard_->accDoDefaultAction(child); }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return standard_->put_accName(child, name); }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  Control* Own(const VARIANT& child) const { return IsSelf(child) ? Control::FromHandle(window_) : nullptr; }

  LONG refs_ = 1;
  HWND window_;
  IAccessible* standard_;
};

using RaiseNotification = HRESULT(WINAPI*)(IUnknown*, int, int, BSTR, BSTR);
using HostProvider = HRESULT(WINAPI*)(HWND, IUnknown**);

}  // namespace

LRESULT AnswerGetObject(Control& control, WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
  IAccessible* standard = nullptr;
  if (FAILED(CreateStdAccessibleObject(control.Handle(), OBJID_CLIENT, kIidAccessible,
                                       reinterpret_cast<void**>(&standard))))
    return 0;
  auto* accessible = new ControlAccessible(control.Handle(), standard);
  const LRESULT result = LresultFromObject(kIidAccessible, wParam, accessible);
  accessible->Release();
  return result;
}

void AnnounceTextChange(HWND window, const wchar_t* text) {
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
  NotifyWinEvent(kEventLiveRegionChanged, window, OBJID_CLIENT, CHILDID_SELF);
  // UI Automation's notification reaches Narrator directly; older systems
  // (and Wine) lack it, and the events above remain.
  static HMODULE automation = LoadLibraryW(L"uiautomationcore.dll");
  if (!automation) return;
  const auto raise = reinterpret_cast<RaiseNotification>(
      reinterpret_cast<void*>(GetProcAddress(automation, "UiaRaiseNotificationEvent")));
  const auto host = reinterpret_cast<HostProvider>(
      reinterpret_cast<void*>(GetProcAddress(automation, "UiaHostProviderFromHwnd")));
  IUnknown* provider = nullptr;
  if (!raise || !host || FAILED(host(window, &provider)) || !provider) return;
  BSTR said = SysAllocString(text);
  BSTR activity = SysAllocString(L"VelmoStatus");
  constexpr int kActionCompleted = 2, kImportantMostRecent = 1;
  raise(provider, kActionCompleted, kImportantMostRecent, said, activity);
  SysFreeString(said);
  SysFreeString(activity);
  provider->Release();
}

}  // namespace toolkit
