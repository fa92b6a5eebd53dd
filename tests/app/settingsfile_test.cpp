// The settings file through real starts and closes of the main window: what
// a close writes beside the executable and what the next start makes of it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <windows.h>

#include "app/appconst.h"
#include "app/commands.h"
#include "app/failure.h"
#include "app/mainform.h"
#include "app/mainformprobe.h"
#include "app/messageloop.h"
#include "settings/commatext.h"
#include "support/dialogresponder.h"
#include "support/heldfile.h"
#include "support/tempfile.h"
#include "win/dpi.h"
#include "win/fonts.h"

namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << bytes;
}

void RemoveFile(const std::string& path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
}

std::string Join(const std::vector<std::string>& fields) {
  std::string text;
  for (size_t i = 0; i < fields.size(); ++i) text += (i > 0 ? "," : "") + fields[i];
  return text;
}

// The fields of the documented example: two recent files, default options, a
// normal window at 218, 179, 826, 685, both dialogs in C:\Quiz.
std::vector<std::string> ExampleFields() {
  return {"\"C:\\Quiz\\words.txt,\"\"C:\\My Files\\kanji.csv\"\",,,\"",
          "-1",
          "0",
          "Default",
          "9",
          "0",
          "8",
          "0",
          "-1",
          "0",
          "0",
          "-1",
          "0",
          "0",
          "0",
          "218",
          "179",
          "826",
          "685",
          "C:\\Quiz",
          "2",
          "C:\\Quiz",
          "1",
          ""};
}

std::string FileOf(const std::string& value) {
  return "[Settings]\r\nValues=" + value + "\r\n\r\n";
}

RECT Bounds(const TMainForm& form) {
  RECT r;
  GetWindowRect(form.Handle(), &r);
  return r;
}

// Holds a file open so that nobody else may read it.
class TLockedFile {
public:
  explicit TLockedFile(const std::string& path)
      : Handle(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~TLockedFile() { Release(); }
  void Release() {
    if (Handle != INVALID_HANDLE_VALUE) CloseHandle(Handle);
    Handle = INVALID_HANDLE_VALUE;
  }
  bool Locked() const { return Handle != INVALID_HANDLE_VALUE; }

private:
  HANDLE Handle;
};

const std::string OpenErrorText = "The program cannot open the document: " + kSettingsFile;

class SettingsFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(TMainForm::RegisterClass(GetModuleHandleA(nullptr)));
    RemoveFile(kSettingsFile);
  }
  void TearDown() override {
    Form.reset();
    RemoveFile(kSettingsFile);
  }

  TMainForm& Start() {
    Form = std::make_unique<TMainForm>(GetModuleHandleA(nullptr));
    Form->Create();
    ShowWindow(Form->Handle(), SW_SHOWNOACTIVATE);
    return *Form;
  }
  // The user closes the window; it is gone afterwards.
  void Close() {
    const HWND window = Form->Handle();
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    Form.reset();
  }
  void StartWith(const std::string& value) {
    WriteBytes(kSettingsFile, FileOf(value));
    Start();
  }

  TDialogResponder Responder;
  std::unique_ptr<TMainForm> Form;
};

TEST_F(SettingsFileTest, AFreshStartKeepsTheDefaultsAndTheCloseWritesTheFile) {
  TMainForm& form = Start();
  EXPECT_EQ(GetStatus(form), "Ready");
  EXPECT_TRUE(GetViewOptions(form) == TViewOptions());
  EXPECT_TRUE(MenuItem(form, cmShuffle).GetChecked());
  EXPECT_FALSE(MenuItem(form, cmHistoryFirst + 0).GetEnabled());
  EXPECT_FALSE(std::filesystem::exists(kSettingsFile));

  Close();
  const std::string written = ReadBytes(kSettingsFile);
  ASSERT_EQ(written.rfind("[Settings]\r\nValues=\",,,,\",-1,0,Default,9,0,8,0,-1,0,0,-1,0,0,0,", 0),
            0u)
      << written;
  EXPECT_EQ(written.substr(written.size() - 7), ",1,\r\n\r\n") << "the last field is empty";
  EXPECT_EQ(Responder.Seen().size(), 0u);
}

