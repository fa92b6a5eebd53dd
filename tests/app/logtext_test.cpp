// A log in code page 932 holding bytes the code page cannot read whole: a
// UTF-8 file opened on a Japanese desk, lead bytes cut off before a line
// break, a byte no character has. The control converts them its own way;
// Find still selects exactly the word it found.
#include <functional>

#include <gtest/gtest.h>

#include "mainwindow.h"
#include "support/codepage.h"

namespace {

class TLogTextCodePage932 : public MainWindowTest {
protected:
  // From the start, Find "word" with the dialog, then Find Next: each time
  // the control's selection, in its own units, and the text selected are the
  // word.
  void ExpectEachFindSelectsTheWord(int times) {
    Log(Form()).SetSel(0, 0);
    Responder.Handle([](HWND dialog) {
      SetWindowTextA(GetFocus(), "word");
      ::ClickButton(dialog, "&Find");
    });
    for (int i = 0; i < times; ++i) {
      Click(i == 0 ? cmFind : cmFindNext);
      EXPECT_EQ(SelectedUnits(), L"word") << "occurrence " << i;
      EXPECT_EQ(Log(Form()).GetSelText(), "word") << "occurrence " << i;
    }
  }

  // The control's own text between the ends of its selection.
  std::wstring SelectedUnits() {
    const HWND log = Log(Form()).Handle;
    DWORD start = 0, end = 0;
    SendMessageW(log, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(log)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(log, text.data(), static_cast<int>(text.size()))));
    return end <= text.size() && start <= end ? text.substr(start, end - start) : L"<out of range>";
  }
};

// "日本語 café" in UTF-8, read as 932: pairs, half-width kana, and a lead byte
// before a blank.
const std::string kUtf8Line = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E caf\xC3\xA9 word\r\n";

} // namespace

TEST_F(TLogTextCodePage932, FindSelectsTheWordItFoundAfterBytesTheCodePageCannotRead) {
  REQUIRE_CODE_PAGE(932);
  Start();
  // Lone lead bytes before CR LF and at the very end of a write, a byte no
  // character has, then a word after each.
  Form().Pane().Replace("one\x81\r\nword\x82\r\n" + kUtf8Line + "\xFD word\x9F");
  Form().Pane().Append({"\x88\r\nword", kUtf8Line + "word"});
  ExpectEachFindSelectsTheWord(6);
  EXPECT_EQ(Responder.Seen().size(), 1u) << "no box said there was no match";

  // Text the code page reads whole is kept as written, and found alike.
  Form().Pane().Replace("\x93\xfa\x96\x7b word\r\n");
  Form().Pane().Append({"\x8c\xea word"});
  ExpectEachFindSelectsTheWord(2);
}

// Windows' edit control may read such bytes otherwise than the program's own
// conversion would (take the CR after a lead byte that has no trail byte, as
// here); Wine's reads them alike. Find then goes by the control's own text,
// written here past the program as the control would have read it.
TEST_F(TLogTextCodePage932, FindGoesByTheControlsOwnReadingOfBytesTheCodePageCannotRead) {
  REQUIRE_CODE_PAGE(932);
  Start();
  const HWND log = Log(Form()).Handle;
  const auto editProc = reinterpret_cast<WNDPROC>(GetClassLongPtrW(log, GCLP_WNDPROC));
  const std::function<void()> writes[] = {
      [&] { Form().Pane().Replace("one\x81\r\nword\r\n"); },
      [&] {
        Form().Pane().Replace("one");
        Form().Pane().Append({"\x81", "word"});
      },
  };
  for (const auto& write : writes) {
    write();
    CallWindowProcW(editProc, log, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"one\u30FB\nword\r\n"));
    ExpectEachFindSelectsTheWord(1);
  }
}
