// Names that reach the program from Windows in UTF-16: the command line,
// dropped files, the file dialogs, the program's own folder, the current
// folder. The program keeps names as bytes of the ANSI code page, and the "A"
// calls would hand them over with a look-alike letter or "?" wherever the
// code page lacks a character, which names another file or none; nor do
// they take a name longer than MAX_PATH (248 for a folder). Here a name is
// converted exactly, or taken in its short form (ASCII), or refused.
#pragma once

#include <string>
#include <string_view>

struct TCodePageName {
  // The name in the code page. When not Exact it names no file the program
  // can reach, and serves only to tell the user which one failed: what the
  // code page lacks shows as "?".
  std::string Name;
  bool Exact = false;
};

enum class TNameUse {
  Read,   // an existing file, which may be opened through its short form
  Write,  // a file to be made or replaced: only its folder may be short, for a
          // file replaced through its short name would take that name
  Folder, // an existing folder, which files are named in: shorter than a file's
};

// The name of an existing file or folder, or of one to be written, as above.
TCodePageName CodePageName(const std::wstring& path, TNameUse use = TNameUse::Read);

// A name as a user gave it (relative to the current folder, or short), made
// full and long first.
TCodePageName FullCodePageName(const std::wstring& path);

// Code-page text in UTF-16, for the wide calls.
std::wstring WideText(std::string_view text);