TEST_F(SettingsFileTest, ACloseWritesTheDocumentedExampleByteForByte) {
  TMainForm& form = Start();
  GetHistory(form).Put(0, "C:\\Quiz\\words.txt");
  GetHistory(form).Put(1, "C:\\My Files\\kanji.csv");
  OpenDialog(form).InitialDir = "C:\\Quiz";
  OpenDialog(form).FilterIndex = 2;
  SaveLogDialog(form).InitialDir = "C:\\Quiz";
  SaveLogDialog(form).FilterIndex = 1;
  SetWindowPos(form.Handle(), nullptr, 218, 179, 826 - 218, 685 - 179, SWP_NOZORDER);
  ASSERT_EQ(Bounds(form).right, 826);

  Close();
  EXPECT_EQ(ReadBytes(kSettingsFile), FileOf(Join(ExampleFields())));
}

TEST_F(SettingsFileTest, ARestartRestoresHistoryOptionsRectangleFoldersAndFilters) {
  {
    TMainForm& form = Start();
    GetHistory(form).Add("C:\\My Files\\kanji.csv");
    GetHistory(form).Add("C:\\Quiz\\words.txt");
    UpdateHistoryMenu(form);
    for (int id : {cmToolbarCaptions, cmSwapPanels, cmStatusBar, cmLastPosition, cmTopmost,
                   cmShuffle, cmSwap, cmCaseSensitive})
      form.ClickMenuItem(id);
    TViewOptions view = GetViewOptions(form);
    view.FontName = "Courier New";
    view.FontSize = 12;
    view.BitsToFontStyle(5);
    view.TabWidth = 4;
    form.SetOptions(view);
    OpenDialog(form).InitialDir = "C:\\Quiz";
    OpenDialog(form).FilterIndex = 3;
    SaveLogDialog(form).InitialDir = "D:\\Logs";
    SaveLogDialog(form).FilterIndex = 2;
    SetWindowPos(form.Handle(), nullptr, 300, 200, 640, 480, SWP_NOZORDER);
    Close();
  }
  TMainForm& form = Start();
  EXPECT_EQ(GetHistory(form).Get(0), "C:\\Quiz\\words.txt");
  EXPECT_EQ(GetHistory(form).Get(1), "C:\\My Files\\kanji.csv");
  EXPECT_EQ(GetHistory(form).Get(2), "");
  EXPECT_EQ(MenuItem(form, cmHistoryFirst + 0).GetCaption(), "words.txt (&1)");
  EXPECT_TRUE(MenuItem(form, cmHistoryFirst + 1).GetEnabled());
  EXPECT_TRUE(MenuItem(form, cmClear).GetEnabled());

  const TViewOptions& view = GetViewOptions(form);
  EXPECT_EQ(view.FontName, "Courier New");
  EXPECT_EQ(view.FontSize, 12);
  EXPECT_EQ(view.FontStyleToBits(), 5);
  EXPECT_EQ(view.TabWidth, 4);
  EXPECT_TRUE(MenuItem(form, cmToolbarCaptions).GetChecked());
  EXPECT_TRUE(MenuItem(form, cmSwapPanels).GetChecked());
  EXPECT_FALSE(MenuItem(form, cmStatusBar).GetChecked());
  EXPECT_FALSE(IsWindowVisible(StatusBar(form).Handle));
  EXPECT_TRUE(MenuItem(form, cmLastPosition).GetChecked());
  EXPECT_TRUE(GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  // The log fills the room the hidden status bar leaves.
  RECT client, log;
  GetClientRect(form.Handle(), &client);
  GetWindowRect(Log(form).Handle, &log);
  MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&log), 2);
  EXPECT_LT(log.bottom, client.bottom) << "the question panel stands below the log";

  EXPECT_FALSE(MenuItem(form, cmShuffle).GetChecked());
  EXPECT_FALSE(Button(form, cmShuffle).GetDown());
  EXPECT_TRUE(Button(form, cmSwap).GetDown());
  EXPECT_TRUE(MenuItem(form, cmCaseSensitive).GetChecked());

  const RECT bounds = Bounds(form);
  EXPECT_EQ(bounds.left, 300);
  EXPECT_EQ(bounds.top, 200);
  EXPECT_EQ(bounds.right, 940);
  EXPECT_EQ(bounds.bottom, 680);

  EXPECT_EQ(OpenDialog(form).InitialDir, "C:\\Quiz");
  EXPECT_EQ(OpenDialog(form).FilterIndex, 3);
  EXPECT_EQ(SaveLogDialog(form).InitialDir, "D:\\Logs");
  EXPECT_EQ(SaveLogDialog(form).FilterIndex, 2);
  EXPECT_EQ(Responder.Seen().size(), 0u);
}

