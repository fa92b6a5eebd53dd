// The lines the examination and the item listing write into the log pane,
// and the pane's own line rules.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "examitems.h"

// A list of lines that grows at its end: the log pane, or a listing being built.
class TLogLines {
public:
  virtual ~TLogLines() = default;
  virtual bool HoldsLine() const = 0;
  virtual void Add(std::string_view line) = 0;
};

// Appends an empty line when the list already holds one, so that blocks are
// separated by exactly one empty line and the first block has none before it.
void AddBlankLine(TLogLines& lines);

// The block of one miss: missNumber counts the misses of the run from 1; the
// question and answers are as shown and accepted, the entry trimmed.
void AddMissBlock(TLogLines& log, int missNumber, std::string_view question,
                  const std::vector<std::string>& answers, std::string_view entry);

// The block that closes a run; ratio is in percent.
void AddResultsBlock(TLogLines& log, int hits, int misses, int ratio);

// What a screen reader is told in the blocks' own words, their lines read as
// sentences: a miss with the accepted answers ("Miss. Answer 1: cold"), and
// the results ("Results. Hit: 1. Miss: 2. Ratio: 33%").
std::string MissVerdict(const std::vector<std::string>& answers);
std::string ResultsSummary(int hits, int misses, int ratio);

// Every item of a set with its question and answers, under a header naming
// the file; every line ends with CR LF.
std::string MakeItemList(std::string_view fileName, const TExamItems& items);

// The log pane's line rules, as a multi-line edit control holding the text
// shows them. CR LF ends every line the program writes, the last one
// included; the line count leaves out a last line that is empty, so it is
// above zero exactly when the text is not empty.
namespace logpane {

inline constexpr std::string_view kLineBreak = "\r\n";

// True when the text is empty or ends with a line break.
bool LastLineEmpty(std::string_view text);

// What appending a line inserts at the end of the text. When the last line
// holds text (the user typed into the pane) it is ended first, so the new
// line stands on a line of its own.
std::string LineInsertion(std::string_view line, bool lastLineEmpty);

// The count from the control's own figures: its number of lines (1 for an
// empty text) and whether the last of them is empty. A word-wrapping control
// counts the lines it shows, so the figure then answers only whether the pane
// holds a line, which is all the log's callers ask.
inline int LineCount(int controlLines, bool lastLineEmpty) {
  return lastLineEmpty ? controlLines - 1 : controlLines;
}

int LineCount(std::string_view text);

} // namespace logpane

// A pane's text that keeps its line count as lines are appended, so that a
// run appending thousands of blocks stays linear.
class TLogText {
public:
  const std::string& Text() const { return Value; }
  void Replace(std::string text);
  void AppendLine(std::string_view line);
  int LineCount() const;

private:
  std::string Value;
  int Breaks = 0; // the line breaks in Value
};
