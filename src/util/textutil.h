// Small text helpers shared by the examination, the log and the main window.
#pragma once

#include <string>
#include <string_view>

#include "platform.h"

// True for the bytes that trimming removes: 0x00 to 0x20.
inline bool IsBlankByte(char c) { return static_cast<unsigned char>(c) <= 0x20; }

// The text without its leading and trailing bytes from 0x00 to 0x20. A trail
// byte is never below 0x40 in any double-byte code page, nor a byte of a UTF-8
// sequence below 0x80, so no character is cut.
inline std::string_view TrimView(std::string_view text) {
  size_t first = 0, last = text.size();
  while (first < last && IsBlankByte(text[first])) ++first;
  while (last > first && IsBlankByte(text[last - 1])) --last;
  return text.substr(first, last - first);
}
inline std::string Trim(std::string_view text) { return std::string(TrimView(text)); }

// A failure's message as the user is shown it: with a full stop added unless
// it is empty or already ends in a character that sorts at or below the full
// stop (".", ",", ")", "!" and the like).
std::string FailureText(std::string_view message);

// "," between every group of three digits of a decimal integer's text.
std::string GroupThousands(std::string text);
std::string GroupThousands(long long value);

// The fourteen digits yyyymmddhhnnss of a local date and time.
std::string FormatTimeStamp(const sys::DateTime& time);

// The long form of a path that may use short names; the path unchanged when
// the system cannot resolve it.
std::string GetLongPath(std::string path);
