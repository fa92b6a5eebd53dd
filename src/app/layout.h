// Sizes in the window's design are pixels at 120 dpi; the screen may differ.
#pragma once

// A design size in pixels at the given dpi, rounded to the nearest pixel.
constexpr int ScaleDesign(int designPixels, int dpi) {
  const long long scaled = static_cast<long long>(designPixels) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + 60) / 120 : -((-scaled + 60) / 120));
}
