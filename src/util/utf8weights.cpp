#include "utf8weights.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace sys {
namespace {

std::string_view PrimaryOf(const TCharWeights& weights) {
  return {reinterpret_cast<const char*>(weights.Bytes.data()), weights.Length};
}

bool IsAscii(unsigned char byte) { return byte < 0x80; }

// The first byte at or after p that is not ASCII, or end; sixteen or eight at
// a time.
const unsigned char* SkipAscii(const unsigned char* p, const unsigned char* end) {
#ifdef __SSE2__
  for (; end - p >= 16; p += 16) {
    const int high = _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
    if (high != 0) return p + __builtin_ctz(static_cast<unsigned>(high));
  }
#endif
  for (; end - p >= 8; p += 8) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    if ((word & 0x8080808080808080ull) != 0) break;
  }
  while (p < end && IsAscii(*p)) ++p;
  return p;
}

} // namespace

TUtf8Weights::TUtf8Weights(bool ignoreCase) : IgnoreCase(ignoreCase), Blocks(0x110000 >> 8) {
  for (int b = 0; b < 256; ++b) {
    Bytes[b].Weights = CharWeights(TextOf(kByte + b), ignoreCase);
    Bytes[b].Learnt = true;
  }
  WeighAscii();
}

TUtf8Weights::TKey TUtf8Weights::KeyAt(const unsigned char* p, const unsigned char* end,
                                       int& length) {
  length = IsAscii(*p)
               ? 1
               : Utf8Length(reinterpret_cast<const char*>(p), reinterpret_cast<const char*>(end));
  if (length == 1) return kByte + *p;
  TKey c = *p & (0x7F >> length);
  for (int i = 1; i < length; ++i) c = (c << 6) | (p[i] & 0x3F);
  return c;
}

std::string TUtf8Weights::TextOf(TKey key) {
  if (key >= kByte) return std::string(1, static_cast<char>(key - kByte));
  const auto byte = [](TKey bits) { return static_cast<char>(bits); };
  if (key < 0x800) return {byte(0xC0 | key >> 6), byte(0x80 | (key & 0x3F))};
  if (key < 0x10000)
    return {byte(0xE0 | key >> 12), byte(0x80 | (key >> 6 & 0x3F)), byte(0x80 | (key & 0x3F))};
  return {byte(0xF0 | key >> 18), byte(0x80 | (key >> 12 & 0x3F)), byte(0x80 | (key >> 6 & 0x3F)),
          byte(0x80 | (key & 0x3F))};
}

void TUtf8Weights::Learn(TEntry& entry, TKey key) {
  const std::string text = TextOf(key);
  entry.Weights = CharWeights(text, IgnoreCase);
  // A character without weights must be passed over, not end the comparison:
  // were the rest of a text after it left out, no weights would describe it.
  if (!entry.Weights.Unknown && entry.Weights.Length == 0 &&
      SameText("a" + text + "a", "a" + text + "b", IgnoreCase))
    entry.Weights.Unknown = true;
  entry.Learnt = true;
  LearntChars.push_back(key);
}

// The pairs of ASCII characters, all of them at once: each character is
// weighed between every other one, and only where that whole sequence weighs
// otherwise than its characters are its pairs weighed one by one.
void TUtf8Weights::WeighAscii() {
  for (int a = 0; a < 0x80; ++a) {
    if (Bytes[a].Weights.Unknown) continue;
    std::string sequence, expected;
    for (int b = 0; b < 0x80; ++b) {
      if (Bytes[b].Weights.Unknown) continue;
      sequence += {static_cast<char>(a), static_cast<char>(b)};
      expected +=
          std::string(PrimaryOf(Bytes[a].Weights)) + std::string(PrimaryOf(Bytes[b].Weights));
    }
    sequence += static_cast<char>(a);
    expected += PrimaryOf(Bytes[a].Weights);
    if (PrimaryWeights(sequence, IgnoreCase) == expected) continue;
    for (int b = 0; b < 0x80 && !Bytes[a].Weights.Unknown; ++b) {
      const char first = static_cast<char>(a), second = static_cast<char>(b);
      if (!Bytes[b].Weights.Unknown) WeighPair(Bytes[a], Bytes[b], {first, second});
      if (!Bytes[b].Weights.Unknown) WeighPair(Bytes[b], Bytes[a], {second, first});
    }
  }
}