TEST_F(SettingsFileTest, TheRectangleIsTakenOnlyForANormalWindowWithLastPosition) {
  std::vector<std::string> fields = ExampleFields();
  fields[9] = "-1"; // LastPosition
  StartWith(Join(fields));
  EXPECT_EQ(Bounds(*Form).left, 218);
  EXPECT_EQ(Bounds(*Form).bottom, 685);
  Form.reset();

  fields[14] = "2"; // closed maximized: the system places the window
  StartWith(Join(fields));
  EXPECT_NE(Bounds(*Form).left, 218);
  EXPECT_FALSE(IsZoomed(Form->Handle()));
  Form.reset();

  fields[14] = "0";
  fields[9] = "0";
  StartWith(Join(fields));
  EXPECT_NE(Bounds(*Form).left, 218);
}

TEST_F(SettingsFileTest, ARectangleOffEveryMonitorOrWithoutSizeKeepsTheSystemsPlacement) {
  Start();
  const RECT placed = Bounds(*Form);
  Form.reset();
  for (const char* rectangle :
       {"-30000,-30000,-29000,-29500", "40000,100,41000,600", "100,100,100,600", "100,600,900,100",
        "-2147483648,0,2147483647,600"}) {
    std::vector<std::string> fields = ExampleFields();
    fields[9] = "-1";
    std::vector<std::string> parts;
    std::stringstream split(rectangle);
    for (std::string part; std::getline(split, part, ',');) parts.push_back(part);
    std::copy(parts.begin(), parts.end(), fields.begin() + 15);
    StartWith(Join(fields));
    const RECT bounds = Bounds(*Form);
    EXPECT_TRUE(EqualRect(&bounds, &placed)) << rectangle;
    EXPECT_NE(MonitorFromRect(&bounds, MONITOR_DEFAULTTONULL), nullptr) << rectangle;
    Form.reset();
  }
  // Partly on the screen is enough.
  std::vector<std::string> fields = ExampleFields();
  fields[9] = "-1";
  fields[15] = "-200";
  fields[17] = "400";
  StartWith(Join(fields));
  EXPECT_EQ(Bounds(*Form).left, -200);
  EXPECT_EQ(Bounds(*Form).right, 400);
  EXPECT_EQ(Responder.Seen().size(), 0u);
}

TEST_F(SettingsFileTest, TenFieldsReplaceTheHistoryKeepTheViewAndTellTheSettingsPath) {
  Responder.Press("OK");
  StartWith("\"a.txt,b.txt,,,\",0,-1,Arial,12,1,4,-1,0,-1");
  ASSERT_EQ(Responder.Seen().size(), 1u);
  EXPECT_EQ(Responder.Seen()[0].Text, OpenErrorText);
  EXPECT_EQ(Responder.Seen()[0].Caption, "Tesmo");
  EXPECT_EQ(Responder.Seen()[0].Icon, "error");
  TMainForm& form = *Form;
  EXPECT_EQ(GetHistory(form).Get(0), "a.txt");
  EXPECT_EQ(GetHistory(form).Get(1), "b.txt");
  EXPECT_TRUE(MenuItem(form, cmHistoryFirst + 1).GetEnabled());
  EXPECT_TRUE(GetViewOptions(form) == TViewOptions());
  EXPECT_TRUE(IsWindowVisible(ToolBar(form).Handle));
  EXPECT_EQ(GetStatus(form), "Ready");
}

