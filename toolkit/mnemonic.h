// Mnemonics in captions: "&Install", "安装(&I)", "&&" for a literal ampersand.
#pragma once

#include <string>
#include <string_view>

namespace toolkit {

// The upper-case key that the caption's mnemonic stands for; 0 when it has none.
wchar_t MnemonicOf(std::wstring_view caption);

// The caption as read aloud: the mnemonic marker gone (with its "(&X)"
// when the letter is not part of the text), "&&" as "&", and a trailing
// colon dropped.
std::wstring SpokenCaption(std::wstring_view caption);

}  // namespace toolkit
