// Program entry: the main window and the message loop.
#include <exception>

#include <windows.h>

#include <commctrl.h>

#include "mainform.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  try {
    TMainForm::RegisterClass(instance);
    TMainForm form(instance);
    form.QuitOnDestroy = true;
    ShowWindow(form.Handle(), show);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
  } catch (const std::exception& failure) {
    ShowGeneralFailure(nullptr, failure.what());
    return 1;
  }
}
