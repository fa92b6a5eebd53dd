#include "inifile.h"

#include <utility>

#include "util/platform.h"
#include "util/textutil.h"

namespace {

// A section line: "[" and "]" around the name, which is trimmed. The closing
// bracket must be a character of its own: a name that ends in a lead byte
// would take it as its trail byte.
bool IsSectionLine(std::string_view line, std::string_view& name) {
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return false;
  name = TrimView(line.substr(1, line.size() - 2));
  if (name.empty()) return true;
  const char* end = name.data() + name.size();
  const char* last = sys::PrevChar(name.data(), end);
  return !(last == end - 1 && sys::IsLeadByte(static_cast<unsigned char>(*last)));
}

// "=" is below every trail byte of the double-byte code pages, so the first
// "=" byte is the first "=" character.
size_t FindEquals(std::string_view line) { return line.find('='); }

bool SameName(std::string_view a, const std::string& upperB) { return sys::UpperCase(a) == upperB; }

} // namespace

void TIniDocument::LoadFromFile(const std::string& fileName) {
  if (sys::FileExists(fileName))
    SetText(sys::ReadFile(fileName));
  else
    Sections.clear();
}

void TIniDocument::SetText(std::string_view text) {
  Sections.clear();
  text = text.substr(0, text.find('\0'));
  size_t from = 0;
  while (from < text.size()) {
    // A line ends at CR or LF; the empty lines between CR and LF are dropped
    // with all other empty lines.
    size_t to = text.find_first_of("\r\n", from);
    if (to == std::string_view::npos) to = text.size();
    const std::string_view line = TrimView(text.substr(from, to - from));
    from = to + 1;
    if (line.empty() || line.front() == ';') continue;
    std::string_view name;
    if (IsSectionLine(line, name)) {
      Sections.push_back({std::string(name), {}});
    } else if (!Sections.empty()) {
      const size_t equals = FindEquals(line);
      if (equals == std::string_view::npos)
        Sections.back().Lines.emplace_back(line);
      else
        Sections.back().Lines.push_back(Trim(line.substr(0, equals)) + "=" +
                                        Trim(line.substr(equals + 1)));
    }
  }
}

std::string TIniDocument::GetText() const {
  std::string text;
  for (const TSection& section : Sections) {
    text += "[" + section.Name + "]\r\n";
    for (const std::string& line : section.Lines) text += line + "\r\n";
    text += "\r\n";
  }
  return text;
}

void TIniDocument::Save(const std::string& fileName) const { sys::SaveFile(fileName, GetText()); }

const TIniDocument::TSection* TIniDocument::FindSection(std::string_view name) const {
  const std::string upper = sys::UpperCase(name);
  for (auto section = Sections.rbegin(); section != Sections.rend(); ++section)
    if (SameName(section->Name, upper)) return &*section;
  return nullptr;
}

TIniDocument::TSection* TIniDocument::FindSection(std::string_view name) {
  return const_cast<TSection*>(std::as_const(*this).FindSection(name));
}

int TIniDocument::FindKey(const TSection& section, std::string_view key) {
  const std::string upper = sys::UpperCase(key);
  for (int i = static_cast<int>(section.Lines.size()) - 1; i >= 0; --i) {
    const std::string_view line = section.Lines[static_cast<size_t>(i)];
    const size_t equals = FindEquals(line);
    if (equals != std::string_view::npos && SameName(line.substr(0, equals), upper)) return i;
  }
  return -1;
}

std::string TIniDocument::ReadString(std::string_view section, std::string_view key) const {
  const TSection* found = FindSection(section);
  if (found == nullptr) return {};
  const int index = FindKey(*found, key);
  if (index < 0) return {};
  const std::string& line = found->Lines[static_cast<size_t>(index)];
  return line.substr(FindEquals(line) + 1);
}

void TIniDocument::WriteString(std::string_view section, std::string_view key,
                               std::string_view value) {
  std::string line = std::string(key) + "=" + std::string(value);
  TSection* found = FindSection(section);
  if (found == nullptr) {
    Sections.push_back({std::string(section), {std::move(line)}});
    return;
  }
  const int index = FindKey(*found, key);
  if (index < 0)
    found->Lines.push_back(std::move(line));
  else
    found->Lines[static_cast<size_t>(index)] = std::move(line);
}
