#include "application_win.h"

#include <commctrl.h>
#include <objbase.h>

#include "form_win.h"

namespace toolkit {

namespace {

Form* mainForm = nullptr;
bool quitReceived = false;
int quitCode = 0;

// The innermost form around a window: its keyboard rules apply.
Form* FormAround(HWND window) {
  for (; window; window = GetParent(window)) {
    if (auto* form = dynamic_cast<Form*>(Control::FromHandle(window))) return form;
  }
  return nullptr;
}

void Handle(MSG& message) {
  Form* form = FormAround(message.hwnd);
  if (form && form->PreTranslateMessage(message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace

void InitializeToolkit() {
  static const bool done = [] {
    // The thread is a single-threaded apartment from the start. Wine's input
    // method otherwise sets COM up when the first window takes the focus, in
    // the middle of showing it, and that takes tens of milliseconds there
    // against one here.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                                    ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&classes) != FALSE;
  }();
  (void)done;
}

bool IsMainForm(const Form& form) { return &form == mainForm; }

int Run(Form& form) {
  mainForm = &form;
  quitReceived = false;
  form.Show();
  while (ProcessOneMessage()) {
  }
  mainForm = nullptr;
  quitReceived = false;
  return quitCode;
}

bool ProcessOneMessage() {
  if (quitReceived) return false;
  MSG message;
  const BOOL got = GetMessageW(&message, nullptr, 0, 0);
  if (got == 0 || got == -1) {
    quitReceived = true;
    quitCode = got == 0 ? static_cast<int>(message.wParam) : 0;
    return false;
  }
  Handle(message);
  return true;
}

void ProcessMessages() {
  MSG message;
  while (!quitReceived && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quitReceived = true;
      quitCode = static_cast<int>(message.wParam);
      return;
    }
    Handle(message);
  }
}

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
  return MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

}  // namespace toolkit
