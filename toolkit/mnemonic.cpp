#include "mnemonic.h"

#include <cwctype>

namespace toolkit {

namespace {

// Where the marker of the caption's mnemonic is; npos when it has none.
size_t MarkerAt(std::wstring_view caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] != L'&') return i;
    ++i;  // "&&" is a literal ampersand
  }
  return std::wstring_view::npos;
}

}  // namespace

wchar_t MnemonicOf(std::wstring_view caption) {
  const size_t at = MarkerAt(caption);
  return at == std::wstring_view::npos ? 0 : static_cast<wchar_t>(std::towupper(caption[at + 1]));
}

std::wstring SpokenCaption(std::wstring_view caption) {
  std::wstring text(caption);
  if (const size_t at = MarkerAt(text); at != std::wstring::npos) {
    // "确定(&O)": the bracketed key is not part of what the caption says.
    if (at >= 1 && text[at - 1] == L'(' && at + 2 < text.size() && text[at + 2] == L')')
      text.erase(at - 1, 4);
    else
      text.erase(at, 1);
  }
  std::wstring spoken;
  for (size_t i = 0; i < text.size(); ++i) {
    spoken += text[i];
    if (text[i] == L'&' && i + 1 < text.size() && text[i + 1] == L'&') ++i;
  }
  while (!spoken.empty() && (spoken.back() == L':' || spoken.back() == L'：' || spoken.back() == L' '))
    spoken.pop_back();
  return spoken;
}

}  // namespace toolkit
