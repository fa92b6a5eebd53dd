#include "prefilter.h"

#include <algorithm>
#include <cstring>

#include "util/utf8weights.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__SSE2__) && (defined(__x86_64__) || defined(__i386__))
#include <tmmintrin.h>
#define TESMO_BYTE_SETS 1
#endif

namespace {

// memcmp that takes no pointer for zero bytes.
bool SameBytes(const unsigned char* a, const unsigned char* b, size_t n) {
  return n == 0 || std::memcmp(a, b, n) == 0;
}

#ifdef TESMO_BYTE_SETS
// Testing sixteen bytes against a set of 256 takes SSSE3's byte shuffle, which
// every x86 processor of the last fifteen years has; the others go byte by
// byte.
bool HasByteShuffle() {
  static const bool has = __builtin_cpu_supports("ssse3");
  return has;
}

// The bytes of v that are in the set given by its two tables (see
// TWeightFilter::SetTables) become 0xFF, the others 0.
__attribute__((target("ssse3"))) inline __m128i InSet(__m128i v, const unsigned char* tables) {
  const __m128i nibble = _mm_set1_epi8(0x0F);
  const __m128i low = _mm_and_si128(v, nibble);
  const __m128i high = _mm_and_si128(_mm_srli_epi16(v, 4), nibble);
  const __m128i bitOfHigh =
      _mm_setr_epi8(1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4, 8, 16, 32, 64, -128);
  const __m128i bit = _mm_shuffle_epi8(bitOfHigh, high);
  const __m128i below =
      _mm_shuffle_epi8(_mm_load_si128(reinterpret_cast<const __m128i*>(tables)), low);
  const __m128i above =
      _mm_shuffle_epi8(_mm_load_si128(reinterpret_cast<const __m128i*>(tables + 16)), low);
  const __m128i upper = _mm_cmpgt_epi8(high, _mm_set1_epi8(7));
  const __m128i row = _mm_or_si128(_mm_and_si128(upper, above), _mm_andnot_si128(upper, below));
  return _mm_cmpeq_epi8(_mm_and_si128(row, bit), bit);
}

// Bit k set when the place p + k begins with a byte of the first set and ends
// with one of the second.
__attribute__((target("ssse3"))) inline unsigned BoundsMask(const unsigned char* p, int length,
                                                            const unsigned char* tables) {
  const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i last = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + length - 1));
  return static_cast<unsigned>(
      _mm_movemask_epi8(_mm_and_si128(InSet(first, tables), InSet(last, tables + 32))));
}

// From the block of sixteen places at h, then every sixteen places on while
// the block starts at or before stop: the first block with a place whose
// bounds may match, with its mask. Past stop when there is none.
__attribute__((target("ssse3"))) int NextBlockDown(const unsigned char* bytes, int h, int stop,
                                                   int length, const unsigned char* tables,
                                                   unsigned& mask) {
  for (; h <= stop; h += 16)
    if ((mask = BoundsMask(bytes + h, length, tables)) != 0) break;
  return h;
}

// The same backwards, for the blocks that end at h, h - 16, ... and start at
// or after 0: below 15 when there is none.
__attribute__((target("ssse3"))) int NextBlockUp(const unsigned char* bytes, int h, int length,
                                                 const unsigned char* tables, unsigned& mask) {
  for (; h >= 15; h -= 16)
    if ((mask = BoundsMask(bytes + h - 15, length, tables)) != 0) break;
  return h;
}

// Bit k set when the byte at p + k is in the set.
__attribute__((target("ssse3"))) inline unsigned SetMask(const unsigned char* p,
                                                         const unsigned char* tables) {
  return static_cast<unsigned>(
      _mm_movemask_epi8(InSet(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), tables)));
}

// From the sixteen bytes at h, then every sixteen on while they start at or
// before stop: the first sixteen that hold a byte of the set, with its mask.
// Past stop when there are none.
__attribute__((target("ssse3"))) int NextInSetDown(const unsigned char* bytes, int h, int stop,
                                                   const unsigned char* tables, unsigned& mask) {
  for (; h <= stop; h += 16)
    if ((mask = SetMask(bytes + h, tables)) != 0) break;
  return h;
}