TEST_F(SettingsFileTest, AFieldThatDoesNotConvertStopsTheReadingWithWhatCameBeforeApplied) {
  // Field 4, the font size: the history is read, the view options are not.
  std::vector<std::string> fields = ExampleFields();
  fields[1] = "0";
  fields[4] = "abc";
  Responder.Press("OK");
  StartWith(Join(fields));
  ASSERT_EQ(Responder.Seen().size(), 1u);
  EXPECT_EQ(Responder.Seen()[0].Text, OpenErrorText);
  EXPECT_EQ(GetHistory(*Form).Get(1), "C:\\My Files\\kanji.csv");
  EXPECT_TRUE(MenuItem(*Form, cmToolbar).GetChecked());
  EXPECT_EQ(GetStatus(*Form), "Ready");
  Form.reset();

  // Field 11, Shuffle: the view options are applied, the examination options
  // and everything after them are not.
  fields = ExampleFields();
  fields[1] = "0";
  fields[9] = "-1";
  fields[11] = "yes";
  fields[12] = "-1";
  Responder.Press("OK");
  StartWith(Join(fields));
  ASSERT_EQ(Responder.Seen().size(), 2u);
  EXPECT_EQ(Responder.Seen()[1].Text, OpenErrorText);
  TMainForm& form = *Form;
  EXPECT_FALSE(IsWindowVisible(ToolBar(form).Handle));
  EXPECT_TRUE(MenuItem(form, cmLastPosition).GetChecked());
  EXPECT_TRUE(MenuItem(form, cmShuffle).GetChecked());
  EXPECT_FALSE(MenuItem(form, cmSwap).GetChecked());
  EXPECT_NE(Bounds(form).left, 218);
  EXPECT_EQ(OpenDialog(form).InitialDir, "");
  EXPECT_EQ(OpenDialog(form).FilterIndex, 1);
  EXPECT_EQ(GetStatus(form), "Ready");
}

TEST_F(SettingsFileTest, AFileWithoutTheValueKeepsTheDefaultsAndSaysSo) {
  Responder.Press("OK");
  WriteBytes(kSettingsFile, "[Other]\r\nA=1\r\n");
  Start();
  ASSERT_EQ(Responder.Seen().size(), 1u);
  EXPECT_EQ(Responder.Seen()[0].Text, OpenErrorText);
  EXPECT_FALSE(MenuItem(*Form, cmHistoryFirst + 0).GetEnabled());
  EXPECT_TRUE(GetViewOptions(*Form) == TViewOptions());
}

TEST_F(SettingsFileTest, OtherSectionsSurviveACloseAndLowerCaseNamesAreRead) {
  std::vector<std::string> fields = ExampleFields();
  fields[1] = "0"; // no toolbar
  WriteBytes(kSettingsFile,
             "; written by hand\r\n[Other]\r\nName = 1\r\n\r\n[settings]\r\nvalues=" +
                 Join(fields) + "\r\nExtra=2\r\n[Last]\r\nZ=3\r\n");
  TMainForm& form = Start();
  EXPECT_FALSE(MenuItem(form, cmToolbar).GetChecked());
  EXPECT_EQ(GetHistory(form).Get(0), "C:\\Quiz\\words.txt");
  Close();

  const std::string written = ReadBytes(kSettingsFile);
  const std::string head = "[Other]\r\nName=1\r\n\r\n[settings]\r\nValues=";
  const std::string tail = "\r\nExtra=2\r\n\r\n[Last]\r\nZ=3\r\n\r\n";
  ASSERT_EQ(written.rfind(head, 0), 0u) << written;
  ASSERT_GT(written.size(), head.size() + tail.size());
  EXPECT_EQ(written.substr(written.size() - tail.size()), tail) << written;
  const TStringList value =
      SplitCommaText(written.substr(head.size(), written.size() - head.size() - tail.size()));
  ASSERT_EQ(value.size(), 24u);
  EXPECT_EQ(value[0], "C:\\Quiz\\words.txt,\"C:\\My Files\\kanji.csv\",,,");
  EXPECT_EQ(value[1], "0");
  EXPECT_EQ(value[19], "C:\\Quiz");
}

