#include "fonts.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "dpi.h"

namespace {

// The message font for a dpi, from the system where it has the call
// (Windows 10 from 1607), which exists only in the wide form.
bool MessageFontForDpi(int dpi, LOGFONTA& font) {
  using TForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
  static const auto forDpi = User32Function<TForDpi>("SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (forDpi == nullptr ||
      !forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi)))
    return false;
  const LOGFONTW& wide = metrics.lfMessageFont;
  std::memcpy(&font, &wide, offsetof(LOGFONTA, lfFaceName));
  return WideCharToMultiByte(CP_ACP, 0, wide.lfFaceName, -1, font.lfFaceName, LF_FACESIZE, nullptr,
                             nullptr) > 0;
}

bool IsDefaultFace(const std::string& name) {
  // In any letter case, as a hand-edited file may spell it.
  return _stricmp(name.c_str(), "Default") == 0;
}

} // namespace

LOGFONTA MessageFontAt(int dpi) {
  LOGFONTA font{};
  if (!MessageFontForDpi(dpi, font)) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
      font = metrics.lfMessageFont;
    else
      GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfHeight = MulDiv(font.lfHeight, dpi, ScreenDpi());
  }
  if (font.lfFaceName[0] == '\0') {
    LOGFONTA gui{};
    if (GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui) > 0 &&
        gui.lfFaceName[0] != '\0')
      std::memcpy(font.lfFaceName, gui.lfFaceName, LF_FACESIZE);
    else
      lstrcpynA(font.lfFaceName, "MS Shell Dlg", LF_FACESIZE);
  }
  return font;
}

std::string DefaultFontFace() { return MessageFontAt(ScreenDpi()).lfFaceName; }

std::string ResolveFontFace(const std::string& name) {
  return IsDefaultFace(name) ? DefaultFontFace() : name;
}

HFONT CreateFontOf(const std::string& face, int points, const TFontStyles& style, int dpi) {
  // A size from a hand-edited settings file may be anything; keep it to
  // what a window can show.
  const long long wanted = points == 0 ? 9 : std::llabs(points);
  const int size = static_cast<int>(std::clamp<long long>(wanted, 1, 500));
  LOGFONTA font{};
  font.lfHeight = -MulDiv(size, dpi, 72);
  font.lfWeight = style[fsBold] ? FW_BOLD : FW_NORMAL;
  font.lfItalic = style[fsItalic];
  font.lfUnderline = style[fsUnderline];
  font.lfStrikeOut = style[fsStrikeOut];
  font.lfCharSet = DEFAULT_CHARSET;
  const std::string resolved = IsDefaultFace(face) ? MessageFontAt(dpi).lfFaceName : face;
  std::strncpy(font.lfFaceName, resolved.c_str(), LF_FACESIZE - 1);
  return CreateFontIndirectA(&font);
}
