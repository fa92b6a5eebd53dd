#include "appconst.h"

#include <windows.h>

#include "util/paths.h"
#include "version.h"
#include "win/widenames.h"

namespace {

// The folder of tesmo.exe, with its closing backslash. A folder the code page
// cannot name (a user name in another script) is taken in its short form.
std::string ExecutableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::string();
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2); // the name was cut: try a larger buffer
  }
  const std::string name = CodePageName(path).Name;
  return name.substr(0, NameStart(name));
}

} // namespace

const std::string kAboutText = std::string(kAppTitle) + " for Windows Version " TESMO_VERSION_TEXT
                                                        ".\r\n\r\nThe Tesmo authors";
const std::string kAppDir = ExecutableFolder();
const std::string kHelpFile = kAppDir + "Help\\index.html";
const std::string kSettingsFile = kAppDir + "Settings.ini";
