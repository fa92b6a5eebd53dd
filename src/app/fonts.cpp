#include "fonts.h"

#include <algorithm>
#include <cstring>

std::string DefaultFontFace() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) &&
      metrics.lfMessageFont.lfFaceName[0] != '\0')
    return metrics.lfMessageFont.lfFaceName;
  LOGFONTA font{};
  if (GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font) > 0) return font.lfFaceName;
  return "MS Shell Dlg";
}

std::string ResolveFontFace(const std::string& name) {
  return name == "Default" ? DefaultFontFace() : name;
}

HFONT CreateFontOf(const std::string& face, int points, const TFontStyles& style, int dpi) {
  // A size from a hand-edited settings file may be anything; keep it to
  // what a window can show.
  const int size = std::clamp(points == 0 ? 9 : std::abs(points), 1, 500);
  LOGFONTA font{};
  font.lfHeight = -MulDiv(size, dpi, 72);
  font.lfWeight = style[fsBold] ? FW_BOLD : FW_NORMAL;
  font.lfItalic = style[fsItalic];
  font.lfUnderline = style[fsUnderline];
  font.lfStrikeOut = style[fsStrikeOut];
  font.lfCharSet = DEFAULT_CHARSET;
  const std::string resolved = ResolveFontFace(face);
  std::strncpy(font.lfFaceName, resolved.c_str(), LF_FACESIZE - 1);
  return CreateFontIndirectA(&font);
}
