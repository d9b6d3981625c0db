#include "paper_units.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace velmo {

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

std::optional<int32_t> Truncated(double value) {
  const double t = std::trunc(value);
  if (!(t >= std::numeric_limits<int32_t>::min() && t <= std::numeric_limits<int32_t>::max())) return std::nullopt;
  return static_cast<int32_t>(t);
}

std::string OneDecimal(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%0.1f", value);
  return text;
}

}  // namespace

std::optional<double> ParseNumber(std::wstring_view text, wchar_t decimal_separator) {
  while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == L' ') text.remove_suffix(1);
  // Checked by hand first, so that only plain decimal numbers reach the
  // conversion, which is then locale-free with '.'.
  std::string ascii;
  size_t i = 0;
  auto take_digits = [&] {
    const size_t start = i;
    while (i < text.size() && IsDigit(text[i])) ascii += static_cast<char>(text[i++]);
    return i - start;
  };
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
    if (text[i] == L'-') ascii += '-';
    ++i;
  }
  size_t digits = take_digits();
  // The boxes are filled with a point whatever the system's separator is, so
  // both are read back.
  if (i < text.size() && (text[i] == decimal_separator || text[i] == L'.')) {
    ascii += '.';
    ++i;
    digits += take_digits();
  }
  if (digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
    ascii += 'e';
    ++i;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) ascii += static_cast<char>(text[i++]);
    if (take_digits() == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  if (error != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int32_t> Thousandths(double millimetres) { return Truncated(millimetres * 1000); }

std::optional<int32_t> InnerEdge(int32_t outer, double margin_millimetres) {
  return Truncated(outer - margin_millimetres * 1000);
}

std::wstring MillimetreText(int64_t thousandths) {
  const std::string text = OneDecimal(static_cast<double>(thousandths) / 1000);
  return std::wstring(text.begin(), text.end());
}

std::string PaperSizeText(int32_t width, int32_t height) {
  return OneDecimal(width / 1000.0) + "mm x " + OneDecimal(height / 1000.0) + "mm";
}

}  // namespace velmo
