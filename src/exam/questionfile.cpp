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
  TCsvSplitter() : Lead(sys::LeadBytes()), Utf8(sys::IsUtf8()) {
    for (bool lead : Lead) SingleByte = SingleByte && !lead;
  }

  // With keepEmpty false, empty fields after the first are not kept.
  void Split(std::string_view line, char separator, char quote, bool keepEmpty = true) {
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
        p = Find(p, end, separator);
        Fields.push_back(TrimView(std::string_view(start, static_cast<size_t>(p - start))));
      }
      if (!keepEmpty && Fields.size() > 1 && TrimView(Fields.back()).empty()) Fields.pop_back();
      // Whatever stands between a closing quote and the separator is dropped.
      p = Find(p, end, separator);
      if (p >= end) return;
      ++p;
    }
  }

  std::vector<std::string_view> Fields;

private:
  // The first character from p on that is the byte c, or end. Trail bytes are
  // stepped over with their lead bytes; a single-byte code page has none, and
  // no byte of a UTF-8 sequence is ASCII, so there the plain byte search serves.
  const char* Find(const char* p, const char* end, char c) const {
    if (p >= end) return end;
    if (SingleByte && (!Utf8 || static_cast<unsigned char>(c) < 0x80)) {
      const void* hit = std::memchr(p, c, static_cast<size_t>(end - p));
      return hit ? static_cast<const char*>(hit) : end;
    }
    while (p < end && *p != c) p = Next(p, end);
    return p;
  }

  const char* Next(const char* p, const char* end) const {
    if (Utf8) return sys::NextChar(p, end);
    return (Lead[static_cast<unsigned char>(*p)] && p + 1 < end) ? p + 2 : p + 1;
  }

  const char* ReadQuoted(const char* p, const char* end, char quote, char*& out) {
    const char* start = p;
    // The common case: no doubled quote, so the field is a view of the line.
    p = Find(p, end, quote);
    if (end - p < 2 || p[1] != quote) {
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
      const char* next = Next(p, end);
      while (p < next) *out++ = *p++;
    }
    Fields.emplace_back(fieldStart, static_cast<size_t>(out - fieldStart));
    return p;
  }

  const std::array<bool, 256>& Lead;
  bool Utf8;
  bool SingleByte = true;
  std::string Scratch;
};

// Cuts lines out of a text, whole in memory or read from a file in blocks. A
// line stays valid until the next call of Next.
class TLineSource {
public:
  explicit TLineSource(std::string_view text) : Data(text.data()), Size(text.size()), Ended(true) {
    // A NUL ends the text.
    if (const void* nul = Size > 0 ? std::memchr(Data, '\0', Size) : nullptr)
      Size = static_cast<size_t>(static_cast<const char*>(nul) - Data);
  }

  // A file read in blocks of the given size; a smaller file in one read.
  TLineSource(sys::TFileReader& file, size_t block) : File(&file) {
    const unsigned long long hint = file.SizeHint();
    if (block == 0) block = 1;
    Buffer.resize(hint < block ? static_cast<size_t>(hint) + 1 : block);
    Data = Buffer.data();
  }

  bool Next(std::string_view& line) {
    for (;;) {
      if (Pos >= Size) {
        if (!ReadMore()) return false;
        continue;
      }
      // The next CR and the next LF are each searched for once, not once per
      // line, so a file that uses only one of them is still read in one pass.
      if (NextCr == kUnknown || NextCr < Pos) NextCr = Find(Pos, '\r');
      if (NextLf == kUnknown || NextLf < Pos) NextLf = Find(Pos, '\n');
      const size_t end = NextCr < NextLf ? NextCr : NextLf;
      // A line running to the end of what was read, or a CR that may have its
      // LF in the next block, needs more of the file first.
      const bool open = end == Size || (end + 1 == Size && Data[end] == '\r');
      if (open && !Ended) {
        ReadMore(); // moves the rest of the text: everything is found anew
        continue;
      }
      line = std::string_view(Data + Pos, end - Pos);
      Pos = end;
      if (Pos < Size && Data[Pos] == '\r') ++Pos;
      if (Pos < Size && Data[Pos] == '\n') ++Pos;
      return true;
    }
  }

private:
  static constexpr size_t kUnknown = static_cast<size_t>(-1);

  size_t Find(size_t from, char c) const {
    if (from >= Size) return Size;
    const void* hit = std::memchr(Data + from, c, Size - from);
    return hit ? static_cast<size_t>(static_cast<const char*>(hit) - Data) : Size;
  }

  // Reads the next block behind the unread rest; false when nothing more came.
  bool ReadMore() {
    if (Ended) return false;
    // The unread rest moves to the front; a line longer than the buffer grows it.
    std::memmove(Buffer.data(), Buffer.data() + Pos, Size - Pos);
    Size -= Pos;
    Pos = 0;
    if (Size == Buffer.size()) Buffer.resize(Buffer.size() * 2);
    Data = Buffer.data();
    NextCr = NextLf = kUnknown;
    size_t got = File->Read(Buffer.data() + Size, Buffer.size() - Size);
    if (got == 0) {
      Ended = true;
      return false;
    }
    // A NUL ends the text: nothing after it is read.
    if (const void* nul = std::memchr(Data + Size, '\0', got)) {
      got = static_cast<size_t>(static_cast<const char*>(nul) - (Data + Size));
      Ended = true;
    }
    Size += got;
    return got > 0;
  }