// The same backwards, for the sixteen bytes that end at h, h - 16, ... while h
// is at or after stop: below stop when there are none.
__attribute__((target("ssse3"))) int NextInSetUp(const unsigned char* bytes, int h, int stop,
                                                 const unsigned char* tables, unsigned& mask) {
  for (; h >= stop; h -= 16)
    if ((mask = SetMask(bytes + h - 15, tables)) != 0) break;
  return h;
}

// A vector scan down from h: next(h, mask) gives the first block of sixteen
// places from h with a place that may match, and its mask, or a block past
// stop; each such place is asked agrees(place) in turn. The place that
// agrees, or -1 with h at the first place the blocks did not reach.
template <class TNext, class TAgrees>
int ScanBlocksDown(int& h, int stop, TNext&& next, TAgrees&& agrees) {
  for (;; h += 16) {
    unsigned mask = 0;
    if ((h = next(h, mask)) > stop) return -1;
    for (; mask != 0; mask &= mask - 1) {
      const int at = h + __builtin_ctz(mask);
      if (agrees(at)) return at;
    }
  }
}

// The same up, for the blocks that end at h, h - 16, ..., the last place of
// each block first: -1 with h below stop when none agrees.
template <class TNext, class TAgrees>
int ScanBlocksUp(int& h, int stop, TNext&& next, TAgrees&& agrees) {
  for (;; h -= 16) {
    unsigned mask = 0;
    if ((h = next(h, mask)) < stop) return -1;
    while (mask != 0) {
      const int bit = 31 - __builtin_clz(mask);
      if (agrees(h - 15 + bit)) return h - 15 + bit;
      mask &= ~(1u << bit);
    }
  }
}
#endif

// The set of bytes as the two tables of the vector test: for each low
// half-byte, a bit for each high half-byte 0 to 7, then for 8 to 15.
void MakeSetTables(const std::array<bool, 256>& set, unsigned char* tables) {
  std::fill(tables, tables + 32, 0);
  for (int b = 0; b < 256; ++b) {
    const int bit = 1 << ((b >> 4) & 7), at = (b & 15) + (b >= 0x80 ? 16 : 0);
    if (set[static_cast<size_t>(b)]) tables[at] |= static_cast<unsigned char>(bit);
  }
}

// True when a place that begins with the character may have the find text's
// weights: find holds them up to the find text's first character of unknown
// weights, all of them when known. An ignorable character, of no weights, may
// begin any.
bool MayBegin(const sys::TCharWeights& c, const std::vector<unsigned char>& find, bool known) {
  if (c.Unknown) return true;
  if (known && c.Length > find.size()) return false;
  return SameBytes(c.Bytes.data(), find.data(), std::min<size_t>(c.Length, find.size()));
}

} // namespace

TPrefilter::TPrefilter(const std::array<unsigned char, 256>& map, const char* findText,
                       int findLength)
    : Map(map), Length(findLength), Mapped(static_cast<size_t>(findLength)) {
  Identity = true;
  for (int b = 0; b < 256; ++b) Identity = Identity && map[b] == b;
  for (int i = 0; i < Length; ++i) Mapped[i] = map[static_cast<unsigned char>(findText[i])];
  for (int b = 0; b < 256; ++b) {
    BeginsFind[b] = map[b] == Mapped[0];
    EndsFind[b] = map[b] == Mapped[Length - 1];
    if (BeginsFind[b]) AddVariant(FirstVariants, FirstCount, b);
    if (EndsFind[b]) AddVariant(LastVariants, LastCount, b);
  }
}

int TPrefilter::NextDown(const char* text, int from, int last) const {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  int h = from;
#ifdef __SSE2__
  if (Blocks()) {
    for (; h + 15 <= last; h += 16) {
      for (unsigned mask = BlockMask(bytes + h); mask != 0; mask &= mask - 1) {
        const int at = h + __builtin_ctz(mask);
        if (Agrees(bytes + at)) return at;
      }
    }
  }
#endif
  for (; h <= last; ++h)
    if (BeginsFind[bytes[h]] && EndsFind[bytes[h + Length - 1]] && Agrees(bytes + h)) return h;
  return -1;
}

