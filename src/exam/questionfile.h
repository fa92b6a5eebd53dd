// The two question file formats: comma-separated (one item a line) and
// tab-indented text (a question line, then its answer lines).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "examitems.h"

// Lines are views into the text they were cut from.
using TLines = std::vector<std::string_view>;

// Cuts a text into lines: a line ends at CR, LF or NUL; after it one CR and
// then one LF are skipped; a NUL ends the whole text; a final line break adds
// no empty line.
TLines SplitLines(std::string_view text);

// Splits one line into fields, stepping by whole characters so that a trail
// byte is never taken for the separator, the quote or a blank.
void SplitCsvLine(std::string_view line, std::vector<std::string>& fields, char separator,
                  char quote);

// One item a line: the first field is the question, the others its answers.
void ReadCsvLines(TExamItems& items, const TLines& lines);

// A question line, then its answers: every following line that begins with a
// TAB, or else the single next line.
void ReadTextLines(TExamItems& items, const TLines& lines);

// The number of lines from start on that begin with a TAB; 1 when none does.
int CountAnswerLines(const TLines& lines, int start);

// TExamItems::LoadFromFile with the file read in blocks of blockSize bytes
// (LoadFromFile reads 1 MiB at a time), so that a test can put the ends of
// the blocks anywhere in a file.
bool LoadQuestionFile(TExamItems& items, const std::string& fileName, int format, size_t blockSize);
