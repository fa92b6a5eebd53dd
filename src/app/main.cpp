// Program entry: the main window and the message loop.
#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

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
  // A shell extension in the file dialogs that adds its own folder for what
  // it needs (AddDllDirectory) still finds it there.
  if (set != nullptr) set(LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_USER_DIRS);
}

// The command line split at blanks outside double quotes, without the
// program's own name.
std::vector<std::wstring> CommandLineArguments() {
  int count = 0;
  LPWSTR* split = CommandLineToArgvW(GetCommandLineW(), &count);
  if (split == nullptr) return {};
  std::vector<std::wstring> arguments(split + std::min(count, 1), split + count);
  LocalFree(split);
  return arguments;
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
    // The names as Windows keeps them: the runtime's __argv would give a name
    // the code page lacks with a look-alike letter or "?" in it.
    std::vector<std::wstring> arguments = CommandLineArguments();
    TMainForm form(instance, std::move(arguments));
    form.Create();
    // Closed already: an installer asked it to end while a box of the start
    // was up.
    if (form.Handle() == nullptr) return 0;
    form.QuitOnDestroy = true;
    ShowWindow(form.Handle(), show);
    RunMessageLoop(form);
  } catch (const std::exception& failure) {
    ShowGeneralFailure(nullptr, failure.what());
  } catch (...) {
    ShowGeneralFailure(nullptr, kUnexpectedFailureText);
  }
  return 0;
}