TEST_F(SettingsFileTest, AReadOnlyFileIsReportedAndLeftAloneAndTheWindowCloses) {
  WriteBytes(kSettingsFile, FileOf(Join(ExampleFields())));
  SetFileAttributesA(kSettingsFile.c_str(), FILE_ATTRIBUTE_READONLY);
  TMainForm& form = Start();
  form.ClickMenuItem(cmStatusBar);
  Responder.Press("OK");
  Close();
  ASSERT_EQ(Responder.Seen().size(), 1u);
  EXPECT_EQ(Responder.Seen()[0].Text, "The program cannot save the document: " + kSettingsFile);
  EXPECT_EQ(Responder.Seen()[0].Icon, "error");
  EXPECT_EQ(ReadBytes(kSettingsFile), FileOf(Join(ExampleFields())));
}

TEST_F(SettingsFileTest, AFileThatCannotBeReadAtCloseIsReportedAndTheWindowStillCloses) {
  WriteBytes(kSettingsFile, FileOf(Join(ExampleFields())));
  TMainForm& form = Start();
  form.ClickMenuItem(cmStatusBar);
  TLockedFile lock(kSettingsFile);
  ASSERT_TRUE(lock.Locked());
  Responder.Press("OK");
  Close();
  lock.Release();
  ASSERT_EQ(Responder.Seen().size(), 1u);
  EXPECT_NE(Responder.Seen()[0].Text.find(kSettingsFile), std::string::npos)
      << Responder.Seen()[0].Text;
  EXPECT_EQ(Responder.Seen()[0].Icon, "error");
  EXPECT_EQ(ReadBytes(kSettingsFile), FileOf(Join(ExampleFields()))) << "nothing was written";
}

// A virus scanner or a sync client holding the file a moment, sharing only
// reading: the close still reads it, and waits to replace it rather than
// report a failure.
TEST_F(SettingsFileTest, AFileAnotherProgramHoldsAMomentIsWrittenWithoutABox) {
  WriteBytes(kSettingsFile, FileOf(Join(ExampleFields())));
  Start().ClickMenuItem(cmStatusBar);
  const THeldFile held(kSettingsFile, 1000);
  ASSERT_TRUE(held.Opened());
  Close();
  std::vector<std::string> fields = ExampleFields();
  fields[8] = "0";   // the status bar, hidden just now
  fields.resize(15); // the window's place follows
  const std::string written = ReadBytes(kSettingsFile);
  EXPECT_EQ(written.rfind("[Settings]\r\nValues=" + Join(fields) + ",", 0), 0u) << written;
  EXPECT_EQ(Responder.Seen().size(), 0u);
}

