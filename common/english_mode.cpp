#include "english_mode.h"

namespace velmo {

int EnglishMode = 0;

}  // namespace velmo