int TPrefilter::NextUp(const char* text, int from) const {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  int h = from;
#ifdef __SSE2__
  if (Blocks()) {
    for (; h >= 15; h -= 16) {
      for (unsigned mask = BlockMask(bytes + h - 15); mask != 0;) {
        const int bit = 31 - __builtin_clz(mask);
        if (Agrees(bytes + h - 15 + bit)) return h - 15 + bit;
        mask &= ~(1u << bit);
      }
    }
  }
#endif
  for (; h >= 0; --h)
    if (BeginsFind[bytes[h]] && EndsFind[bytes[h + Length - 1]] && Agrees(bytes + h)) return h;
  return -1;
}

void TPrefilter::AddVariant(TVariants& variants, int& count, int byte) {
  if (count < kMaxVariants) variants[static_cast<size_t>(count)] = static_cast<unsigned char>(byte);
  ++count;
}

#ifdef __SSE2__
namespace {

__m128i Matching(__m128i block, const std::array<unsigned char, 4>& variants, int count) {
  __m128i hits = _mm_cmpeq_epi8(block, _mm_set1_epi8(static_cast<char>(variants[0])));
  for (int k = 1; k < count; ++k)
    hits = _mm_or_si128(
        hits, _mm_cmpeq_epi8(block, _mm_set1_epi8(static_cast<char>(variants[size_t(k)]))));
  return hits;
}

} // namespace

// Bit k set when the place p + k begins and ends with bytes that may agree.
unsigned TPrefilter::BlockMask(const unsigned char* p) const {
  const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i last = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + Length - 1));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(
      Matching(first, FirstVariants, FirstCount), Matching(last, LastVariants, LastCount))));
}
#else
unsigned TPrefilter::BlockMask(const unsigned char*) const { return 0; }
#endif

bool TPrefilter::Agrees(const unsigned char* p) const {
  if (Identity) return std::memcmp(p, Mapped.data(), static_cast<size_t>(Length)) == 0;
  for (int i = 0; i < Length; ++i)
    if (Map[p[i]] != Mapped[i]) return false;
  return true;
}

TWeightFilter::TWeightFilter(const sys::TComparisonWeights& weights, const char* findText,
                             int findLength)
    : Weights(weights), Length(findLength) {
  const auto* p = reinterpret_cast<const unsigned char*>(findText);
  const auto* end = p + findLength;
  for (; p < end; p = weights.Next(p, end)) {
    const sys::TCharWeights& c = weights.At(p, end);
    if (c.Unknown) break;
    FindWeights.insert(FindWeights.end(), c.Bytes.begin(), c.Bytes.begin() + c.Length);
  }
  Known = p == end;
  for (int b = 0; b < 256; ++b) {
    // On its own, or (a lead byte) alone at the end of the place.
    First[b] = Begins(weights.Single[b]);
    Last[b] = Ends(weights.Single[b]);
  }
  for (int lead = 0; lead < 256; ++lead) {
    const int row = weights.LeadRow[lead];
    if (row < 0) continue;
    for (int trail = 0; trail < 256; ++trail) {
      const sys::TCharWeights& c = weights.Double[static_cast<size_t>(row) * 256 + trail];
      First[lead] = First[lead] || Begins(c);
      Last[trail] = Last[trail] || Ends(c);
    }
  }
  MakeSetTables(First, SetTables.data());
  MakeSetTables(Last, SetTables.data() + 32);
}

int TWeightFilter::NextDown(const char* text, int from, int last) const {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  int h = from;
#ifdef TESMO_BYTE_SETS
  if (HasByteShuffle()) {
    const int found = ScanBlocksDown(
        h, last - 15,
        [&](int at, unsigned& mask) {
          return NextBlockDown(bytes, at, last - 15, Length, SetTables.data(), mask);
        },
        [&](int at) { return Agrees(bytes + at); });
    if (found >= 0) return found;
  }
#endif
  for (; h <= last; ++h)
    if (Bounds(bytes + h) && Agrees(bytes + h)) return h;
  return -1;
}

