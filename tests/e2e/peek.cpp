// Reads what the running Tesmo shows, from outside its process, the way a
// screen reader would: window texts through WM_GETTEXT, the toolbar's buttons
// through their own messages. The end-to-end scripts run it under
// Wine beside the program.
//
// Usage: peek.exe [--wait MS] QUERY [ARGUMENT] [EXPECTED]
// Looks at the windows of the program named by the environment variable
// PEEK_PROGRAM (its full Windows path), or of any Tesmo when it is not set.
// Prints the value of QUERY (no line break added). With --wait it asks again
// until the value equals EXPECTED or MS milliseconds have passed; the exit
// code is 0 on a match, 1 when the time ran out, 2 for a wrong call.
//
// Queries:
//   caption, status, question, answer, log   the texts the window shows
//   focus        question, answer, log, other or none: the focused field
//   rect, pos    the window's outer rectangle "l t r b", or just "l t"
//   titlebar     the screen point "x y" in the middle of the window's caption
//   button NAME  the screen point "x y" at the middle of the toolbar button
//                with that caption (Shuffle, Start...)
//   down NAME    yes or no: the check button is down
//   text NAME    the caption the toolbar shows under the button, or nothing
//   foreground   the caption of the window the keyboard's input goes to
//   message      the text of the message box the keyboard's input goes to
//   window TITLE yes or no: a visible top-level window has that caption
//   filename TITLE  the file name field of the file dialog with that caption
//   windows      every visible top-level window: "caption|class", one a line
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>

#include "app/commands.h"

namespace {

constexpr const char* MainClass = "TesmoMainForm";

// The window belongs to the program this peek is about.
bool OfProgram(HWND window) {
  const char* wanted = std::getenv("PEEK_PROGRAM");
  if (wanted == nullptr || *wanted == '\0') return true;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return false;
  char path[MAX_PATH * 2] = {0};
  DWORD size = sizeof path;
  const bool same =
      QueryFullProcessImageNameA(process, 0, path, &size) && lstrcmpiA(path, wanted) == 0;
  CloseHandle(process);
  return same;
}

std::string ClassOf(HWND window) {
  char name[128] = {0};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// WM_GETTEXT, which the system carries between processes.
std::string TextOf(HWND window) {
  if (window == nullptr) return "";
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
    return "";
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, 2000, &copied))
    return "";
  text.resize(copied);
  return text;
}

struct TChildren {
  HWND StatusBar = nullptr, ToolBar = nullptr;
  std::vector<HWND> Edits;
};

