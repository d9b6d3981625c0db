#pragma once
// The language flag of each program: 1 for English, anything else Chinese
// (the language of the window designs). Decided once, before the first
// window exists, and never set back.
namespace velmo {

extern int EnglishMode;

inline bool IsEnglish() { return EnglishMode == 1; }

}  // namespace velmo
