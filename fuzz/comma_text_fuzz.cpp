// Reads the input as a comma text, and writes and reads lists back: a list
// written and read again is the same list.
#include <string>

#include "fuzz_common.h"
#include "settings/commatext.h"

namespace {

// A field whose last byte is a lead byte with no trail byte after it would
// take the next comma or quote as its trail byte: no writer can keep such a
// field apart, and no text of the code page holds one.
bool EndsInsideACharacter(const std::string& field) {
  if (field.empty()) return false;
  const char* end = field.data() + field.size();
  const char* last = sys::PrevChar(field.data(), end);
  return last == end - 1 && sys::IsLeadByte(static_cast<unsigned char>(*last));
}

void CheckRoundTrip(const TStringList& list) {
  for (const std::string& field : list)
    if (EndsInsideACharacter(field)) return;
  if (SplitCommaText(JoinCommaText(list)) != list) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = TakeCodePage(data, size);
  const TStringList fields = SplitCommaText(text);
  for (const std::string& field : fields)
    if (field.find('\0') != std::string::npos) __builtin_trap();
  CheckRoundTrip(fields);

  // The input as a list of its own: fields of any bytes but NUL, which
  // separates them.
  TStringList list;
  if (!text.empty()) {
    size_t from = 0;
    for (size_t nul; (nul = text.find('\0', from)) != std::string_view::npos; from = nul + 1)
      list.emplace_back(text.substr(from, nul - from));
    list.emplace_back(text.substr(from));
  }
  CheckRoundTrip(list);
  return 0;
}
