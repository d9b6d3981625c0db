// The standard error box: what the user sees when an exception escapes an
// event handler. The message loop goes on afterwards.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace toolkit {

// The text shown for an exception: its message, read as UTF-8 and, failing
// that, in the ANSI code page; empty for an exception without a message.
std::wstring ExceptionText(const std::exception& error);

// Shows MessageBoxW with the text and the error icon, titled with the program's name.
void ShowErrorBox(const std::wstring& text) noexcept;

// Runs `action` and shows the error box for whatever it throws.
template <class Action>
void Guarded(Action&& action) noexcept {
  try {
    std::forward<Action>(action)();
  } catch (const std::exception& error) {
    try {
      ShowErrorBox(ExceptionText(error));
    } catch (...) {
      ShowErrorBox(L"");
    }
  } catch (...) {
    ShowErrorBox(L"");
  }
}

}  // namespace toolkit
