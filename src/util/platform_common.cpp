// The parts of the platform layer that both builds share.
#include "platform.h"

namespace sys {

const char* PrevChar(const char* start, const char* p) {
  if (p <= start) return start;
  // Bytes that can lead a character are walked over backwards until one that
  // cannot: that one ends a character, so a boundary follows it. From there the
  // lead-capable bytes pair up, and their count decides whether the byte just
  // before p is a trail byte.
  const char* q = p - 1;
  while (q > start && IsLeadByte(static_cast<unsigned char>(q[-1]))) --q;
  return ((p - 1 - q) % 2 == 1) ? p - 2 : p - 1;
}

} // namespace sys
