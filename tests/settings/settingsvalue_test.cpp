#include <gtest/gtest.h>

#include <string>

#include "settings/commatext.h"
#include "settings/history.h"
#include "settings/settingsvalue.h"
#include "util/platform.h"

namespace {

// The settings of the worked example: two recent files, default options, a
// normal window at 218, 179, 826, 685, both dialogs in C:\Quiz.
TSettings Example() {
  THistory history;
  history.SetCount(5);
  history.Add("C:\\My Files\\kanji.csv");
  history.Add("C:\\Quiz\\words.txt");
  TSettings settings;
  settings.HistoryText = history.CommaText();
  settings.Left = 218;
  settings.Top = 179;
  settings.Right = 826;
  settings.Bottom = 685;
  settings.Dialogs = {{"C:\\Quiz", 2}, {"C:\\Quiz", 1}};
  return settings;
}

const char* const kExampleValue =
    "\"C:\\Quiz\\words.txt,\"\"C:\\My Files\\kanji.csv\"\",,,\",-1,0,Default,9,0,8,0,-1,0,0,-1,0,"
    "0,0,218,179,826,685,C:\\Quiz,2,C:\\Quiz,1,";

// The settings held before a value is read: options other than the example's,
// two dialogs.
TSettings Current() {
  TSettings settings;
  settings.HistoryText = "current";
  settings.ViewOptions.FontSize = 20;
  settings.ExamOptions.Shuffle = false;
  settings.Dialogs = {{"", 1}, {"", 1}};
  return settings;
}

// The example's fields, with one replaced or the list cut.
std::string ExampleWith(size_t pos, const std::string& text) {
  TStringList fields = SplitCommaText(kExampleValue);
  fields.at(pos) = text;
  return JoinCommaText(fields);
}

std::string ExampleCut(size_t count) {
  TStringList fields = SplitCommaText(kExampleValue);
  fields.resize(count);
  return JoinCommaText(fields);
}

void ExpectSame(const TSettings& a, const TSettings& b) {
  EXPECT_EQ(a.HistoryText, b.HistoryText);
  EXPECT_TRUE(a.ViewOptions == b.ViewOptions);
  EXPECT_TRUE(a.ExamOptions == b.ExamOptions);
  EXPECT_EQ(a.WindowState, b.WindowState);
  EXPECT_EQ(a.Left, b.Left);
  EXPECT_EQ(a.Top, b.Top);
  EXPECT_EQ(a.Right, b.Right);
  EXPECT_EQ(a.Bottom, b.Bottom);
  ASSERT_EQ(a.Dialogs.size(), b.Dialogs.size());
  for (size_t i = 0; i < a.Dialogs.size(); ++i) {
    EXPECT_EQ(a.Dialogs[i].Folder, b.Dialogs[i].Folder);
    EXPECT_EQ(a.Dialogs[i].FilterIndex, b.Dialogs[i].FilterIndex);
  }
}

// Which groups a read took in, as one text: H history, V view, E exam, B
// bounds, then folders/filter indexes, then ! for a failure.
std::string Stages(const TSettingsRead& read) {
  std::string text;
  if (read.HistoryRead) text += 'H';
  if (read.ViewOptionsRead) text += 'V';
  if (read.ExamOptionsRead) text += 'E';
  if (read.BoundsRead) text += 'B';
  text += std::to_string(read.FoldersRead) + "/" + std::to_string(read.FilterIndexesRead);
  if (read.Failed) text += '!';
  return text;
}

} // namespace

TEST(SettingsValue, TheWorkedExampleComesOutByteForByte) {
  EXPECT_EQ(MakeSettingsValue(Example()), kExampleValue);
}

TEST(SettingsValue, TheWorkedExampleReadsBack) {
  const TSettingsRead read = ReadSettingsValue(kExampleValue, Current());
  EXPECT_EQ(Stages(read), "HVEB2/2");
  ExpectSame(read.Settings, Example());
  THistory history;
  history.SetCount(5);
  history.SetCommaText(read.Settings.HistoryText);
  EXPECT_EQ(history.Get(0), "C:\\Quiz\\words.txt");
  EXPECT_EQ(history.Get(1), "C:\\My Files\\kanji.csv");
  EXPECT_EQ(history.Get(4), "");
}

