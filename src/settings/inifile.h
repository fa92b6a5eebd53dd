// An INI file held in memory as a whole: sections of name=value lines, read
// and written by section and key, then saved in one piece. Comments, blank
// lines and lines before the first section are not kept.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class TIniDocument {
public:
  // Reads the whole file when it exists; a missing file gives an empty
  // document. Throws sys::EFileError when an existing file cannot be read.
  void LoadFromFile(const std::string& fileName);
  // Replaces the document by the lines of an INI text.
  void SetText(std::string_view text);
  // The document as Save writes it: every section with its lines and an
  // empty line after them, every line ending with CR LF.
  std::string GetText() const;
  // Creates or replaces the file as a whole. Throws sys::EFileError.
  void Save(const std::string& fileName) const;

  // Section and key names match without regard to case; where one occurs
  // twice, the last occurrence counts. Reading gives the text after the
  // first "=" of the key's line, or an empty text when there is none.
  std::string ReadString(std::string_view section, std::string_view key) const;
  // Replaces the key's line in place, or appends it to its section, or
  // appends the section with that line to the document.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);

private:
  struct TSection {
    std::string Name;
    std::vector<std::string> Lines;
  };

  const TSection* FindSection(std::string_view name) const;
  TSection* FindSection(std::string_view name);
  static int FindKey(const TSection& section, std::string_view key);

  std::vector<TSection> Sections;
};
