// The recent-file list: slot 0 holds the most recently opened file, an empty
// slot is a free place. The list keeps the number of slots it is given.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class THistory {
public:
  // Appends empty slots or removes the last ones.
  void SetCount(int count);
  int Count() const { return static_cast<int>(Slots.size()); }
  // Slot index, which must be below Count; throws std::out_of_range.
  const std::string& Get(int index) const;
  void Put(int index, const std::string& text);

  // The first slot holding the same file name (letter case aside, by the
  // file-name rules of the code page); -1 when there is none.
  int IndexOf(std::string_view path) const;
  // Puts the path in slot 0, in its own letter case. An older entry for the
  // same file is taken out; otherwise the last slot falls off.
  void Add(const std::string& path);
  // Empties every slot; the count stays.
  void Clear();

  // All slots as one comma text.
  std::string CommaText() const;
  // Replaces the slots by the entries of a comma text, keeping the count: the
  // entries past the last slot are dropped, slots beyond the last entry are
  // left empty. A damaged or hand-edited list can so never shrink the list
  // for good nor grow it past what the menu shows.
  void SetCommaText(std::string_view text);

private:
  std::vector<std::string> Slots;
};
