#include "prefilter.h"

#include <algorithm>
#include <cstring>

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
#endif

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
  for (int b = 0; b < 256; ++b) {
    const int bit = 1 << ((b >> 4) & 7), at = (b & 15) + (b >= 0x80 ? 16 : 0);
    if (First[b]) SetTables[static_cast<size_t>(at)] |= static_cast<unsigned char>(bit);
    if (Last[b]) SetTables[static_cast<size_t>(at + 32)] |= static_cast<unsigned char>(bit);
  }
}

int TWeightFilter::NextDown(const char* text, int from, int last) const {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  int h = from;
#ifdef TESMO_BYTE_SETS
  if (HasByteShuffle()) {
    for (;;) {
      unsigned mask = 0;
      h = NextBlockDown(bytes, h, last - 15, Length, SetTables.data(), mask);
      if (h > last - 15) break;
      for (; mask != 0; mask &= mask - 1) {
        const int at = h + __builtin_ctz(mask);
        if (Agrees(bytes + at)) return at;
      }
      h += 16;
    }
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
    for (;;) {
      unsigned mask = 0;
      h = NextBlockUp(bytes, h, Length, SetTables.data(), mask);
      if (h < 15) break;
      while (mask != 0) {
        const int bit = 31 - __builtin_clz(mask);
        if (Agrees(bytes + h - 15 + bit)) return h - 15 + bit;
        mask &= ~(1u << bit);
      }
      h -= 16;
    }
  }
#endif
  for (; h >= 0; --h)
    if (Bounds(bytes + h) && Agrees(bytes + h)) return h;
  return -1;
}

// True when a place that begins with the character may have the find text's
// weights. An ignorable character, of no weights, may begin any.
bool TWeightFilter::Begins(const sys::TCharWeights& c) const {
  if (c.Unknown) return true;
  if (Known && c.Length > FindWeights.size()) return false;
  return SameBytes(c.Bytes.data(), FindWeights.data(),
                   std::min<size_t>(c.Length, FindWeights.size()));
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