bool TUtf8Weights::LearnText(const unsigned char* text, const unsigned char* end,
                             const unsigned char* from, const unsigned char* to) {
  const auto* chars = reinterpret_cast<const char*>(text);
  // From the neighbour before the character that holds from.
  const auto* p = reinterpret_cast<const unsigned char*>(
      PrevChar(chars, PrevChar(chars, reinterpret_cast<const char*>(from) + 1)));
  bool invalid = false;
  TKey before = kNone;
  while (p < end) {
    // The neighbour after the last character: weighed, then the end.
    const bool after = p >= to;
    if (IsAscii(*p)) {
      if (before != kNone) Weigh(before, kByte + *p);
      if (after) break;
      // Pairs of ASCII characters are all weighed already.
      p = SkipAscii(p + 1, to < end ? to : end);
      before = kByte + p[-1];
      continue;
    }
    int length = 1;
    const TKey key = KeyAt(p, end, length);
    invalid = invalid || length == 1;
    Entry(key);
    if (before != kNone) Weigh(before, key);
    if (after) break;
    before = key;
    p += length;
  }
  return invalid;
}

void TUtf8Weights::Weigh(TKey first, TKey second) {
  if (first >= kByte && second >= kByte && IsAscii(static_cast<unsigned char>(first - kByte)) &&
      IsAscii(static_cast<unsigned char>(second - kByte)))
    return;
  TEntry& a = Entry(first);
  TEntry& b = Entry(second);
  if (a.After == second || b.Before == first) return;
  a.After = second;
  b.Before = first;
  // A character already Unknown makes every text that holds it compared.
  if (a.Weights.Unknown || b.Weights.Unknown) return;
  if (!AddPair(std::uint64_t{first} << 32 | second)) return;
  WeighPair(a, b, TextOf(first) + TextOf(second));
}

// True when the pair was not in the table yet.
bool TUtf8Weights::AddPair(std::uint64_t pair) {
  if (2 * (PairCount + 1) > Pairs.size()) {
    std::vector<std::uint64_t> old(std::max<size_t>(1024, 2 * Pairs.size()), 0);
    old.swap(Pairs);
    PairCount = 0;
    for (const std::uint64_t kept : old)
      if (kept != 0) AddPair(kept);
  }
  const size_t mask = Pairs.size() - 1;
  for (size_t slot = (pair * 0x9E3779B97F4A7C15ull) >> 40 & mask;; slot = (slot + 1) & mask) {
    if (Pairs[slot] == pair) return false;
    if (Pairs[slot] == 0) {
      Pairs[slot] = pair;
      ++PairCount;
      return true;
    }
  }
}

// Where the pair weighs otherwise than its two characters, either of them may
// be made Unknown: a text that holds both meets the first one first, and a
// text that holds the second alone starts with it, where nothing before it
// counts. When the pair still begins with the first one's weights, the second
// one's depend on what stands before it (a kana repeat mark), and it is made
// Unknown; otherwise the two make a contraction, weighed as one, or the first
// one has no weights of its own (an invalid byte that Windows reads together
// with the byte after it), and the first one is.
void TUtf8Weights::WeighPair(TEntry& first, TEntry& second, const std::string& text) {
  const std::string_view a = PrimaryOf(first.Weights), b = PrimaryOf(second.Weights);
  const std::string pair = PrimaryWeights(text, IgnoreCase);
  if (pair.size() == a.size() + b.size() && pair.compare(0, a.size(), a) == 0 &&
      pair.compare(a.size(), b.size(), b) == 0)
    return;
  if (!a.empty() && pair.compare(0, a.size(), a) == 0) {
    second.Weights.Unknown = true;
  } else {
    first.Weights.Unknown = true;
    second.Weights.EndsContraction = true;
  }
  ++ChangeCount;
}

} // namespace sys
