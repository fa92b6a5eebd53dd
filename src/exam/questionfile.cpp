#include "questionfile.h"

#include <bit>
#include <cstring>
#include <memory>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "util/platform.h"
#include "util/textutil.h"

namespace {

constexpr char kTab = '\t';

// Searches of lines and fields look at sixteen bytes at a time where the
// processor can, inline: the spans are short, and a call of memchr costs more
// than the search itself. The last bytes of a text are looked at as its last
// sixteen, with those before the search's start left out.
#ifdef __SSE2__
unsigned MatchMask(const char* p, char c) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c))));
}
#endif

// The position of the first byte of text from from on that matches (one of
// MatchMask's masks), or the text's size.
template <typename TMatch, typename TIsMatch>
size_t FindIn(std::string_view text, size_t from, TMatch match, TIsMatch isMatch) {
#ifdef __SSE2__
  if (text.size() >= 16) {
    for (; from + 16 <= text.size(); from += 16)
      if (const unsigned mask = match(text.data() + from)) return from + std::countr_zero(mask);
    const size_t last = text.size() - 16;
    const unsigned mask = from < text.size() ? match(text.data() + last) >> (from - last) : 0;
    return mask != 0 ? from + std::countr_zero(mask) : text.size();
  }
#endif
  while (from < text.size() && !isMatch(text[from])) ++from;
  return from;
}

size_t FindByte(std::string_view text, size_t from, char c) {
#ifdef __SSE2__
  const auto match = [c](const char* p) { return MatchMask(p, c); };
#else
  const auto match = [](const char*) { return 0u; };
#endif
  return FindIn(text, from, match, [c](char b) { return b == c; });
}

// The first CR or LF.
size_t FindLineBreak(std::string_view text, size_t from) {
#ifdef __SSE2__
  const auto match = [](const char* p) { return MatchMask(p, '\r') | MatchMask(p, '\n'); };
#else
  const auto match = [](const char*) { return 0u; };
#endif
  return FindIn(text, from, match, [](char b) { return b == '\r' || b == '\n'; });
}

bool IsCsvBlank(unsigned char c) { return c == ' ' || (c >= 0x09 && c <= 0x0D); }

// Splits a line into views of its fields, handing each to a function as it
// is found, untrimmed, with whether it was quoted. Unquoted fields and quoted
// fields without a doubled quote are views into the line; the others are
// copied into scratch, which serves one field at a time.
class TCsvSplitter {
public:
  TCsvSplitter() : Lead(sys::LeadBytes()), Utf8(sys::IsUtf8()) {
    for (bool lead : Lead) SingleByte = SingleByte && !lead;
  }

  template <typename TField>
  void Split(std::string_view line, char separator, char quote, TField field) {
    Line = line;
    const char* p = line.data();
    const char* const end = p + line.size();
    for (;;) {
      while (p < end && IsCsvBlank(static_cast<unsigned char>(*p)) && *p != quote &&
             *p != separator)
        ++p;
      if (p < end && *p == quote) {
        field(ReadQuoted(p, end, quote), true);
        // Whatever stands between the closing quote and the separator is dropped.
        p = Find(p, end, separator);
      } else {
        const char* start = p;
        p = Find(p, end, separator);
        field(std::string_view(start, static_cast<size_t>(p - start)), false);
      }
      if (p >= end) return;
      ++p;
    }
  }

private:
  // The first character from p on that is the byte c, or end. Trail bytes are
  // stepped over with their lead bytes; a single-byte code page has none, and
  // no byte of a UTF-8 sequence is ASCII, so there the plain byte search serves.
  const char* Find(const char* p, const char* end, char c) const {
    if (SingleByte && (!Utf8 || static_cast<unsigned char>(c) < 0x80))
      return Line.data() + FindByte(Line, static_cast<size_t>(p - Line.data()), c);
    while (p < end && *p != c) p = Next(p, end);
    return p;
  }

  const char* Next(const char* p, const char* end) const {
    if (Utf8) return sys::NextChar(p, end);
    return (Lead[static_cast<unsigned char>(*p)] && p + 1 < end) ? p + 2 : p + 1;
  }

  // The quoted field at p, its opening quote; p then stands at the closing
  // quote, or at the end of a line that has none.
  std::string_view ReadQuoted(const char*& p, const char* end, char quote) {
    const char* start = ++p;
    // The common case: no doubled quote, so the field is a view of the line.
    p = Find(p, end, quote);
    if (end - p < 2 || p[1] != quote) return {start, static_cast<size_t>(p - start)};
    Scratch.assign(start, p);
    while (p < end) {
      if (*p == quote) {
        if (p + 1 < end && p[1] == quote) {
          Scratch += quote;
          p += 2;
          continue;
        }
        break;
      }
      const char* next = Next(p, end);
      Scratch.append(p, static_cast<size_t>(next - p));
      p = next;
    }
    return Scratch;
  }

