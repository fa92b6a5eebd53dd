#include <gtest/gtest.h>

#include <string>

#include "settings/inifile.h"
#include "support/codepage.h"
#include "support/tempfile.h"
#include "util/platform.h"

namespace {

TIniDocument Parse(std::string_view text) {
  TIniDocument document;
  document.SetText(text);
  return document;
}

} // namespace

TEST(IniDocument, ReadsKeysOfSections) {
  const TIniDocument ini =
      Parse("[Settings]\r\nValues=a,b\r\nOther = x y \r\n[Second]\nValues=2\n");
  EXPECT_EQ(ini.ReadString("Settings", "Values"), "a,b");
  EXPECT_EQ(ini.ReadString("Settings", "Other"), "x y");
  EXPECT_EQ(ini.ReadString("Second", "Values"), "2");
  EXPECT_EQ(ini.ReadString("Settings", "Missing"), "");
  EXPECT_EQ(ini.ReadString("Missing", "Values"), "");
}

TEST(IniDocument, NamesMatchInAnyCaseAndTheLastOccurrenceCounts) {
  const TIniDocument ini = Parse(
      "[settings]\r\nVALUES=first\r\nvalues=second\r\n[Other]\r\nk=1\r\n[SETTINGS]\r\nk=2\r\n");
  EXPECT_EQ(ini.ReadString("Settings", "Values"), ""); // the last [SETTINGS] has no Values
  EXPECT_EQ(ini.ReadString("Settings", "K"), "2");
  const TIniDocument keys = Parse("[settings]\r\nVALUES=first\r\nvalues=second\r\n");
  EXPECT_EQ(keys.ReadString("Settings", "Values"), "second");
}

TEST(IniDocument, ValueIsEverythingAfterTheFirstEquals) {
  const TIniDocument ini = Parse("[S]\r\n  key  =  a = b  \r\nempty=\r\n=nameless\r\n");
  EXPECT_EQ(ini.ReadString("S", "key"), "a = b");
  EXPECT_EQ(ini.ReadString("S", "empty"), "");
  EXPECT_EQ(ini.GetText(), "[S]\r\nkey=a = b\r\nempty=\r\n=nameless\r\n\r\n");
}

TEST(IniDocument, CommentsBlankLinesAndLinesBeforeTheFirstSectionAreDropped) {
  const TIniDocument ini = Parse("orphan=1\r\n; comment\r\n\r\n  [ Spaced ]  \r\n\t; indented\r\n"
                                 "plain line\r\nk=v\r\n\r\n");
  EXPECT_EQ(ini.GetText(), "[Spaced]\r\nplain line\r\nk=v\r\n\r\n");
}

TEST(IniDocument, EveryKindOfLineEndAndNul) {
  EXPECT_EQ(Parse("[A]\rk=1\n[B]\r\nk=2").GetText(), "[A]\r\nk=1\r\n\r\n[B]\r\nk=2\r\n\r\n");
  EXPECT_EQ(Parse(std::string("[A]\r\nk=1\0\r\nj=2\r\n", 16)).GetText(), "[A]\r\nk=1\r\n\r\n");
}

TEST(IniDocument, WritingReplacesInPlaceOrAppends) {
  TIniDocument ini = Parse("; mine\r\n[Other]\r\na = 1\r\n[settings]\r\nvalues=old\r\nKeep=1\r\n"
                           "[Last]\r\nz=9\r\n");
  ini.WriteString("Settings", "Values", "new");
  ini.WriteString("Settings", "Added", "x");
  ini.WriteString("Fresh", "k", "v");
  EXPECT_EQ(ini.GetText(), "[Other]\r\na=1\r\n\r\n"
                           "[settings]\r\nValues=new\r\nKeep=1\r\nAdded=x\r\n\r\n"
                           "[Last]\r\nz=9\r\n\r\n"
                           "[Fresh]\r\nk=v\r\n\r\n");
  EXPECT_EQ(ini.ReadString("SETTINGS", "values"), "new");
}

TEST(IniDocument, WritingGoesToTheLastOccurrence) {
  TIniDocument ini = Parse("[S]\r\nk=1\r\nk=2\r\n[S]\r\nj=1\r\n");
  ini.WriteString("s", "J", "x");
  ini.WriteString("s", "k", "y");
  EXPECT_EQ(ini.GetText(), "[S]\r\nk=1\r\nk=2\r\n\r\n[S]\r\nJ=x\r\nk=y\r\n\r\n");
}

TEST(IniDocument, AnEmptyDocumentGainsTheSettingsLine) {
  TIniDocument ini;
  ini.WriteString("Settings", "Values", "a,b,");
  EXPECT_EQ(ini.GetText(), "[Settings]\r\nValues=a,b,\r\n\r\n");
  EXPECT_EQ(Parse(ini.GetText()).GetText(), ini.GetText());
}

TEST(IniDocument, SectionNameEndsWithAWholeBracket) {
  REQUIRE_CODE_PAGE(932);
  // 0x83 0x5D is a katakana whose trail byte is "]": the line opens no section.
  const TIniDocument ini = Parse("[S]\r\n[\x83\x5D\r\nk=1\r\n[\x83\x5D]\r\nk=2\r\n");
  EXPECT_EQ(ini.ReadString("S", "k"), "1");
  EXPECT_EQ(ini.ReadString("\x83\x5D", "k"), "2");
  // A lead byte before the blank that trimming takes away would take the
  // bracket as its trail byte once saved: no section either.
  const TIniDocument blank = Parse("[S]\r\n[ \x82 ]\r\n");
  EXPECT_EQ(blank.GetText(), "[S]\r\n[ \x82 ]\r\n\r\n");
  EXPECT_EQ(Parse(blank.GetText()).GetText(), blank.GetText());
}

TEST(IniDocument, SectionNamesMatchByTheLocalesUpperCase) {
  REQUIRE_CODE_PAGE(1252);
  const TIniDocument ini = Parse("[\xE9t\xE9]\r\nk=1\r\n");
  EXPECT_EQ(ini.ReadString("\xC9T\xC9", "K"), "1");
}

TEST(IniDocument, LoadsAFileAndStartsEmptyWithoutOne) {
  TTempFile file("[Settings]\r\nValues=1\r\n", ".ini");
  TIniDocument ini;
  ini.LoadFromFile(file.Path());
  EXPECT_EQ(ini.ReadString("Settings", "Values"), "1");
  ini.LoadFromFile(MissingFilePath());
  EXPECT_EQ(ini.GetText(), "");
}

TEST(IniDocument, SaveReplacesTheFileWhole) {
  TTempFile file("[Other]\r\nx=1\r\n; gone\r\n[Settings]\r\nValues=old,value,with,more,text\r\n",
                 ".ini");
  TIniDocument ini;
  ini.LoadFromFile(file.Path());
  ini.WriteString("Settings", "Values", "new");
  ini.Save(file.Path());
  EXPECT_EQ(sys::ReadFile(file.Path()), "[Other]\r\nx=1\r\n\r\n[Settings]\r\nValues=new\r\n\r\n");
}
