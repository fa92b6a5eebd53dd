// Owners of the handles the program makes: each releases what it holds when
// it goes or is given another. Nothing else in the program releases a font,
// bitmap, icon, image list, accelerator table, menu or device context by hand.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "util/ownedhandle.h"

namespace handles {
template <typename TGdiObject> void DeleteGdiObject(TGdiObject object) { DeleteObject(object); }
inline void DestroyIconHandle(HICON icon) { DestroyIcon(icon); }
inline void DestroyImageList(HIMAGELIST images) { ImageList_Destroy(images); }
inline void DestroyAccelerators(HACCEL table) { DestroyAcceleratorTable(table); }
inline void DeleteMemoryDC(HDC dc) { DeleteDC(dc); }
inline void DestroyMenuHandle(HMENU menu) { DestroyMenu(menu); }
} // namespace handles

using TFontHandle = TOwnedHandle<HFONT, handles::DeleteGdiObject<HFONT>>;
using TBitmapHandle = TOwnedHandle<HBITMAP, handles::DeleteGdiObject<HBITMAP>>;
using TPenHandle = TOwnedHandle<HPEN, handles::DeleteGdiObject<HPEN>>;
using TBrushHandle = TOwnedHandle<HBRUSH, handles::DeleteGdiObject<HBRUSH>>;
using TIconHandle = TOwnedHandle<HICON, handles::DestroyIconHandle>;
using TImageListHandle = TOwnedHandle<HIMAGELIST, handles::DestroyImageList>;
using TAcceleratorHandle = TOwnedHandle<HACCEL, handles::DestroyAccelerators>;
// A menu not yet given to a window or to the menu above it, which own it then.
using TMenuHandle = TOwnedHandle<HMENU, handles::DestroyMenuHandle>;
// A device context of its own, made with CreateCompatibleDC.
using TMemoryDC = TOwnedHandle<HDC, handles::DeleteMemoryDC>;

// The device context of a window (of the screen for none), got with GetDC.
class TWindowDC {
public:
  explicit TWindowDC(HWND window) : Window(window), DC(GetDC(window)) {}
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  ~TWindowDC() {
    if (DC != nullptr) ReleaseDC(Window, DC);
  }
  HDC Get() const { return DC; }

private:
  HWND Window;
  HDC DC;
};

// An object selected into a device context for as long as the selection
// lives; the object it replaced goes back when it ends.
class TSelection {
public:
  TSelection(HDC dc, HGDIOBJ object) : DC(dc), Old(SelectObject(dc, object)) {}
  TSelection(const TSelection&) = delete;
  TSelection& operator=(const TSelection&) = delete;
  ~TSelection() {
    if (Old != nullptr && Old != HGDI_ERROR) SelectObject(DC, Old);
  }

private:
  HDC DC;
  HGDIOBJ Old;
};

// A window's own icons, drawn at the sizes its caption and the task switcher
// use at its dpi rather than the class's, which are made for the screen's.
class TWindowIcons {
public:
  // Loads the icon resource at dpi's sizes and gives them to window; an icon
  // that cannot be loaded leaves the one the window has.
  void Set(HWND window, HINSTANCE instance, LPCSTR resource, int dpi);

private:
  TIconHandle Small, Large;
};