  const std::array<bool, 256>& Lead;
  bool Utf8;
  bool SingleByte = true;
  std::string_view Line; // the line being split
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
      const size_t end = FindLineBreak(std::string_view(Data, Size), Pos);
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
  // Reads the next block behind the unread rest; false when nothing more came.
  bool ReadMore() {
    if (Ended) return false;
    // The unread rest moves to the front; a line longer than the buffer grows it.
    std::memmove(Buffer.data(), Buffer.data() + Pos, Size - Pos);
    Size -= Pos;
    Pos = 0;
    if (Size == Buffer.size()) Buffer.resize(Buffer.size() * 2);
    Data = Buffer.data();
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

// Writes the items a reader gives into a new store.
class TItemBuilder {
public:
  explicit TItemBuilder(TKeep keep) : Keep(keep) {}

  void Begin(std::string_view question) {
    question = TrimView(question);
    Store->BeginItem(question);
    HasQuestion = !question.empty();
    Answers = 0;
  }
  void AddAnswer(std::string_view answer) {
    answer = TrimView(answer);
    if (Keep == TKeep::Usable && (answer.empty() || !HasQuestion)) return;
    Store->AddAnswer(answer);
    ++Answers;
  }
  void End() { Store->EndItem(Keep == TKeep::Everything || (HasQuestion && Answers > 0)); }

  std::shared_ptr<TItemStore> Store = std::make_shared<TItemStore>();

private:
  const TKeep Keep;
  bool HasQuestion = false;
  size_t Answers = 0;
};

template <typename TSource> void ReadCsvFrom(TItemBuilder& items, TSource& source) {
  TCsvSplitter splitter;
  std::string_view line;
  while (source.Next(line)) {
    bool first = true;
    splitter.Split(line, ',', '"', [&](std::string_view field, bool) {
      if (first)
        items.Begin(field);
      else
        items.AddAnswer(field);
      first = false;
    });
    items.End();
  }
}

// A question line; then every following line that begins with a TAB, or else
// the single next line, as its answers; then the next question line.
template <typename TSource> void ReadTextFrom(TItemBuilder& items, TSource& source) {
  std::string_view line;
  bool more = source.Next(line);
  while (more) {
    items.Begin(line);
    if (!source.Next(line)) {
      items.End();
      break;
    }
    if (!BeginsWithTab(line)) {
      items.AddAnswer(line);
      more = source.Next(line);
    } else {
      do {
        items.AddAnswer(line);
        more = source.Next(line);
      } while (more && BeginsWithTab(line));
    }
    items.End();
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
  fields.clear();
  TCsvSplitter splitter;
  // Quoted fields keep their blanks.
  splitter.Split(line, separator, quote, [&](std::string_view field, bool quoted) {
    fields.emplace_back(quoted ? field : TrimView(field));
  });
}

void ReadCsvLines(TExamItems& items, const TLines& lines) {
  TItemBuilder builder(TKeep::Everything);
  TLineListSource source(lines);
  ReadCsvFrom(builder, source);
  items.Append(std::move(builder.Store));
}

int CountAnswerLines(const TLines& lines, int start) {
  int count = 0;
  for (size_t i = static_cast<size_t>(start); i < lines.size() && BeginsWithTab(lines[i]); ++i)
    ++count;
  return count == 0 ? 1 : count;
}

void ReadTextLines(TExamItems& items, const TLines& lines) {
  TItemBuilder builder(TKeep::Everything);
  TLineListSource source(lines);
  ReadTextFrom(builder, source);
  items.Append(std::move(builder.Store));
}

bool TExamItems::LoadFromFile(const std::string& fileName, int format) {
  constexpr size_t kReadBlock = 1 << 20;
  return LoadQuestionFile(*this, fileName, format, kReadBlock);
}

bool LoadQuestionFile(TExamItems& items, const std::string& fileName, int format,
                      size_t blockSize) {
  TItemBuilder builder(TKeep::Usable);
  {
    // The file is cut into lines as it is read, so only one block of it is in
    // memory at a time.
    sys::TFileReader file(fileName);
    TLineSource source(file, blockSize);
    if (format == qffCsv)
      ReadCsvFrom(builder, source);
    else if (format == qffText)
      ReadTextFrom(builder, source);
  }
  // The builder kept only usable items, so there is nothing left to clean.
  if (builder.Store->Count() == 0) return false;
  TExamItems loaded;
  loaded.Append(std::move(builder.Store));
  items.Swap(loaded);
  return true;
}
