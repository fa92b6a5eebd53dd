#include "appconst.h"

#include <windows.h>

#include "version.h"

namespace {

std::string ExecutableFolder() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::string();
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2); // the name was cut: try a larger buffer
  }
  // Step by whole characters: a double-byte name may hold the byte 0x5C.
  size_t folderEnd = 0;
  for (size_t i = 0; i < path.size(); i += IsDBCSLeadByte(static_cast<BYTE>(path[i])) ? 2 : 1)
    if (path[i] == '\\') folderEnd = i + 1;
  return path.substr(0, folderEnd);
}

} // namespace

const std::string AboutText =
    std::string(AppTitle) + " for Windows Version " TESMO_VERSION_TEXT ".\r\n\r\nThe Tesmo authors";
const std::string AppDir = ExecutableFolder();
const std::string HelpFile = AppDir + "Help\\index.html";
const std::string SettingsFile = AppDir + "Settings.ini";
