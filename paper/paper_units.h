#pragma once
// Paper sizes between the spooler's thousandths of a millimetre and the
// millimetre texts that the windows show and read.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmo {

// A number as typed into a box: optional sign, digits with at most one
// decimal separator (a point or the system's own), optional exponent, spaces
// around it allowed. Nothing for any other text, and nothing for infinities
// or "nan".
std::optional<double> ParseNumber(std::wstring_view text, wchar_t decimal_separator = L'.');

// Millimetres to thousandths, truncated toward zero; nothing when the result
// does not fit the spooler's 32-bit lengths.
std::optional<int32_t> Thousandths(double millimetres);

// The far edge of the printable area: `outer` less the margin, truncated;
// nothing when out of range.
std::optional<int32_t> InnerEdge(int32_t outer, double margin_millimetres);

// Thousandths as "%0.1f" millimetres, the way the boxes show them.
std::wstring MillimetreText(int64_t thousandths);

// A form's size line in the paper list: "%0.1fmm x %0.1fmm".
std::string PaperSizeText(int32_t width, int32_t height);

}  // namespace velmo
