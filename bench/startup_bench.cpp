// Start-up of the whole program: from launching tesmo.exe with a question
// file of 1,000 items on its command line to its first idle moment, when the
// window shows the opened file and answers a message, beside Wine's own
// notepad.exe launched the same way with a text file of the same bytes.
//
// Usage: startup_bench.exe [TESMO_EXE]; without an argument it takes the
// tesmo.exe built beside the bench folder.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include <windows.h>

#include "util/textutil.h"

namespace {

using TClock = std::chrono::steady_clock;

constexpr int Items = 1000;
constexpr int Runs = 9;
constexpr DWORD Limit = 30000; // milliseconds a start may take before it counts as failed

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A path as one argument of a command line.
std::string Quoted(const std::string& path) {
  std::string text(1, '"');
  text += path;
  text += '"';
  return text;
}

// A caption in the system's code page, its bytes above ASCII written as \xNN.
std::string Printable(const std::string& text) {
  std::string shown;
  for (const unsigned char c : text) {
    char hex[8];
    std::snprintf(hex, sizeof hex, c < 0x80 ? "%c" : "\\x%02X", c);
    shown += hex;
  }
  return shown;
}

std::string ThisProgram() {
  char path[MAX_PATH] = {0};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

bool WriteWholeFile(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == text.size();
}

std::string QuestionText() {
  std::string text;
  char line[96];
  for (int i = 0; i < Items; ++i) {
    const int n = std::snprintf(line, sizeof line, "word %d,answer %d,other %d\r\n", i, i, i);
    text.append(line, static_cast<size_t>(n));
  }
  return text;
}

struct TSearch {
  DWORD ProcessId;
  const char* Wanted; // a text the caption must contain
  HWND Found;
};

// A visible top-level window of the process whose caption names the file.
HWND WindowShowing(DWORD processId, const char* wanted) {
  TSearch search{processId, wanted, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* search = reinterpret_cast<TSearch*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != search->ProcessId || !IsWindowVisible(window)) return TRUE;
        char caption[512] = {0};
        GetWindowTextA(window, caption, sizeof caption);
        if (std::strstr(caption, search->Wanted) == nullptr) return TRUE;
        search->Found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

// One start: launch, wait until a window of the new process names the file,
// then until its thread has come back to its message loop (a message sent to
// the window returns). The program is then closed the way a user closes it.
double TimeOneStart(const std::string& commandLine, const std::string& folder, const char* wanted,
                    std::string& caption) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string line = commandLine;
  const auto start = TClock::now();
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process)) {
    std::printf("   cannot start %s (error %lu)\n", commandLine.c_str(), GetLastError());
    return -1;
  }
  HWND window = nullptr;
  double seconds = -1;
  for (;;) {
    window = WindowShowing(process.dwProcessId, wanted);
    if (window != nullptr) {
      DWORD_PTR result = 0;
      if (SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, Limit, &result))
        seconds = std::chrono::duration<double>(TClock::now() - start).count();
      break;
    }
    if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
    if (TClock::now() - start > std::chrono::milliseconds(Limit)) break;
  }
  if (window != nullptr) {
    char text[512] = {0};
    GetWindowTextA(window, text, sizeof text);
    caption = text;
  }
  if (seconds < 0)
    std::printf("   no window showing \"%s\" from %s\n", wanted, commandLine.c_str());
  if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, Limit) != WAIT_OBJECT_0)
    TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return seconds;
}

// One program to start, and the best start seen.
struct TContender {
  std::string CommandLine;
  const char* Wanted;
  double Best = 1e300;
};

// One start of each to warm the caches (and, for Tesmo, to write the settings
// file that every later start reads, as a user's does), then the timed starts
// taken in turns, so that both meet the machine's load alike.
bool BestStarts(TContender& tesmo, TContender& notepad, const std::string& folder) {
  for (TContender* contender : {&tesmo, &notepad}) {
    std::string caption;
    if (TimeOneStart(contender->CommandLine, folder, contender->Wanted, caption) < 0) return false;
    std::printf("   waiting each time for the window \"%s\"\n", Printable(caption).c_str());
  }
  for (int i = 0; i < Runs; ++i)
    for (TContender* contender : {&tesmo, &notepad}) {
      std::string caption;
      const double seconds =
          TimeOneStart(contender->CommandLine, folder, contender->Wanted, caption);
      if (seconds < 0) return false;
      contender->Best = std::min(contender->Best, seconds);
    }
  return true;
}

std::string Notepad() {
  char folder[MAX_PATH] = {0};
  GetWindowsDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\notepad.exe";
}

} // namespace

int main(int argc, char** argv) {
  const std::string built = argc > 1 ? argv[1] : FolderOf(ThisProgram()) + "..\\tesmo.exe";
  if (GetFileAttributesA(built.c_str()) == INVALID_FILE_ATTRIBUTES) {
    std::printf("startup_bench: no program at %s\n", built.c_str());
    return 1;
  }
  // A folder of its own: the copy writes its settings file beside itself.
  char temp[MAX_PATH] = {0};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder =
      std::string(temp) + "tesmo-startup-" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string program = folder + "tesmo.exe";
  const auto removeFolder = [&folder] {
    for (const char* name : {"tesmo.exe", "items.csv", "items.txt", "Settings.ini"})
      DeleteFileA((folder + name).c_str());
    RemoveDirectoryA(folder.c_str());
  };
  const std::string text = QuestionText();
  if (!CopyFileA(built.c_str(), program.c_str(), FALSE) ||
      !WriteWholeFile(folder + "items.csv", text) || !WriteWholeFile(folder + "items.txt", text)) {
    std::printf("startup_bench: cannot prepare %s\n", folder.c_str());
    removeFolder();
    return 1;
  }

  std::printf("== Start-up under Wine, to the first idle moment with a file of %s items "
              "(%.0f KB), best of %d\n",
              GroupThousands(Items).c_str(), text.size() / 1024.0, Runs);
  TContender tesmo{Quoted(program) + " items.csv", "items.csv - Tesmo"};
  TContender notepad{Quoted(Notepad()) + " items.txt", "items"};
  const bool measured = BestStarts(tesmo, notepad, folder);
  removeFolder();
  if (!measured) return 1;
  std::printf("%-44s %9.4f s   %-34s %9.4f s   ratio %6.2f\n", "tesmo.exe items.csv", tesmo.Best,
              "notepad.exe items.txt", notepad.Best, tesmo.Best / notepad.Best);
  return 0;
}
