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

std::string ReadFile(const std::string& fileName) {
  TFileReader file(fileName);
  // Read straight into the string, sized from the file; whatever lies past
  // that size (a file still growing) is appended.
  std::string content(static_cast<size_t>(file.SizeHint()), '\0');
  size_t filled = 0;
  for (;;) {
    if (filled < content.size()) {
      const size_t got = file.Read(content.data() + filled, content.size() - filled);
      if (got == 0) break;
      filled += got;
      continue;
    }
    char chunk[1 << 16];
    const size_t got = file.Read(chunk, sizeof chunk);
    if (got == 0) break;
    content.append(chunk, got);
    filled = content.size();
  }
  content.resize(filled);
  return content;
}

} // namespace sys
