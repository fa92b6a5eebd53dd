// Splitting paths the way the system does: a separator is a backslash or a
// colon, found by whole characters, so that the trail byte 0x5C of a
// double-byte character is never taken for a backslash.
#pragma once

#include <string>
#include <string_view>

// The text after the last separator; the whole path when there is none.
std::string ExtractFileName(std::string_view path);

// From the last dot after the last separator, the dot included; empty when
// there is no such dot.
std::string ExtractFileExt(std::string_view path);

// The text before the last backslash, without it, except that a backslash
// after another separator stays (C:\x.txt gives C:\); a drive's colon stays.
std::string ExtractFileDir(std::string_view path);

// Where the name begins in a path as the system's file functions read it:
// after the last backslash, slash or drive's colon, found by whole
// characters; 0 when there is none.
size_t NameStart(std::string_view path);

// Both texts lower-cased by file-name rules, then equal for the locale.
bool SameFileName(std::string_view a, std::string_view b);
