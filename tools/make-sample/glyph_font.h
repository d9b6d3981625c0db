#pragma once
// A 5 x 7 bitmap font for the few letters the sample picture writes.
#include <cstdint>

namespace velmo::sample {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;

// Row bits of `c`, the leftmost column in bit 4; nullptr for a character
// the font lacks (a space among them).
const uint8_t* GlyphRows(char c);

}  // namespace velmo::sample
