// The colours the toolkit draws with: a design's own colours in the normal
// theme, and the matching system colours when the user has chosen a
// high-contrast theme (SPI_GETHIGHCONTRAST).
#pragma once

#include <windows.h>

#include <optional>

#include "color_contrast.h"

namespace toolkit {

bool HighContrast();
// Fixes HighContrast's answer for tests (Wine always says off); nullopt
// asks the system again.
void OverrideHighContrast(std::optional<bool> on);

COLORREF SystemColorOf(SystemColor role);

// A background designed as `designed` (CLR_INVALID: none, the button face).
COLORREF ThemedBackground(COLORREF designed);
// Text designed as `text` (CLR_INVALID: the system's) on a background
// designed as `background`.
COLORREF ThemedText(COLORREF background, COLORREF text, bool enabled);
// Secondary text (details under a list item's name), on a list item that is
// selected or not.
COLORREF SecondaryTextColor(bool selected);

// Standard controls are drawn without visual styles in high contrast: a
// style's own text and face colours would ignore the system's.
void FollowContrastTheme(HWND control);

}  // namespace toolkit
