// Program entry: the main window and the message loop.
#include <exception>
#include <string>
#include <vector>

#include <windows.h>

#include <commctrl.h>

#include "failure.h"
#include "mainform.h"
#include "messageloop.h"
#include "win/syserror.h"

namespace {

// The program is often run from the folder it was unpacked into, Downloads
// say, and the dialogs and the shell load DLLs long after the start: none of
// them may come from there. Systems before Windows 8 lack the call unless
// updated, so it is looked up.
void LoadDllsFromSystemOnly() {
  using TSetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
  const auto set = reinterpret_cast<TSetDefaultDllDirectories>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
  if (set != nullptr) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  LoadDllsFromSystemOnly();
  // Every way out ends with exit code 0: failures are reported, not returned.
  try {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!TMainForm::RegisterClass(instance))
      RaiseLastError("The main window cannot be registered.");
    // The runtime splits the command line at blanks outside double quotes.
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i) arguments.emplace_back(__argv[i]);
    TMainForm form(instance, std::move(arguments));
    form.QuitOnDestroy = true;
    ShowWindow(form.Handle(), show);
    RunMessageLoop(form);
  } catch (const std::exception& failure) {
    ShowGeneralFailure(nullptr, failure.what());
  } catch (...) {
    ShowGeneralFailure(nullptr, UnexpectedFailureText);
  }
  return 0;
}