int TWeightFilter::NextUp(const char* text, int from) const {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  int h = from;
#ifdef TESMO_BYTE_SETS
  if (HasByteShuffle()) {
    const int found = ScanBlocksUp(
        h, 15,
        [&](int at, unsigned& mask) {
          return NextBlockUp(bytes, at, Length, SetTables.data(), mask);
        },
        [&](int at) { return Agrees(bytes + at); });
    if (found >= 0) return found;
  }
#endif
  for (; h >= 0; --h)
    if (Bounds(bytes + h) && Agrees(bytes + h)) return h;
  return -1;
}

bool TWeightFilter::Begins(const sys::TCharWeights& c) const {
  return MayBegin(c, FindWeights, Known);
}

// The same for a place that ends with the character.
bool TWeightFilter::Ends(const sys::TCharWeights& c) const {
  if (!Known || c.Unknown || c.EndsContraction) return true;
  if (c.Length > FindWeights.size()) return false;
  return SameBytes(c.Bytes.data(), FindWeights.data() + FindWeights.size() - c.Length, c.Length);
}

// The weights of the place at p, character by character, against the find
// text's, as far as either is known. Only at a character start does the
// answer count.
bool TWeightFilter::Agrees(const unsigned char* p) const {
  const unsigned char* end = p + Length;
  const size_t size = FindWeights.size();
  const unsigned char* find = FindWeights.data();
  size_t done = 0;
  while (p < end) {
    const sys::TCharWeights& c = Weights.At(p, end);
    p = Weights.Next(p, end);
    if (c.Unknown) return true;
    if (done + c.Length > size)
      return !Known && SameBytes(c.Bytes.data(), find + done, size - done);
    if (!SameBytes(c.Bytes.data(), find + done, c.Length)) return false;
    done += c.Length;
  }
  return done == size;
}

TUtf8Filter::TUtf8Filter(sys::TUtf8Weights& weights, const char* text, int length,
                         const char* findText, int findLength, int findChars)
    : Weights(weights), Text(reinterpret_cast<const unsigned char*>(text)), End(Text + length),
      FindLength(findLength), FindChars(findChars), Reach(std::max(findLength, 4 * findChars)) {
  const auto* p = reinterpret_cast<const unsigned char*>(findText);
  const auto* end = p + findLength;
  weights.LearnText(p, end, p, end);
  for (; p < end; p = sys::TUtf8Weights::Next(p, end)) {
    const sys::TCharWeights& c = weights.At(p, end);
    if (c.Unknown) break;
    FindWeights.insert(FindWeights.end(), c.Bytes.begin(), c.Bytes.begin() + c.Length);
  }
  Known = p == end;
  SeenChanges = weights.Changes() - 1;
}

int TUtf8Filter::NextDown(const char*, int from, int last) {
  for (int h = from; h <= last;) {
    if (h < ReadyFrom || h > ReadyTo) Prepare(h, last - h < kStretch ? last : h + kStretch - 1);
    const int to = std::min(last, ReadyTo);
    const int found = ScanDown(h, to);
    if (found >= 0) return found;
    h = to + 1;
  }
  return -1;
}

int TUtf8Filter::NextUp(const char*, int from) {
  for (int h = from; h >= 0;) {
    if (h < ReadyFrom || h > ReadyTo) Prepare(h < kStretch ? 0 : h - kStretch + 1, h);
    const int found = ScanUp(h, ReadyFrom);
    if (found >= 0) return found;
    h = ReadyFrom - 1;
  }
  return -1;
}

// Learns what the places from from to to are judged by: the characters that
// the texts compared there hold, each weighed with its neighbours.
void TUtf8Filter::Prepare(int from, int to) {
  const long long reach = std::min<long long>(End - Text, 1LL + to + Reach);
  Invalid = Weights.LearnText(Text, End, Text + from, Text + reach);
  ReadyFrom = from;
  ReadyTo = to;
  UpdateSets();
}

