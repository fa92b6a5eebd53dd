#include "commatext.h"

#include "util/platform.h"

namespace {

// Codes 1 to 32: the blank and the control characters.
bool IsBlankOrControl(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code >= 1 && code <= 32;
}

// Every test below looks at the first byte of a character: a trail byte may
// have any value from 0x40 up, but a quote, a comma and the codes up to 32 are
// never lead bytes nor bytes of a UTF-8 sequence, so they are whole characters
// wherever the steps find them.
bool NeedsQuotes(std::string_view field) {
  const char* end = field.data() + field.size();
  for (const char* p = field.data(); p < end; p = sys::NextChar(p, end))
    if (IsBlankOrControl(*p) || *p == '"' || *p == ',') return true;
  return false;
}

std::string Quoted(std::string_view field) {
  std::string result = "\"";
  const char* end = field.data() + field.size();
  for (const char* p = field.data(); p < end;) {
    const char* next = sys::NextChar(p, end);
    result.append(p, static_cast<size_t>(next - p));
    if (*p == '"') result += '"';
    p = next;
  }
  result += '"';
  return result;
}

// The field that begins with the quote at p, up to the next quote that is not
// doubled; p moves past that closing quote. Without one, the field takes the
// rest of the text and loses nothing.
std::string ReadQuoted(const char*& p, const char* end) {
  std::string field;
  ++p;
  while (p < end) {
    if (*p == '"') {
      if (p + 1 < end && p[1] == '"') {
        field += '"';
        p += 2;
        continue;
      }
      ++p;
      return field;
    }
    const char* next = sys::NextChar(p, end);
    field.append(p, static_cast<size_t>(next - p));
    p = next;
  }
  return field;
}

} // namespace

std::string JoinCommaText(const TStringList& fields) {
  if (fields.size() == 1 && fields[0].empty()) return "\"\"";
  std::string text;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) text += ',';
    if (NeedsQuotes(fields[i]))
      text += Quoted(fields[i]);
    else
      text += fields[i];
  }
  return text;
}

TStringList SplitCommaText(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  TStringList fields;
  const char* p = text.data();
  const char* end = p + text.size();
  const auto skipBlanks = [&] {
    while (p < end && IsBlankOrControl(*p)) ++p;
  };
  skipBlanks();
  while (p < end) {
    if (*p == '"') {
      fields.push_back(ReadQuoted(p, end));
    } else {
      const char* from = p;
      while (p < end && !IsBlankOrControl(*p) && *p != ',') p = sys::NextChar(p, end);
      fields.emplace_back(from, p);
    }
    skipBlanks();
    if (p < end && *p == ',') {
      if (p + 1 == end) fields.emplace_back();
      ++p;
      skipBlanks();
    }
  }
  return fields;
}
