#include "questionfile.h"

#include <cstring>

#include "util/platform.h"
#include "util/textutil.h"

namespace {

constexpr char kTab = '\t';

bool IsCsvBlank(unsigned char c) { return c == ' ' || (c >= 0x09 && c <= 0x0D); }

// Splits a line into views of its fields. Unquoted fields and quoted fields
// without a doubled quote are views into the line; the others are copied into
// scratch, which is sized to the line once, so it never moves while in use.
class TCsvSplitter {
public:
  void Split(std::string_view line, char separator, char quote) {
    Fields.clear();
    Scratch.resize(line.size());
    char* out = Scratch.data();
    const char* p = line.data();
    const char* const end = p + line.size();
    for (;;) {
      while (p < end && IsCsvBlank(static_cast<unsigned char>(*p)) && *p != quote &&
             *p != separator)
        ++p;
      if (p < end && *p == quote) {
        p = ReadQuoted(p + 1, end, quote, out);
      } else {
        const char* start = p;
        while (p < end && *p != separator) p = sys::NextChar(p, end);
        Fields.push_back(TrimView(std::string_view(start, static_cast<size_t>(p - start))));
      }
      // Whatever stands between a closing quote and the separator is dropped.
      while (p < end && *p != separator) p = sys::NextChar(p, end);
      if (p >= end) return;
      ++p;
    }
  }

  std::vector<std::string_view> Fields;

private:
  const char* ReadQuoted(const char* p, const char* end, char quote, char*& out) {
    const char* start = p;
    for (;;) {
      // The common case: no doubled quote, so the field is a view of the line.
      while (p < end && *p != quote) p = sys::NextChar(p, end);
      if (p + 1 < end && p[1] == quote) break; // a doubled quote: copy from here on
      Fields.emplace_back(start, static_cast<size_t>(p - start));
      return p;
    }
    char* const fieldStart = out;
    std::memcpy(out, start, static_cast<size_t>(p - start));
    out += p - start;
    while (p < end) {
      if (*p == quote) {
        if (p + 1 < end && p[1] == quote) {
          *out++ = quote;
          p += 2;
          continue;
        }
        break;
      }
      const char* next = sys::NextChar(p, end);
      while (p < next) *out++ = *p++;
    }
    Fields.emplace_back(fieldStart, static_cast<size_t>(out - fieldStart));
    return p;
  }

  std::string Scratch;
};

// A close upper bound of the line count for the usual files, found with the
// fastest scan there is, so the line list is allocated once.
size_t CountLineFeeds(std::string_view text) {
  size_t count = 0;
  const char* p = text.data();
  const char* const end = p + text.size();
  while (const void* hit = std::memchr(p, '\n', static_cast<size_t>(end - p))) {
    ++count;
    p = static_cast<const char*>(hit) + 1;
  }
  return count;
}

} // namespace

TLines SplitLines(std::string_view text) {
  // A NUL ends the text.
  if (const void* nul = std::memchr(text.data(), '\0', text.size()))
    text = text.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - text.data()));
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  TLines lines;
  lines.reserve(CountLineFeeds(text) + 1);
  // The next CR and the next LF are each searched for once per occurrence, so
  // a file that uses only one kind of line end is still read in one pass.
  auto find = [end](const char* from, char c) {
    const void* hit = std::memchr(from, c, static_cast<size_t>(end - from));
    return hit ? static_cast<const char*>(hit) : end;
  };
  const char* nextCr = find(begin, '\r');
  const char* nextLf = find(begin, '\n');
  const char* p = begin;
  while (p < end) {
    if (nextCr < p) nextCr = find(p, '\r');
    if (nextLf < p) nextLf = find(p, '\n');
    const char* lineEnd = nextCr < nextLf ? nextCr : nextLf;
    lines.emplace_back(p, static_cast<size_t>(lineEnd - p));
    p = lineEnd;
    if (p < end && *p == '\r') ++p;
    if (p < end && *p == '\n') ++p;
  }
  return lines;
}

void SplitCsvLine(std::string_view line, std::vector<std::string>& fields, char separator,
                  char quote) {
  TCsvSplitter splitter;
  splitter.Split(line, separator, quote);
  fields.assign(splitter.Fields.begin(), splitter.Fields.end());
}

void ReadCsvLines(TExamItems& items, const TLines& lines) {
  items.Reserve(items.Count() + static_cast<int>(lines.size()));
  TCsvSplitter splitter;
  for (const std::string_view line : lines) {
    splitter.Split(line, ',', '"');
    TExamItem& item = items.Add();
    const auto& fields = splitter.Fields;
    item.Question.assign(TrimView(fields[0]));
    item.Answers.reserve(fields.size() - 1);
    for (size_t k = 1; k < fields.size(); ++k) item.Answers.emplace_back(TrimView(fields[k]));
  }
}

int CountAnswerLines(const TLines& lines, int start) {
  int count = 0;
  for (size_t i = static_cast<size_t>(start); i < lines.size(); ++i, ++count)
    if (lines[i].empty() || lines[i][0] != kTab) break;
  return count == 0 ? 1 : count;
}

void ReadTextLines(TExamItems& items, const TLines& lines) {
  const int lineCount = static_cast<int>(lines.size());
  int index = 0;
  while (index < lineCount) {
    TExamItem& item = items.Add();
    item.Question.assign(TrimView(lines[static_cast<size_t>(index)]));
    ++index;
    if (index >= lineCount) break;
    const int answers = CountAnswerLines(lines, index);
    item.Answers.reserve(static_cast<size_t>(answers));
    for (int k = 0; k < answers && index < lineCount; ++k, ++index)
      item.Answers.emplace_back(TrimView(lines[static_cast<size_t>(index)]));
  }
}

bool TExamItems::LoadFromFile(const std::string& fileName, int format) {
  TExamItems loaded;
  {
    const std::string text = sys::ReadFile(fileName);
    const TLines lines = SplitLines(text);
    if (format == qffCsv)
      ReadCsvLines(loaded, lines);
    else if (format == qffText)
      ReadTextLines(loaded, lines);
  }
  RemoveEmpty(loaded);
  if (loaded.Count() == 0) return false;
  // The loaded set is thrown away anyway, so taking its items over is the
  // same as copying them.
  Swap(loaded);
  return true;
}
