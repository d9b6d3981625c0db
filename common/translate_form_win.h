#pragma once
// Translation of a window right after it is built from its design.
#include <span>

#include "translation.h"

namespace toolkit {
class Form;
}

namespace velmo {

// In English mode the form's font becomes "Tahoma" and known captions turn
// English; captions without a row are reported on the debug console.
void TranslateForm(toolkit::Form* form, std::span<const TRANSLATE_PAIR> table);

}  // namespace velmo
