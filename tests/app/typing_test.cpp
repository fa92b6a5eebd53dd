// Characters typed into the answer field reach the answer check whole: the
// message loop carries them in UTF-16, and only the field's text is read in
// the code page.
#include <gtest/gtest.h>

#include "mainwindow.h"
#include "util/platform.h"

namespace {

// Types text as the keyboard does: one WM_CHAR a UTF-16 unit, a character
// outside the basic plane as its two surrogates, through the program's own
// message loop.
void Type(HWND field, const std::wstring& text) {
  for (wchar_t unit : text) PostMessageW(field, WM_CHAR, unit, 1);
}

} // namespace

TEST_F(MainWindowTest, TypedCharactersReachTheAnswerCheckWhole) {
  // Ж, 日 and an emoji in UTF-8.
  const std::string answer = "\xD0\x96\xE6\x97\xA5\xF0\x9F\x98\x80";
  Start({Folder.Write("words.csv", "Word," + answer + "\r\n")});
  Click(cmStart);
  const HWND field = AnswerField(Form()).Handle;
  Type(field, L"\u0416\u65E5\U0001F600");
  Idle();
  if (sys::IsUtf8()) {
    EXPECT_EQ(AnswerField(Form()).GetText(), answer);
    Key(field, VK_RETURN);
    EXPECT_EQ(Log(Form()).GetText().find("[Miss"), std::string::npos) << "judged a hit";
  } else {
    // The field is read in the code page, which lacks them, as before.
    EXPECT_EQ(AnswerField(Form()).GetText().substr(0, 2), "??");
  }
}
