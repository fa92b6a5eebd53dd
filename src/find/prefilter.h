// Quick tests that rule places out before the locale's comparison is asked.
// Each lets through every place the comparison could call equal to the find
// text, and as few others as it can; the search compares at those alone.
// NextDown and NextUp look at every byte offset, character start or not: the
// search keeps to the character starts among the places they give.
#pragma once

#include <array>
#include <vector>

#include "util/platform.h"

namespace sys {
class TUtf8Weights;
}

// For a comparison with a byte map (sys::ComparisonByteMap): the find text is
// looked for with every byte put through the map. Sixteen places at a time are
// tested on their first and last byte, which may each be one of a few raw
// bytes.
class TPrefilter {
public:
  TPrefilter(const std::array<unsigned char, 256>& map, const char* findText, int findLength);

  // The first place from from to last that may match; -1 if none.
  int NextDown(const char* text, int from, int last) const;
  // The last place at or before from that may match; -1 if none.
  int NextUp(const char* text, int from) const;

private:
  static constexpr int kMaxVariants = 4;
  using TVariants = std::array<unsigned char, kMaxVariants>;

  static void AddVariant(TVariants& variants, int& count, int byte);
  bool Blocks() const { return FirstCount <= kMaxVariants && LastCount <= kMaxVariants; }
  unsigned BlockMask(const unsigned char* p) const;
  bool Agrees(const unsigned char* p) const;

  const std::array<unsigned char, 256>& Map;
  int Length;
  std::vector<unsigned char> Mapped;
  bool Identity;
  std::array<bool, 256> BeginsFind, EndsFind;
  // The raw bytes that map to the find text's first and last mapped byte.
  TVariants FirstVariants{}, LastVariants{};
  int FirstCount = 0, LastCount = 0;
};

// For the system's linguistic comparison, which calls texts of different bytes
// equal: those texts still have the same primary weights, character after
// character (sys::ComparisonWeights). A place is let through when the weights
// of its characters, one after another, can be the find text's, or when it
// holds a character whose weights are not known. Before that, the first and
// the last byte of each place are looked up in sets of the bytes a match could
// begin and end with, sixteen places at a time where the processor can.
class TWeightFilter {
public:
  TWeightFilter(const sys::TComparisonWeights& weights, const char* findText, int findLength);

  int NextDown(const char* text, int from, int last) const;
  int NextUp(const char* text, int from) const;

private:
  bool Begins(const sys::TCharWeights& c) const;
  bool Ends(const sys::TCharWeights& c) const;
  bool Agrees(const unsigned char* p) const;
  bool Bounds(const unsigned char* p) const { return First[p[0]] && Last[p[Length - 1]]; }

  const sys::TComparisonWeights& Weights;
  int Length;
  // The find text's weights up to its first character of unknown weights;
  // Known when there is none.
  std::vector<unsigned char> FindWeights;
  bool Known;
  std::array<bool, 256> First, Last;
  // First and Last as tables for the vector test: for each low half-byte, a
  // bit for each high half-byte 0 to 7, then for 8 to 15.
  alignas(16) std::array<unsigned char, 64> SetTables{};
};

// For the system's comparison in UTF-8, whose characters are learnt as the
// search meets them (sys::TUtf8Weights). Before the places of a stretch of the
// text are judged, every character of the stretch, and of the texts compared
// at its places, is learnt and weighed with its neighbours; a place is then let
// through when the weights of its characters, one after another, can be the
// find text's over either length that is compared there (see FindInText), or
// when it holds a character of unknown weights. Before that, the first byte of
// each place is looked up in the set of bytes that begin a character of the
// stretch with which a match could begin, sixteen places at a time where the
// processor can. Places inside a well-formed sequence are passed over: a scan
// that starts inside one compares the rest of it itself.
class TUtf8Filter {
public:
  // findChars: the number of characters of the find text when a text of that
  // many characters is compared too, else 0.
  TUtf8Filter(sys::TUtf8Weights& weights, const char* text, int length, const char* findText,
              int findLength, int findChars);

  int NextDown(const char* text, int from, int last);
  int NextUp(const char* text, int from);

private:
  // The places judged between two learnings of the text.
  static constexpr int kStretch = 1 << 12;

  void Prepare(int from, int to);
  void UpdateSets();
  int ScanDown(int h, int to);
  int ScanUp(int h, int to);
  bool InsideSequence(const unsigned char* p) const;
  bool Agrees(const unsigned char* p);

  sys::TUtf8Weights& Weights;
  const unsigned char* Text;
  const unsigned char* End;
  int FindLength, FindChars;
  // How far past its place a compared text may reach.
  int Reach;
  std::vector<unsigned char> FindWeights;
  bool Known;
  // The places from ReadyFrom to ReadyTo may be judged: their texts are
  // learnt, and Invalid tells whether they hold invalid bytes.
  int ReadyFrom = 0, ReadyTo = -1;
  bool Invalid = false;
  // The bytes that may begin a place: without invalid bytes about, a byte that
  // continues a sequence never does. As tables for the vector test (see
  // TWeightFilter::SetTables), without invalid bytes, then with.
  std::array<bool, 256> First{}, FirstWithInvalid{};
  alignas(16) std::array<unsigned char, 64> SetTables{};
  // What of the learnt weights the sets have taken in.
  unsigned SeenChanges = 0;
  size_t SeenLearnt = 0;
};