  sys::TFileReader* File = nullptr;
  std::string Buffer;
  const char* Data = nullptr;
  size_t Size = 0;
  size_t Pos = 0;
  size_t NextCr = kUnknown, NextLf = kUnknown;
  bool Ended = false;
};

// A list of lines served one by one, like a file.
class TLineListSource {
public:
  explicit TLineListSource(const TLines& lines) : Lines(lines) {}
  bool Next(std::string_view& line) {
    if (Index >= Lines.size()) return false;
    line = Lines[Index++];
    return true;
  }

private:
  const TLines& Lines;
  size_t Index = 0;
};

bool BeginsWithTab(std::string_view line) { return !line.empty() && line[0] == kTab; }

// What a reader keeps. Listing lines keeps every item and answer a line
// gives; loading keeps only what the cleaning afterwards would leave, dropping
// the rest as soon as it is read, so that a file of blank lines or empty fields
// costs no more memory than one of usable items.
enum class TKeep { Everything, Usable };

void AddAnswer(TExamItem& item, std::string_view field, TKeep keep) {
  const std::string_view answer = TrimView(field);
  if (keep == TKeep::Usable && answer.empty()) return;
  item.Answers.emplace_back(answer);
}

void FinishItem(TExamItems& items, TKeep keep) {
  const int last = items.Count() - 1;
  const TExamItem& item = items.Get(last);
  if (keep == TKeep::Usable && (item.Question.empty() || item.Answers.empty())) items.Delete(last);
}

template <typename TSource> void ReadCsvFrom(TExamItems& items, TSource& source, TKeep keep) {
  TCsvSplitter splitter;
  std::string_view line;
  while (source.Next(line)) {
    splitter.Split(line, ',', '"', keep == TKeep::Everything);
    const auto& fields = splitter.Fields;
    TExamItem& item = items.Add();
    item.Question.assign(TrimView(fields[0]));
    // When loading, the splitter has already left out the empty answers.
    if (keep == TKeep::Everything || !item.Question.empty()) {
      item.Answers.reserve(fields.size() - 1);
      for (size_t k = 1; k < fields.size(); ++k) item.Answers.emplace_back(TrimView(fields[k]));
    }
    FinishItem(items, keep);
  }
}

// A question line; then every following line that begins with a TAB, or else
// the single next line, as its answers; then the next question line.
template <typename TSource> void ReadTextFrom(TExamItems& items, TSource& source, TKeep keep) {
  std::string_view line;
  bool more = source.Next(line);
  while (more) {
    TExamItem& item = items.Add();
    item.Question.assign(TrimView(line));
    if (!source.Next(line)) {
      FinishItem(items, keep);
      break;
    }
    if (!BeginsWithTab(line)) {
      AddAnswer(item, line, keep);
      more = source.Next(line);
    } else {
      do {
        AddAnswer(item, line, keep);
        more = source.Next(line);
      } while (more && BeginsWithTab(line));
    }
    FinishItem(items, keep);
  }
}

} // namespace

TLines SplitLines(std::string_view text) {
  TLines lines;
  TLineSource source(text);
  std::string_view line;
  while (source.Next(line)) lines.push_back(line);
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
  TLineListSource source(lines);
  ReadCsvFrom(items, source, TKeep::Everything);
}

int CountAnswerLines(const TLines& lines, int start) {
  int count = 0;
  for (size_t i = static_cast<size_t>(start); i < lines.size() && BeginsWithTab(lines[i]); ++i)
    ++count;
  return count == 0 ? 1 : count;
}

void ReadTextLines(TExamItems& items, const TLines& lines) {
  TLineListSource source(lines);
  ReadTextFrom(items, source, TKeep::Everything);
}

bool TExamItems::LoadFromFile(const std::string& fileName, int format) {
  constexpr size_t kReadBlock = 1 << 20;
  return LoadQuestionFile(*this, fileName, format, kReadBlock);
}

bool LoadQuestionFile(TExamItems& items, const std::string& fileName, int format,
                      size_t blockSize) {
  TExamItems loaded;
  {
    // The file is cut into lines as it is read, so only one block of it is in
    // memory at a time.
    sys::TFileReader file(fileName);
    TLineSource source(file, blockSize);
    if (format == qffCsv)
      ReadCsvFrom(loaded, source, TKeep::Usable);
    else if (format == qffText)
      ReadTextFrom(loaded, source, TKeep::Usable);
  }
  TExamItems::RemoveEmpty(loaded);
  if (loaded.Count() == 0) return false;
  // The loaded set is thrown away anyway, so taking its items over is the
  // same as copying them.
  items.Swap(loaded);
  return true;
}
