// Sizes in the window's design are pixels at 120 dpi; the screen may differ.
#pragma once

#include <windows.h>

// A design size in pixels at the given dpi, rounded to the nearest pixel.
constexpr int ScaleDesign(int designPixels, int dpi) {
  const long long scaled = static_cast<long long>(designPixels) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + 60) / 120 : -((-scaled + 60) / 120));
}

// The screen's dpi: the system's, which it keeps from the start of the session.
int ScreenDpi();

// The dpi of the monitor the window is on where the system tells it (Windows
// 10 from 1607); the screen's otherwise, and for no window.
int WindowDpi(HWND window);

// The dpi of the monitor that holds most of a rectangle of the screen (Windows
// 8.1 on); 0 where the system does not tell. The tests put a screen of their
// own in its place.
using TDpiOfPlace = int (*)(const RECT& place);
extern TDpiOfPlace DpiOfPlace;
int MonitorDpiOfPlace(const RECT& place);

// A system size (SM_CXICON...) at the dpi rather than at the screen's.
int SystemMetricAt(int index, int dpi);

// A call of user32 that older systems lack, looked up; null where it is missing.
template <typename TFunction> TFunction User32Function(const char* name) {
  const FARPROC found = GetProcAddress(GetModuleHandleA("user32.dll"), name);
  return reinterpret_cast<TFunction>(reinterpret_cast<void*>(found));
}