TEST(SettingsValue, EveryFieldRoundTrips) {
  TSettings settings;
  settings.HistoryText = JoinCommaText({"C:\\a \"b\".txt", "", "D:\\x,y.csv", "", ""});
  TViewOptions& view = settings.ViewOptions;
  view.Toolbar = false;
  view.ToolbarCaptions = true;
  view.FontName = "Courier New";
  view.FontSize = 12;
  view.BitsToFontStyle(1 | 4 | 8);
  view.TabWidth = 0;
  view.SwapPanels = true;
  view.StatusBar = false;
  view.LastPosition = true;
  view.Topmost = true;
  settings.ExamOptions.Shuffle = false;
  settings.ExamOptions.Swap = true;
  settings.ExamOptions.CaseSensitive = true;
  settings.WindowState = 2;
  settings.Left = -8;
  settings.Top = -2147483647 - 1;
  settings.Right = 2147483647;
  settings.Bottom = 0;
  settings.Dialogs = {{"C:\\My Files", 3}, {"", -1}};

  const std::string value = MakeSettingsValue(settings);
  EXPECT_NE(value.find(",\"Courier New\","), std::string::npos) << value;
  EXPECT_EQ(value.back(), ',');
  EXPECT_EQ(SplitCommaText(value).size(), 24u);
  const TSettingsRead read = ReadSettingsValue(value, Current());
  EXPECT_EQ(Stages(read), "HVEB2/2");
  ExpectSame(read.Settings, settings);
}

TEST(SettingsValue, FiveEmptySlotsAreStoredAsFourCommas) {
  THistory history;
  history.SetCount(5);
  TSettings settings = Example();
  settings.HistoryText = history.CommaText();
  const std::string value = MakeSettingsValue(settings);
  EXPECT_EQ(value.substr(0, 8), "\",,,,\",-");
  const TSettingsRead read = ReadSettingsValue(value, Current());
  EXPECT_EQ(read.Settings.HistoryText, ",,,,");
  history.Add("x");
  history.SetCommaText(read.Settings.HistoryText);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(history.Get(i), "");
}

TEST(SettingsValue, ExtraFieldsAreIgnoredAndTheLastEmptyOneIsNotNeeded) {
  EXPECT_EQ(Stages(ReadSettingsValue(std::string(kExampleValue) + "x,y,z", Current())), "HVEB2/2");
  EXPECT_EQ(Stages(ReadSettingsValue(ExampleCut(23), Current())), "HVEB2/2");
}

TEST(SettingsValue, EmptyValueChangesNothing) {
  const TSettingsRead read = ReadSettingsValue("", Current());
  EXPECT_EQ(Stages(read), "0/0!");
  ExpectSame(read.Settings, Current());
}

TEST(SettingsValue, ReadingStopsAtTheFirstBadFieldKeepingWhatCameBefore) {
  struct TCase {
    std::string Value;
    const char* Stages;
  };
  const TCase cases[] = {
      {ExampleCut(1), "H0/0!"},
      {ExampleCut(10), "H0/0!"},                   // field 10 missing
      {ExampleWith(4, "abc"), "H0/0!"},            // font size
      {ExampleWith(10, "maybe"), "H0/0!"},         // the last view field
      {ExampleWith(11, "yes"), "HV0/0!"},          // shuffle
      {ExampleWith(13, ""), "HV0/0!"},             // case sensitive
      {ExampleCut(14), "HVE0/0!"},                 // no window state
      {ExampleWith(18, "1.5"), "HVE0/0!"},         // bottom
      {ExampleCut(19), "HVEB0/0!"},                // no folder
      {ExampleWith(20, "two"), "HVEB1/0!"},        // first filter index
      {ExampleCut(22), "HVEB2/1!"},                // no second filter index
      {ExampleWith(22, "99999999999"), "HVEB2/1!"} // out of range
  };
  for (const TCase& test : cases) {
    const TSettingsRead read = ReadSettingsValue(test.Value, Current());
    EXPECT_EQ(Stages(read), test.Stages) << test.Value;
    // What was not read keeps the current settings; what was read is the example's.
    const TSettings current = Current(), example = Example();
    const TSettings& from = read.Settings;
    EXPECT_TRUE(from.ViewOptions ==
                (read.ViewOptionsRead ? example.ViewOptions : current.ViewOptions));
    EXPECT_TRUE(from.ExamOptions ==
                (read.ExamOptionsRead ? example.ExamOptions : current.ExamOptions));
    EXPECT_EQ(from.Right, read.BoundsRead ? 826 : 0);
    EXPECT_EQ(from.Dialogs[1].Folder, read.FoldersRead == 2 ? "C:\\Quiz" : "");
    EXPECT_EQ(from.Dialogs[0].FilterIndex, read.FilterIndexesRead >= 1 ? 2 : 1);
  }
}

