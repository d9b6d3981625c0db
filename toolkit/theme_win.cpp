#include "theme_win.h"

#include <uxtheme.h>

namespace toolkit {

namespace {

std::optional<bool> highContrastOverride;

int SystemIndexOf(SystemColor role) {
  switch (role) {
    case SystemColor::Window:
      return COLOR_WINDOW;
    case SystemColor::WindowText:
      return COLOR_WINDOWTEXT;
    case SystemColor::ButtonFace:
      return COLOR_BTNFACE;
    case SystemColor::ButtonText:
      return COLOR_BTNTEXT;
    case SystemColor::GrayText:
      return COLOR_GRAYTEXT;
    case SystemColor::Highlight:
      return COLOR_HIGHLIGHT;
    case SystemColor::HighlightText:
      break;
  }
  return COLOR_HIGHLIGHTTEXT;
}

SystemColor BackgroundRoleOf(COLORREF designed) {
  return designed == CLR_INVALID ? SystemColor::ButtonFace : BackgroundRole(designed);
}

}  // namespace

bool HighContrast() {
  if (highContrastOverride) return *highContrastOverride;
  HIGHCONTRASTW state{};
  state.cbSize = sizeof state;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof state, &state, 0) && (state.dwFlags & HCF_HIGHCONTRASTON);
}

void OverrideHighContrast(std::optional<bool> on) { highContrastOverride = on; }

COLORREF SystemColorOf(SystemColor role) { return GetSysColor(SystemIndexOf(role)); }

COLORREF ThemedBackground(COLORREF designed) {
  if (designed != CLR_INVALID && !HighContrast()) return designed;
  return SystemColorOf(BackgroundRoleOf(designed));
}

COLORREF ThemedText(COLORREF background, COLORREF text, bool enabled) {
  if (!HighContrast()) {
    if (text != CLR_INVALID) return text;
    return GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
  }
  return SystemColorOf(TextRole(BackgroundRoleOf(background), text != CLR_INVALID, text, enabled));
}

COLORREF SecondaryTextColor(bool selected) {
  if (selected) return GetSysColor(COLOR_HIGHLIGHTTEXT);
  return HighContrast() ? GetSysColor(COLOR_GRAYTEXT) : kSecondaryText;
}

void FollowContrastTheme(HWND control) {
  if (HighContrast()) {
    // A blank names no style on every system; an empty name is ignored by some.
    SetWindowTheme(control, L" ", L" ");
  } else {
    SetWindowTheme(control, nullptr, nullptr);
  }
}

}  // namespace toolkit