// Log-off and shutdown end the process after these two messages, with no close.
TEST_F(SettingsFileTest, TheSessionsEndWritesTheSettingsWithoutAWordEvenDuringARun) {
  const TTempFile questions("France,Paris\r\n", ".csv");
  TMainForm& form = Start();
  OpenDocument(form, questions.Path());
  form.ClickMenuItem(cmStart);
  EXPECT_TRUE(SendMessageA(form.Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
  SendMessageA(form.Handle(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF); // the session goes on
  EXPECT_FALSE(std::filesystem::exists(kSettingsFile));
  SendMessageA(form.Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  const std::string written = ReadBytes(kSettingsFile);
  EXPECT_EQ(written.rfind("[Settings]\r\nValues=\"" + questions.Path() + ",,,,\",", 0), 0u);
  // A file that cannot be written is left as it is, silently.
  SetFileAttributesA(kSettingsFile.c_str(), FILE_ATTRIBUTE_READONLY);
  form.ClickMenuItem(cmStatusBar);
  SendMessageA(form.Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(ReadBytes(kSettingsFile), written);
  EXPECT_EQ(Responder.Seen().size(), 0u);
}

namespace {

// Stands in for Windows telling the window that it is on a screen of 144 dpi,
// with the rectangle proposed half as large again: when the hidden window
// arrives at the saved rectangle, or only as it is shown.
enum class TDpiMoment { Placed, Shown, Later };
HHOOK dpiHook = nullptr;
TDpiMoment dpiMoment = TDpiMoment::Placed;
RECT dpiTarget{};
bool dpiSent = false;

void SendDpiChange(HWND window, int dpi) {
  RECT now{};
  GetWindowRect(window, &now);
  RECT suggested{now.left, now.top, now.left + (now.right - now.left) * dpi / 96,
                 now.top + (now.bottom - now.top) * dpi / 96};
  SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

LRESULT CALLBACK SendDpiChangeOnArrival(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGED && !dpiSent &&
      GetParent(call->hwnd) == nullptr) {
    const auto* position = reinterpret_cast<const WINDOWPOS*>(call->lParam);
    RECT now{};
    GetWindowRect(call->hwnd, &now);
    const bool showing = (position->flags & SWP_SHOWWINDOW) != 0;
    if (dpiMoment == TDpiMoment::Shown
            ? showing
            : dpiMoment == TDpiMoment::Placed && EqualRect(&now, &dpiTarget)) {
      dpiSent = true;
      SendDpiChange(call->hwnd, 144);
    }
  }
  return CallNextHookEx(dpiHook, code, wParam, lParam);
}

} // namespace

// Windows may tell the window of its screen's dpi while the saved place is
// applied, as the window is first shown, or after; the place holds through
// each, and a change once the window has its screen's dpi is followed again.
TEST_F(SettingsFileTest, TheSavedRectangleHoldsWhenItLiesOnAScreenOfAnotherScale) {
  std::vector<std::string> fields = ExampleFields();
  fields[9] = "-1"; // LastPosition
  fields[15] = "100", fields[16] = "80", fields[17] = "700", fields[18] = "480";
  DpiOfPlace = [](const RECT&) { return 144; };
  for (const TDpiMoment moment : {TDpiMoment::Placed, TDpiMoment::Shown, TDpiMoment::Later}) {
    SCOPED_TRACE(static_cast<int>(moment));
    dpiMoment = moment;
    dpiTarget = {100, 80, 700, 480};
    dpiSent = false;
    dpiHook =
        SetWindowsHookExA(WH_CALLWNDPROCRET, SendDpiChangeOnArrival, nullptr, GetCurrentThreadId());
    StartWith(Join(fields));
    UnhookWindowsHookEx(dpiHook);
    ProcessMessages(*Form); // the first idle moment: the show is over
    EXPECT_EQ(dpiSent, moment != TDpiMoment::Later) << "the change of dpi was sent";
    if (moment == TDpiMoment::Later) SendDpiChange(Form->Handle(), 144);
    const RECT bounds = Bounds(*Form);
    EXPECT_TRUE(EqualRect(&bounds, &dpiTarget))
        << bounds.left << "," << bounds.top << " to " << bounds.right << "," << bounds.bottom;
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(QuestionField(*Form).Send(WM_GETFONT)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -18) << "the contents follow the new scale";

    // At its screen's dpi the window follows the system's rectangle again.
    const RECT back{120, 90, 520, 360};
    SendMessageA(Form->Handle(), WM_DPICHANGED, MAKEWPARAM(96, 96),
                 reinterpret_cast<LPARAM>(&back));
    const RECT moved = Bounds(*Form);
    EXPECT_TRUE(EqualRect(&moved, &back)) << moved.left << "," << moved.top;
    SetWindowPos(Form->Handle(), nullptr, 100, 80, 600, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    Close();
    EXPECT_EQ(ReadBytes(kSettingsFile), FileOf(Join(fields)));
  }
  DpiOfPlace = MonitorDpiOfPlace;
}

// An installer's Restart Manager asks the program alone to end; a question
// about the run would hold the installer up until it killed the program.
TEST_F(SettingsFileTest, AnInstallersRequestToCloseSavesAndClosesWithoutAQuestion) {
  const TTempFile questions("France,Paris\r\n", ".csv");
  TMainForm& form = Start();
  OpenDocument(form, questions.Path());
  form.ClickMenuItem(cmStart);
  const HWND window = form.Handle();
  EXPECT_TRUE(SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP));
  SendMessageA(window, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(ReadBytes(kSettingsFile).rfind("[Settings]\r\nValues=\"" + questions.Path(), 0), 0u);
  EXPECT_EQ(Responder.Seen().size(), 0u);
}

TEST_F(SettingsFileTest, AFileThatCannotBeReadAtStartEndsTheStartNamingTheFile) {
  WriteBytes(kSettingsFile, FileOf(Join(ExampleFields())));
  TLockedFile lock(kSettingsFile);
  ASSERT_TRUE(lock.Locked());
  std::string failure;
  try {
    TMainForm form(GetModuleHandleA(nullptr));
    form.Create();
    ADD_FAILURE() << "the window was made";
  } catch (const std::exception& error) {
    failure = error.what();
  }
  EXPECT_NE(failure.find(kSettingsFile), std::string::npos) << failure;
  EXPECT_EQ(FindWindowA("TesmoMainForm", nullptr), nullptr) << "no window is left";

  // The entry reports it in the general failure report.
  Responder.Press("OK");
  ShowGeneralFailure(nullptr, failure);
  ASSERT_EQ(Responder.Seen().size(), 1u);
  EXPECT_EQ(Responder.Seen()[0].Caption, "Tesmo");
  EXPECT_NE(Responder.Seen()[0].Text.find(kSettingsFile), std::string::npos);
}

// Values a hand-edited file may hold, applied as they stand: the window must
// still work.
TEST_F(SettingsFileTest, OutOfRangeFontSizesAndTabWidthsLeaveAUsableWindow) {
  for (const auto& [size, tabs] : std::vector<std::pair<const char*, const char*>>{
           {"0", "-1"}, {"-5", "1000000"}, {"100000", "0"}, {"-2147483648", "2147483647"}}) {
    std::vector<std::string> fields = ExampleFields();
    fields[4] = size;
    fields[6] = tabs;
    StartWith(Join(fields));
    TMainForm& form = *Form;
    EXPECT_EQ(std::to_string(GetViewOptions(form).FontSize), size) << "kept as read";
    EXPECT_EQ(std::to_string(GetViewOptions(form).TabWidth), tabs);
    for (HWND field : {QuestionField(form).Handle, Log(form).Handle}) {
      LOGFONTA font{};
      ASSERT_GT(GetObjectA(reinterpret_cast<HFONT>(SendMessageA(field, WM_GETFONT, 0, 0)),
                           sizeof font, &font),
                0)
          << size;
      EXPECT_LT(font.lfHeight, 0) << size;
      EXPECT_GE(font.lfHeight, -1000) << size;
    }
    // The log still takes and shows text, the commands still work.
    form.Pane().Replace("question\tanswer\r\nnext");
    EXPECT_EQ(Log(form).GetText(), "question\tanswer\r\nnext");
    const LRESULT second = SendMessageA(Log(form).Handle, EM_POSFROMCHAR, 9, 0);
    EXPECT_NE(second, -1) << tabs;
    EXPECT_LT(static_cast<short>(LOWORD(second)), 32767) << tabs;
    Responder.Press("OK");
    form.ClickMenuItem(cmDefaultView);
    EXPECT_TRUE(GetViewOptions(form) == TViewOptions()) << size << " " << tabs;
    Form.reset();
  }
}

TEST_F(SettingsFileTest, TheNameDefaultInAnyLetterCaseSelectsTheDefaultFace) {
  std::vector<std::string> fields = ExampleFields();
  fields[3] = "DEFAULT";
  fields[4] = "14";
  StartWith(Join(fields));
  EXPECT_EQ(GetViewOptions(*Form).FontName, "DEFAULT") << "kept as written";
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Log(*Form).Handle, WM_GETFONT, 0, 0)),
             sizeof font, &font);
  EXPECT_EQ(font.lfFaceName, DefaultFontFace());
}

// The program itself, started with a settings file it cannot read: the
// report names the file, no window is shown, and the program ends.
TEST(SettingsFileStart, TheProgramReportsAnUnreadableSettingsFileAndEnds) {
  const std::filesystem::path program =
      std::filesystem::path(kAppDir).parent_path().parent_path() / "tesmo.exe";
  if (!std::filesystem::exists(program)) GTEST_SKIP() << "no " << program.string();
  // A copy of its own, so that the settings beside it are the test's.
  const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("tesmo-start-" + std::to_string(GetCurrentProcessId()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path copy = folder / "tesmo.exe";
  std::filesystem::copy_file(program, copy, std::filesystem::copy_options::overwrite_existing);
  const std::string settings = (folder / "Settings.ini").string();
  WriteBytes(settings, FileOf(Join(ExampleFields())));

  std::string caption, text;
  bool windowShown = false;
  DWORD exitCode = 1;
  {
    TLockedFile lock(settings);
    ASSERT_TRUE(lock.Locked());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + copy.string() + "\"";
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               folder.string().c_str(), &startup, &process));
    struct TFound {
      DWORD Process;
      HWND Box = nullptr;
      bool MainWindowShown = false;
    } found{process.dwProcessId};
    for (int i = 0; i < 200 && found.Box == nullptr; ++i) {
      Sleep(50);
      EnumWindows(
          [](HWND window, LPARAM data) -> BOOL {
            auto* found = reinterpret_cast<TFound*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != found->Process || !IsWindowVisible(window)) return TRUE;
            char name[64] = {0};
            GetClassNameA(window, name, sizeof name);
            if (std::string(name) == "TesmoMainForm") found->MainWindowShown = true;
            if (std::string(name) == "#32770") found->Box = window;
            return TRUE;
          },
          reinterpret_cast<LPARAM>(&found));
    }
    if (found.Box != nullptr) {
      // Another process's texts come by WM_GETTEXT.
      const auto textOf = [](HWND window) {
        char buffer[1024] = {0};
        SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
        return std::string(buffer);
      };
      caption = textOf(found.Box);
      for (HWND child = GetWindow(found.Box, GW_CHILD); child != nullptr;
           child = GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = {0};
        GetClassNameA(child, name, sizeof name);
        if (_stricmp(name, "Static") == 0) text += textOf(child);
      }
      PostMessageA(found.Box, WM_COMMAND, IDOK, 0);
    }
    windowShown = found.MainWindowShown;
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
      TerminateProcess(process.hProcess, 1);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);

  EXPECT_EQ(caption, "Tesmo");
  EXPECT_NE(text.find(settings), std::string::npos) << text;
  EXPECT_FALSE(windowShown);
  EXPECT_EQ(exitCode, 0u);
}

} // namespace

namespace {

TEST_F(SettingsFileTest, TheStoredViewIsLaidOutBeforeTheWindowIsFirstShown) {
  std::vector<std::string> fields = ExampleFields();
  fields[7] = "-1"; // the question panel below the log
  WriteBytes(kSettingsFile, FileOf(Join(fields)));
  Form = std::make_unique<TMainForm>(GetModuleHandleA(nullptr));
  Form->Create();
  const auto clientRect = [this](HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, Form->Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  // Not shown yet: the layout must already leave room for the bars.
  EXPECT_EQ(clientRect(Log(*Form).Handle).top, clientRect(ToolBar(*Form).Handle).bottom);
  EXPECT_LE(clientRect(AnswerField(*Form).Handle).bottom, clientRect(StatusBar(*Form).Handle).top);
  EXPECT_GT(clientRect(QuestionField(*Form).Handle).top, clientRect(Log(*Form).Handle).bottom);
}

} // namespace