TEST(SettingsValue, AFolderIsTakenBeforeItsFilterIndexIsRead) {
  const TSettingsRead read = ReadSettingsValue(ExampleWith(20, "two"), Current());
  EXPECT_EQ(read.Settings.Dialogs[0].Folder, "C:\\Quiz");
  EXPECT_EQ(read.Settings.Dialogs[0].FilterIndex, 1);
}

TEST(SettingsValue, UnquotedFaceNameWithABlankShiftsTheFields) {
  // A hand-edited value: the face name lost its quotes.
  std::string value = kExampleValue;
  value.replace(value.find("Default"), 7, "Courier New");
  const TSettingsRead read = ReadSettingsValue(value, Current());
  EXPECT_EQ(Stages(read), "H0/0!"); // "New" stands where the font size should
  EXPECT_EQ(read.Settings.ViewOptions.FontName, "Default");
}

TEST(SettingsValue, LastPositionRestoresOnlyANormalWindow) {
  TSettings settings = Example();
  settings.ViewOptions.LastPosition = true;
  EXPECT_TRUE(ReadSettingsValue(MakeSettingsValue(settings), Current()).RestoresBounds());
  settings.WindowState = 2;
  EXPECT_FALSE(ReadSettingsValue(MakeSettingsValue(settings), Current()).RestoresBounds());
  settings.WindowState = 0;
  settings.ViewOptions.LastPosition = false;
  EXPECT_FALSE(ReadSettingsValue(MakeSettingsValue(settings), Current()).RestoresBounds());
  // A value that fails before the rectangle never moves the window.
  TSettings current = Current();
  current.ViewOptions.LastPosition = true;
  EXPECT_FALSE(ReadSettingsValue(ExampleCut(16), current).RestoresBounds());
}

TEST(SettingsValue, BooleanFields) {
  const std::string half = std::string("0") + sys::DecimalSeparator() + "5";
  const std::string zero = std::string("0") + sys::DecimalSeparator() + "00";
  const std::pair<std::string, bool> good[] = {
      {"True", true}, {"false", false}, {"2", true},      {"0", false},   {"-1", true},
      {"1", true},    {"TRUE", true},   {"fAlSe", false}, {half, true},   {zero, false},
      {" 3 ", true},  {"+0", false},    {"1e5", true},    {"0e5", false}, {"1E-999", true}};
  for (const auto& [text, expected] : good) {
    bool value = !expected;
    EXPECT_TRUE(TryTextToBool(text, value)) << text;
    EXPECT_EQ(value, expected) << text;
  }
  for (const char* text : {"yes", "", " ", "T", "True ", "0x1", "$1", "-", "e5", "1e"}) {
    bool value = true;
    EXPECT_FALSE(TryTextToBool(text, value)) << text;
    EXPECT_TRUE(value) << "a failed read changes nothing";
  }
  EXPECT_EQ(BoolToText(true), "-1");
  EXPECT_EQ(BoolToText(false), "0");
}

TEST(SettingsValue, DigitsGroupedByCommasAreNoBoolean) {
  if (sys::DecimalSeparator() == ',')
    GTEST_SKIP() << "the decimal separator here is a comma, so \"1,000\" is the number 1";
  bool value = true;
  EXPECT_FALSE(TryTextToBool("1,000", value));
  EXPECT_TRUE(value) << "a failed read changes nothing";
}

TEST(SettingsValue, IntegerFields) {
  const std::pair<const char*, int> good[] = {{"0", 0},
                                              {"12", 12},
                                              {"  12", 12},
                                              {"-5", -5},
                                              {"+5", 5},
                                              {"007", 7},
                                              {"$1F", 31},
                                              {"x1f", 31},
                                              {"X10", 16},
                                              {"0x1F", 31},
                                              {"0XfF", 255},
                                              {"-$10", -16},
                                              {"2147483647", 2147483647},
                                              {"-2147483648", -2147483647 - 1},
                                              {"$7FFFFFFF", 2147483647},
                                              {"-0x80000000", -2147483647 - 1}};
  for (const auto& [text, expected] : good) {
    int value = -99;
    EXPECT_TRUE(TryTextToInt(text, value)) << text;
    EXPECT_EQ(value, expected) << text;
  }
  for (const char* text :
       {"", " ", "12 ", "1.5", "abc", "$", "0x", "x", "--1", "+-1", "1e3", "2147483648",
        "-2147483649", "$80000000", "99999999999999999999", "\t1", "0x1G", "1 2"}) {
    int value = -99;
    EXPECT_FALSE(TryTextToInt(text, value)) << text;
    EXPECT_EQ(value, -99) << "a failed read changes nothing";
  }
  EXPECT_EQ(IntToText(-2147483647 - 1), "-2147483648");
  EXPECT_EQ(IntToText(685), "685");
}
