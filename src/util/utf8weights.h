// The weights of the locale's comparison for UTF-8 text, learnt character by
// character as a search meets them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform.h"

namespace sys {

// What the comparison makes of the characters of UTF-8 text at its first level
// (see TCharWeights). Its characters are too many to learn at once, and some
// weigh otherwise beside others: a contraction of the locale may join a letter
// and a combining mark after it, a kana repeat mark takes the weights of the
// kana before it. So a character is learnt when a search first meets it, and
// every two characters that stand side by side in a text the search judges
// are weighed together once: where the pair's weights are not the two
// characters' own one after the other, one of the two becomes Unknown, in
// every text from then on.
//
// So the primary weights of a text whose characters have all been learnt and
// weighed with their neighbours, none of them Unknown, are its characters'
// own, one after another. That holds as long as every contraction of three or
// more characters holds a pair that begins with its first character and is a
// contraction itself (the Hungarian "dzs" holds "dz", "ccs" holds "cs"); the
// pair makes that character Unknown.
class TUtf8Weights {
public:
  explicit TUtf8Weights(bool ignoreCase);
  TUtf8Weights(const TUtf8Weights&) = delete;
  TUtf8Weights& operator=(const TUtf8Weights&) = delete;

  // The character at p, in a text that ends by end (p < end): a well-formed
  // UTF-8 sequence, or a byte of its own (ASCII, or an invalid byte, which
  // Windows reads as U+FFFD). Learnt on first use, but not weighed with its
  // neighbours: LearnText does that.
  const TCharWeights& At(const unsigned char* p, const unsigned char* end) {
    int length = 1;
    return Entry(KeyAt(p, end, length)).Weights;
  }
  static const unsigned char* Next(const unsigned char* p, const unsigned char* end) {
    return *p < 0x80 ? p + 1
                     : p + Utf8Length(reinterpret_cast<const char*>(p),
                                      reinterpret_cast<const char*>(end));
  }

  // Learns the characters of the text [text, end) that hold a byte from from
  // to to (from < end), and weighs each one with its neighbours, the one
  // before the first and the one after the last included. True when one of
  // them is a byte that is no character (an invalid byte).
  bool LearnText(const unsigned char* text, const unsigned char* end, const unsigned char* from,
                 const unsigned char* to);

  // How many times a learnt character has become Unknown: what was made of
  // the weights before is stale when this has changed.
  unsigned Changes() const { return ChangeCount; }
  // The characters of two to four bytes learnt so far, by code point, in the
  // order they were learnt, and their weights.
  const std::vector<char32_t>& Learnt() const { return LearntChars; }
  const TCharWeights& OfCodePoint(char32_t c) const { return (*Blocks[c >> 8])[c & 0xFF].Weights; }
  // A byte that is a character of its own: ASCII, or an invalid byte.
  const TCharWeights& OfByte(unsigned char b) const { return Bytes[b].Weights; }

private:
  // A character: its code point, or kByte plus a byte that stands alone.
  using TKey = std::uint32_t;
  static constexpr TKey kByte = 0x110000, kNone = 0xFFFFFFFF;

  struct TEntry {
    TCharWeights Weights;
    bool Learnt = false;
    // The neighbours it was last weighed with, which in a text are mostly the
    // next ones too.
    TKey Before = kNone, After = kNone;
  };
  using TBlock = std::array<TEntry, 256>;

  static TKey KeyAt(const unsigned char* p, const unsigned char* end, int& length);
  static std::string TextOf(TKey key);

  TEntry& Entry(TKey key) {
    if (key >= kByte) return Bytes[key - kByte];
    std::unique_ptr<TBlock>& block = Blocks[key >> 8];
    if (!block) block = std::make_unique<TBlock>();
    TEntry& entry = (*block)[key & 0xFF];
    if (!entry.Learnt) Learn(entry, key);
    return entry;
  }
  void Learn(TEntry& entry, TKey key);
  void Weigh(TKey first, TKey second);
  void WeighPair(TEntry& first, TEntry& second, const std::string& text);
  void WeighAscii();

  bool IgnoreCase;
  std::array<TEntry, 256> Bytes;
  std::vector<std::unique_ptr<TBlock>> Blocks;
  std::vector<char32_t> LearntChars;
  // The pairs weighed, first << 32 | second, in a table of open addressing
  // whose size is a power of two, 0 for a free slot (no pair is 0): a search
  // looks one up for nearly every character of the text other than ASCII.
  std::vector<std::uint64_t> Pairs;
  size_t PairCount = 0;
  bool AddPair(std::uint64_t pair);
  unsigned ChangeCount = 0;
};

// The weights of CompareText in UTF-8 for the user's locale and one case mode,
// learnt anew when the locale changes. Null in the other code pages; the
// portable layer, whose byte map serves its search, offers them only when a
// test asks it to.
TUtf8Weights* Utf8Weights(bool ignoreCase);

#ifndef _WIN32
void UsePortableUtf8Weights(bool use);
#endif

} // namespace sys
