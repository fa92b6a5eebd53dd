#include "textutil.h"

#include <cstdio>

std::string GroupThousands(std::string text) {
  const size_t n = text.size();
  const size_t sign = (n > 0 && text[0] == '-') ? 1 : 0;
  if (n <= sign + 3) return text;
  const size_t separators = (n - sign - 1) / 3;
  std::string result(n + separators, ',');
  // Fill from the right: three characters, a comma, and so on; the sign and
  // the leading one to three digits stay in front.
  size_t from = n, to = result.size();
  for (size_t group = 0; group < separators; ++group) {
    for (int k = 0; k < 3; ++k) result[--to] = text[--from];
    --to; // the comma already stands here
  }
  while (from > 0) result[--to] = text[--from];
  return result;
}

std::string GroupThousands(long long value) { return GroupThousands(std::to_string(value)); }

std::string FormatTimeStamp(const sys::DateTime& time) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%04d%02d%02d%02d%02d%02d", time.Year % 10000, time.Month,
                time.Day, time.Hour, time.Minute, time.Second);
  return digits;
}

std::string GetLongPath(std::string path) {
  constexpr unsigned kMaxPath = 260;
  char buffer[kMaxPath];
  const unsigned length = sys::LongPathName(path.c_str(), buffer, kMaxPath);
  // 0 is a failure; a value of kMaxPath or more is the size the long form
  // would need, and then the buffer holds nothing to read.
  if (length == 0 || length >= kMaxPath) return path;
  return std::string(buffer, length);
}

std::string FailureText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}
