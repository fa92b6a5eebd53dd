#include "appconst.h"

#include <windows.h>

#include "version.h"
#include "win/widenames.h"

namespace {

// The full name of tesmo.exe as Windows keeps it.
std::wstring ExecutableName() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::wstring();
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2); // the name was cut: try a larger buffer
  }
}

// The folder of tesmo.exe as Windows names it, with its closing backslash.
std::wstring WideExecutableFolder() {
  const std::wstring name = ExecutableName();
  return name.substr(0, name.find_last_of(L"\\/") + 1);
}

// The same folder in the code page. One the code page cannot name (a user
// name in another script), or too long for the files in it, is taken in its
// short form.
std::string ExecutableFolder() {
  const std::wstring folder = WideExecutableFolder();
  if (folder.empty()) return std::string();
  return CodePageName(folder.substr(0, folder.size() - 1), TNameUse::Folder).Name + "\\";
}

} // namespace

const std::string kAboutText = std::string(kAppTitle) + " for Windows Version " TESMO_VERSION_TEXT
                                                        ".\r\n\r\nThe Tesmo authors";
const std::string kAppDir = ExecutableFolder();
const std::string kHelpFile = kAppDir + "Help\\index.html";
const std::wstring kWideHelpFile = WideExecutableFolder() + L"Help\\index.html";
const std::string kSettingsFile = kAppDir + "Settings.ini";
