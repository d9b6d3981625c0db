// Readability of colours, and which system colour stands for a designed one
// when the user's high-contrast theme replaces the design's colours.
// Colours are Win32 COLORREF values (0x00BBGGRR), kept portable here.
#pragma once

#include <cstdint>

namespace toolkit {

using Rgb = std::uint32_t;  // 0x00BBGGRR

constexpr Rgb MakeRgb(unsigned red, unsigned green, unsigned blue) { return red | green << 8 | blue << 16; }

// WCAG 2 relative luminance (0 black .. 1 white) and contrast ratio (1 .. 21).
double RelativeLuminance(Rgb color);
double ContrastRatio(Rgb a, Rgb b);

// The least contrast that normal-size text needs (WCAG 2, level AA).
constexpr double kReadableContrast = 4.5;

// A grey for secondary text (version lines, paper details) that stays above
// kReadableContrast on white and on the usual light button faces.
constexpr Rgb kSecondaryText = MakeRgb(102, 102, 102);

// The system colours a design may give way to.
enum class SystemColor { Window, WindowText, ButtonFace, ButtonText, GrayText, Highlight, HighlightText };

// A designed background: light ones (white, paper) stand for the window
// colour, the rest (silver panels, the toolkit's default) for the button face.
SystemColor BackgroundRole(Rgb designed);

// The text colour that goes with a background role: grey text where the
// design asked for a colour of its own that is not black, or the control is
// disabled; the background's own text colour otherwise.
SystemColor TextRole(SystemColor background, bool designedColor, Rgb designed, bool enabled);

}  // namespace toolkit
