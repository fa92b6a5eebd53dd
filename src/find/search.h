// Searching the log pane for a text: one occurrence at a time, from the
// selection towards the end or the start, never wrapping around. Offsets are
// byte offsets into the pane's text in the ANSI code page, and every scan
// steps by whole characters.
#pragma once

#include <string>

#include "settings/options.h"

// What the search needs of the log pane. The window implements it with the
// real edit control; the tests use a fake.
class TSearchTarget {
public:
  virtual ~TSearchTarget() = default;

  // The text, which does not change while one search runs.
  virtual const std::string& GetText() const = 0;
  virtual int GetSelStart() const = 0;
  virtual int GetSelLength() const = 0;
  // Collapses the selection to a caret at start.
  virtual void SetSelStart(int start) = 0;
  // Extends the selection from its start over length bytes.
  virtual void SetSelLength(int length) = 0;
  virtual void ScrollCaret() = 0;
};

// Selects the next occurrence of the find text from the selection start,
// over the bytes it takes in the text, and scrolls it into view. An occurrence
// that is already the selection is passed over, and so is every one that
// overlaps it. False, with the pane untouched, when there is none (or the find
// text is empty).
bool SearchMemo(TSearchTarget& memo, const TSearchOptions& options);

// The first occurrence from start in the given direction, start included.
// Sets offset to it and matchLength to the bytes it takes in the text, or both
// to -1 when there is none (an empty find text has none).
//
// The text compared with the find text at a place is first as many bytes as
// the find text has; then, in UTF-8, as many characters as it has, when those
// are another number of bytes. The second length is for case: a letter and
// its other case are one character each, but in UTF-8 they may differ in
// length (U+023A and U+2C65, the Kelvin sign and k), which in the other code
// pages they never do; texts that differ in their number of characters (an
// ignorable character, "ss" and the sharp s) are found only as before, at the
// find text's own length. Where both lengths match, the first one is taken.
bool FindInText(const char* text, int length, const char* findText, int findLength, bool matchCase,
                bool wholeWord, bool down, int start, int& offset, int& matchLength);
// The same, for a caller that needs only where the occurrence starts.
bool FindInText(const char* text, int length, const char* findText, int findLength, bool matchCase,
                bool wholeWord, bool down, int start, int& offset);

// The same search comparing at every character it passes. FindInText passes
// over places that the platform's comparison cannot call equal, by its byte
// map or by its characters' weights, and takes this road when it has neither;
// the two always find the same occurrences.
bool FindInTextStepwise(const char* text, int length, const char* findText, int findLength,
                        bool matchCase, bool wholeWord, bool down, int start, int& offset,
                        int& matchLength);
bool FindInTextStepwise(const char* text, int length, const char* findText, int findLength,
                        bool matchCase, bool wholeWord, bool down, int start, int& offset);

// True when the character at p is a letter or a digit.
bool IsWordChar(const char* p, const char* end);

// 0 when the first n bytes of a and b are equal for the user's locale, with
// case or without; non-zero otherwise (a failed comparison included).
int CompareSameCase(const char* a, const char* b, int n);
int CompareIgnoreCase(const char* a, const char* b, int n);
