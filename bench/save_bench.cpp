// A save that succeeds at once: sys::SaveFile of a settings file (500 bytes)
// and of a log (1 MB) over an existing file, beside the bare replacement the
// save is built on (write a new file beside it, flush it, move it over the old
// one) of the same bytes in the same folder. What the save adds is its checks
// (read-only, stale temporary files, a fresh name) and, on failure only, the
// wait for another program's hold.
#include <algorithm>
#include <cstdio>
#include <string>

#include <windows.h>

#include "harness.h"
#include "util/platform.h"

namespace {

constexpr int Saves = 40;

bool BareReplace(const std::string& path, const std::string& content) {
  const std::string temp = path + ".bare.tmp";
  HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD wrote = 0;
  const bool written =
      WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &wrote, nullptr) &&
      wrote == content.size() && FlushFileBuffers(file);
  return CloseHandle(file) && written &&
         MoveFileExA(temp.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

void Compare(const char* name, const std::string& folder, const std::string& content) {
  const std::string path = folder + name;
  bool ok = true;
  sys::SaveFile(path, content);
  // Turn about, so that a busy moment of the machine falls on both.
  double bare = 1e300, save = 1e300;
  for (int round = 0; round < 5; ++round) {
    bare = std::min(bare, bench::Seconds([&] {
                      for (int i = 0; i < Saves; ++i) ok = BareReplace(path, content) && ok;
                    }));
    save = std::min(save, bench::Seconds([&] {
                      for (int i = 0; i < Saves; ++i) sys::SaveFile(path, content);
                    }));
  }
  if (!ok) std::printf("%s: the bare replacement failed\n", name);
  bench::Line(std::string("save, ") + name,
              bench::Format("%.3f ms a save, bare replacement %.3f ms, ratio %.2f",
                            save / Saves * 1e3, bare / Saves * 1e3, save / bare));
  DeleteFileA(path.c_str());
}

} // namespace

int main() {
  char folder[MAX_PATH] = {0};
  GetTempPathA(MAX_PATH, folder);
  std::string log;
  while (log.size() < 1000000) log += "France\tParis\r\n  your answer: Lyon\r\n";
  std::string settings = "[Settings]\r\nValues=";
  settings.append(500 - settings.size() - 4, 'x');
  settings += "\r\n\r\n";
  std::printf("Best of five rounds of %d saves over an existing file:\n", Saves);
  Compare("tesmo-save-bench-settings.ini", folder, settings);
  Compare("tesmo-save-bench-log.txt", folder, log);
}
