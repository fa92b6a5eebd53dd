#include "history.h"

#include <stdexcept>

#include "settings/commatext.h"
#include "util/paths.h"

void THistory::SetCount(int count) { Slots.resize(count > 0 ? static_cast<size_t>(count) : 0); }

const std::string& THistory::Get(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("history slot out of range");
  return Slots[static_cast<size_t>(index)];
}

void THistory::Put(int index, const std::string& text) {
  if (index < 0 || index >= Count()) throw std::out_of_range("history slot out of range");
  Slots[static_cast<size_t>(index)] = text;
}

int THistory::IndexOf(std::string_view path) const {
  for (int i = 0; i < Count(); ++i)
    if (SameFileName(Slots[static_cast<size_t>(i)], path)) return i;
  return -1;
}

void THistory::Add(const std::string& path) {
  const int index = IndexOf(path);
  const int count = Count();
  if (index >= 0) Slots.erase(Slots.begin() + index);
  Slots.insert(Slots.begin(), path);
  SetCount(count);
}

void THistory::Clear() {
  for (std::string& slot : Slots) slot.clear();
}

std::string THistory::CommaText() const { return JoinCommaText(Slots); }

void THistory::SetCommaText(std::string_view text) {
  const int count = Count();
  Slots = SplitCommaText(text);
  SetCount(count);
}