// Takes in the characters learnt since the sets were made, or makes them anew
// when a learnt character has become Unknown since.
void TUtf8Filter::UpdateSets() {
  const std::vector<char32_t>& learnt = Weights.Learnt();
  if (Weights.Changes() != SeenChanges) {
    for (int b = 0; b < 256; ++b) {
      // A byte other than ASCII is a character of its own only when invalid.
      const bool begins =
          MayBegin(Weights.OfByte(static_cast<unsigned char>(b)), FindWeights, Known);
      First[static_cast<size_t>(b)] = b < 0x80 && begins;
      FirstWithInvalid[static_cast<size_t>(b)] = begins;
    }
    SeenChanges = Weights.Changes();
    SeenLearnt = 0;
  } else if (SeenLearnt == learnt.size()) {
    return;
  }
  for (; SeenLearnt < learnt.size(); ++SeenLearnt) {
    const char32_t c = learnt[SeenLearnt];
    if (!MayBegin(Weights.OfCodePoint(c), FindWeights, Known)) continue;
    // The lead byte of its UTF-8 sequence.
    const size_t lead = c < 0x800 ? 0xC0 | c >> 6 : c < 0x10000 ? 0xE0 | c >> 12 : 0xF0 | c >> 18;
    First[lead] = FirstWithInvalid[lead] = true;
  }
  MakeSetTables(First, SetTables.data());
  MakeSetTables(FirstWithInvalid, SetTables.data() + 32);
}

int TUtf8Filter::ScanDown(int h, int to) {
#ifdef TESMO_BYTE_SETS
  if (HasByteShuffle()) {
    const unsigned char* tables = SetTables.data() + (Invalid ? 32 : 0);
    const int found = ScanBlocksDown(
        h, to - 15,
        [&](int at, unsigned& mask) { return NextInSetDown(Text, at, to - 15, tables, mask); },
        [&](int at) { return Agrees(Text + at); });
    if (found >= 0) return found;
  }
#endif
  const std::array<bool, 256>& set = Invalid ? FirstWithInvalid : First;
  for (; h <= to; ++h)
    if (set[Text[h]] && Agrees(Text + h)) return h;
  return -1;
}

int TUtf8Filter::ScanUp(int h, int to) {
#ifdef TESMO_BYTE_SETS
  if (HasByteShuffle()) {
    const unsigned char* tables = SetTables.data() + (Invalid ? 32 : 0);
    const int found = ScanBlocksUp(
        h, to + 15,
        [&](int at, unsigned& mask) { return NextInSetUp(Text, at, to + 15, tables, mask); },
        [&](int at) { return Agrees(Text + at); });
    if (found >= 0) return found;
  }
#endif
  const std::array<bool, 256>& set = Invalid ? FirstWithInvalid : First;
  for (; h >= to; --h)
    if (set[Text[h]] && Agrees(Text + h)) return h;
  return -1;
}

// True when p continues a well-formed sequence that begins before it.
bool TUtf8Filter::InsideSequence(const unsigned char* p) const {
  for (int back = 1; back <= 3 && p - back >= Text; ++back) {
    const unsigned char* q = p - back;
    if ((*q & 0xC0) != 0x80)
      return sys::Utf8Length(reinterpret_cast<const char*>(q), reinterpret_cast<const char*>(End)) >
             back;
  }
  return false;
}

// The weights of the place at p, character by character, against the find
// text's, as far as either is known, for each text compared there: as many
// bytes as the find text, and as many characters when FindChars is set. Only
// at a character start does the answer count.
bool TUtf8Filter::Agrees(const unsigned char* p) {
  if ((*p & 0xC0) == 0x80 && InsideSequence(p)) return false;
  const size_t size = FindWeights.size();
  const unsigned char* find = FindWeights.data();
  size_t done = 0;
  int chars = 0;
  for (const unsigned char* q = p;;) {
    const long bytes = q - p;
    if ((bytes == FindLength || (FindChars > 0 && chars == FindChars)) && done == size) return true;
    if (q >= End || (bytes >= FindLength && chars >= FindChars)) return false;
    const sys::TCharWeights& c = Weights.At(q, End);
    q = sys::TUtf8Weights::Next(q, End);
    ++chars;
    if (c.Unknown) return true;
    if (done + c.Length > size)
      return !Known && SameBytes(c.Bytes.data(), find + done, size - done);
    if (!SameBytes(c.Bytes.data(), find + done, c.Length)) return false;
    done += c.Length;
  }
}
