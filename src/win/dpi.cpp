#include "dpi.h"

#include "handles.h"

int ScreenDpi() {
  const TWindowDC screen(nullptr);
  const int dpi = screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : 96;
}

int WindowDpi(HWND window) {
  using TGetDpiForWindow = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Function<TGetDpiForWindow>("GetDpiForWindow");
  const UINT dpi = window != nullptr && getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : ScreenDpi();
}

int MonitorDpiOfPlace(const RECT& place) {
  // MDT_EFFECTIVE_DPI; shcore.dll comes only from the system's folder.
  using TGetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto getDpiForMonitor = [] {
    const HMODULE shcore = LoadLibraryExA("shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return shcore == nullptr ? nullptr
                             : reinterpret_cast<TGetDpiForMonitor>(reinterpret_cast<void*>(
                                   GetProcAddress(shcore, "GetDpiForMonitor")));
  }();
  UINT dpiX = 0, dpiY = 0;
  if (getDpiForMonitor == nullptr ||
      FAILED(getDpiForMonitor(MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST), 0, &dpiX, &dpiY)))
    return 0;
  return static_cast<int>(dpiY);
}

TDpiOfPlace DpiOfPlace = MonitorDpiOfPlace;

int SystemMetricAt(int index, int dpi) {
  using TGetSystemMetricsForDpi = int(WINAPI*)(int, UINT);
  static const auto forDpi = User32Function<TGetSystemMetricsForDpi>("GetSystemMetricsForDpi");
  if (forDpi != nullptr) return forDpi(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, ScreenDpi());
}

void TWindowIcons::Set(HWND window, HINSTANCE instance, LPCSTR resource, int dpi) {
  const auto load = [&](int index, TIconHandle& icon, WPARAM kind) {
    const int size = SystemMetricAt(index, dpi);
    TIconHandle loaded(static_cast<HICON>(
        LoadImageA(instance, resource, IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    if (!loaded) return;
    SendMessageA(window, WM_SETICON, kind, reinterpret_cast<LPARAM>(loaded.Get()));
    icon = std::move(loaded);
  };
  load(SM_CXSMICON, Small, ICON_SMALL);
  load(SM_CXICON, Large, ICON_BIG);
}