TChildren ChildrenOf(HWND main) {
  TChildren found;
  // In creation order: the question field, the answer field, then the log.
  for (HWND child = GetWindow(main, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const std::string name = ClassOf(child);
    if (lstrcmpiA(name.c_str(), STATUSCLASSNAMEA) == 0) found.StatusBar = child;
    if (lstrcmpiA(name.c_str(), TOOLBARCLASSNAMEA) == 0) found.ToolBar = child;
    if (lstrcmpiA(name.c_str(), "Edit") == 0) found.Edits.push_back(child);
  }
  return found;
}

HWND EditAt(const TChildren& children, size_t index) {
  return index < children.Edits.size() ? children.Edits[index] : nullptr;
}

// A block of memory inside the program's process, for the control messages
// whose pointers the system does not carry across.
class TRemoteBuffer {
public:
  TRemoteBuffer(HWND window, size_t size) : Size(size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    Process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (Process != nullptr)
      Address = VirtualAllocEx(Process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~TRemoteBuffer() {
    if (Address != nullptr) VirtualFreeEx(Process, Address, 0, MEM_RELEASE);
    if (Process != nullptr) CloseHandle(Process);
  }
  TRemoteBuffer(const TRemoteBuffer&) = delete;
  TRemoteBuffer& operator=(const TRemoteBuffer&) = delete;

  bool Ok() const { return Address != nullptr; }
  LPARAM Param() const { return reinterpret_cast<LPARAM>(Address); }
  bool Read(void* local, size_t size) const {
    SIZE_T done = 0;
    return size <= Size && ReadProcessMemory(Process, Address, local, size, &done) && done == size;
  }

private:
  HANDLE Process = nullptr;
  void* Address = nullptr;
  size_t Size;
};

int CommandOfButton(const std::string& caption) {
  for (const TCommand& command : CommandTable())
    if (command.Button.Caption != nullptr && caption == command.Button.Caption) return command.Id;
  return -1;
}

std::string ButtonPoint(HWND toolBar, int command) {
  const LRESULT index = SendMessageA(toolBar, TB_COMMANDTOINDEX, command, 0);
  TRemoteBuffer buffer(toolBar, sizeof(RECT));
  RECT rect{};
  if (index < 0 || !buffer.Ok() || !SendMessageA(toolBar, TB_GETITEMRECT, index, buffer.Param()) ||
      !buffer.Read(&rect, sizeof rect))
    return "";
  POINT middle{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ClientToScreen(toolBar, &middle);
  return std::to_string(middle.x) + " " + std::to_string(middle.y);
}

// The caption a button shows: none while the toolbar shows no row of text,
// whatever name the button keeps for a screen reader.
std::string ButtonText(HWND toolBar, int command) {
  if (SendMessageA(toolBar, TB_GETTEXTROWS, 0, 0) == 0) return "";
  // Without a buffer the toolbar answers with the length alone; no caption is -1.
  const LRESULT length = SendMessageA(toolBar, TB_GETBUTTONTEXTA, command, 0);
  if (length <= 0) return "";
  TRemoteBuffer buffer(toolBar, static_cast<size_t>(length) + 1);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  if (!buffer.Ok() || SendMessageA(toolBar, TB_GETBUTTONTEXTA, command, buffer.Param()) <= 0 ||
      !buffer.Read(text.data(), text.size()))
    return "";
  text.resize(std::strlen(text.c_str()));
  return text;
}

std::string FocusName(HWND main, const TChildren& children) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info) ||
      info.hwndFocus == nullptr)
    return "none";
  const char* names[] = {"question", "answer", "log"};
  for (size_t i = 0; i < 3; ++i)
    if (info.hwndFocus == EditAt(children, i)) return names[i];
  return "other";
}

struct TTopLevel {
  std::vector<HWND> Windows;
};

std::vector<HWND> TopLevelWindows() {
  TTopLevel found;
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        if (IsWindowVisible(window)) reinterpret_cast<TTopLevel*>(data)->Windows.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found.Windows;
}

HWND TopLevelCalled(const std::string& caption) {
  for (HWND window : TopLevelWindows())
    if (TextOf(window) == caption && OfProgram(window)) return window;
  return nullptr;
}

HWND MainWindow() {
  for (HWND window : TopLevelWindows())
    if (ClassOf(window) == MainClass && OfProgram(window)) return window;
  return nullptr;
}

// The file name field of a common file dialog: a combo box in the old
// layout, an edit in the newer one.
std::string FileNameField(HWND dialog) {
  if (dialog == nullptr) return "";
  if (HWND combo = GetDlgItem(dialog, cmb13)) return TextOf(combo);
  return TextOf(GetDlgItem(dialog, edt1));
}

bool Query(const std::string& what, const std::string& argument, std::string& value) {
  if (what == "window") {
    value = TopLevelCalled(argument) != nullptr ? "yes" : "no";
    return true;
  }
  if (what == "filename") {
    value = FileNameField(TopLevelCalled(argument));
    return true;
  }
  if (what == "foreground") {
    value = TextOf(GetForegroundWindow());
    return true;
  }
  if (what == "message") {
    // A message box shows its text in a static control of this id.
    constexpr int MessageTextId = 0xFFFF;
    HWND box = GetForegroundWindow();
    value =
        box != nullptr && ClassOf(box) == "#32770" ? TextOf(GetDlgItem(box, MessageTextId)) : "";
    return true;
  }
  if (what == "windows") {
    for (HWND window : TopLevelWindows()) value += TextOf(window) + "|" + ClassOf(window) + "\n";
    return true;
  }
  HWND main = MainWindow();
  if (main == nullptr) return false;
  const TChildren children = ChildrenOf(main);
  if (what == "caption") {
    value = TextOf(main);
  } else if (what == "status") {
    // A status bar of one part answers WM_GETTEXT with that part's text.
    value = TextOf(children.StatusBar);
  } else if (what == "question" || what == "answer" || what == "log") {
    value = TextOf(EditAt(children, what == "question" ? 0 : what == "answer" ? 1 : 2));
  } else if (what == "focus") {
    value = FocusName(main, children);
  } else if (what == "rect" || what == "pos") {
    RECT rect{};
    GetWindowRect(main, &rect);
    value = std::to_string(rect.left) + " " + std::to_string(rect.top);
    if (what == "rect")
      value += " " + std::to_string(rect.right) + " " + std::to_string(rect.bottom);
  } else if (what == "titlebar") {
    TITLEBARINFO info{};
    info.cbSize = sizeof info;
    if (!GetTitleBarInfo(main, &info)) return false;
    value = std::to_string((info.rcTitleBar.left + info.rcTitleBar.right) / 2) + " " +
            std::to_string((info.rcTitleBar.top + info.rcTitleBar.bottom) / 2);
  } else if (what == "button" || what == "down" || what == "text") {
    const int command = CommandOfButton(argument);
    if (command < 0 || children.ToolBar == nullptr) return false;
    if (what == "button")
      value = ButtonPoint(children.ToolBar, command);
    else if (what == "down")
      value = SendMessageA(children.ToolBar, TB_ISBUTTONCHECKED, command, 0) ? "yes" : "no";
    else
      value = ButtonText(children.ToolBar, command);
  } else {
    return false;
  }
  return true;
}

bool TakesArgument(const std::string& what) {
  return what == "button" || what == "down" || what == "text" || what == "window" ||
         what == "filename";
}

} // namespace

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  int next = 1;
  long waitMs = -1;
  if (next + 1 < argc && std::strcmp(argv[next], "--wait") == 0) {
    waitMs = std::atol(argv[next + 1]);
    next += 2;
  }
  if (next >= argc) {
    std::fprintf(stderr, "usage: peek [--wait MS] QUERY [ARGUMENT] [EXPECTED]\n");
    return 2;
  }
  const std::string what = argv[next++];
  std::string argument;
  if (TakesArgument(what) && next < argc) argument = argv[next++];
  const bool hasExpected = next < argc;
  const std::string expected = hasExpected ? argv[next] : "";

  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(waitMs > 0 ? waitMs : 0);
  std::string value;
  bool found = false;
  for (;;) {
    value.clear();
    found = Query(what, argument, value);
    if (waitMs < 0 || (found && value == expected) || GetTickCount64() >= deadline) break;
    Sleep(20);
  }
  std::fwrite(value.data(), 1, value.size(), stdout);
  std::fflush(stdout);
  if (!found) return waitMs < 0 ? 2 : 1;
  return hasExpected && value != expected ? 1 : 0;
}
