#include "mainform.h"

#include <exception>
#include <stdexcept>

#include <commctrl.h>

#include "appconst.h"

namespace {

constexpr const char* kClassName = "TesmoMainForm";
constexpr int kStatusBarId = 100;

} // namespace

void ShowGeneralFailure(HWND owner, const std::string& text) {
  MessageBoxA(owner, text.c_str(), AppTitle, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

bool TMainForm::RegisterClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  windowClass.hIconSm = windowClass.hIcon;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

TMainForm::TMainForm(HINSTANCE instance) : Instance(instance) {
  CreateWindowExA(0, kClassName, AppTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                  CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, this);
  if (Window.Handle == nullptr) throw std::runtime_error("The main window cannot be created.");
  SetStatus("Ready");
}

TMainForm::~TMainForm() {
  if (Window.Handle != nullptr) DestroyWindow(Window.Handle);
}

LRESULT CALLBACK TMainForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<TMainForm*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    form->Window.Handle = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<TMainForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  // No exception may cross back into the system: failures are reported here.
  try {
    return form->Dispatch(message, wParam, lParam);
  } catch (const std::exception& failure) {
    ShowGeneralFailure(window, failure.what());
  } catch (...) {
    ShowGeneralFailure(window, "An unexpected failure occurred.");
  }
  return 0;
}

LRESULT TMainForm::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_CREATE:
    FormCreate();
    return 0;
  case WM_SIZE:
    FormResize();
    return 0;
  case WM_DESTROY:
    FormDestroy();
    return 0;
  default:
    return DefWindowProcA(Window.Handle, message, wParam, lParam);
  }
}

void TMainForm::FormCreate() {
  StatusBar1.Handle =
      CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                      Window.Handle, reinterpret_cast<HMENU>(kStatusBarId), Instance, nullptr);
  StatusBar1.MakeOnePart();
}

void TMainForm::FormResize() { StatusBar1.Send(WM_SIZE); }

void TMainForm::FormDestroy() {
  SetWindowLongPtrA(Window.Handle, GWLP_USERDATA, 0);
  Window.Handle = nullptr;
  if (QuitOnDestroy) PostQuitMessage(0);
}
