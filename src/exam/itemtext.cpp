#include "itemtext.h"

#include <algorithm>

TItemText& TItemText::operator=(std::string_view text) {
  if (Own)
    Own->assign(text.data(), text.size());
  else
    Own = std::make_unique<std::string>(text);
  Stored = nullptr;
  return *this;
}

TItemAnswers& TItemAnswers::operator=(const TItemAnswers& other) {
  if (&other != this) {
    Own = std::make_unique<std::vector<std::string>>(other.begin(), other.end());
    Stored = nullptr;
  }
  return *this;
}

size_t TItemAnswers::size() const {
  if (Own) return Own->size();
  return static_cast<size_t>(std::distance(begin(), end()));
}

TItemAnswers::const_iterator TItemAnswers::begin() const {
  const_iterator first;
  if (Own) {
    first.Own = Own->data();
    first.OwnEnd = Own->data() + Own->size();
  } else {
    first.Stored = Stored;
  }
  return first;
}

std::string_view TItemAnswers::operator[](size_t index) const {
  if (Own) return (*Own)[index];
  return *std::next(begin(), static_cast<std::ptrdiff_t>(index));
}

std::vector<std::string>& TItemAnswers::Edit() {
  if (!Own) {
    Own = std::make_unique<std::vector<std::string>>(begin(), end());
    Stored = nullptr;
  }
  return *Own;
}

bool operator==(const TItemAnswers& a, const TItemAnswers& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

bool operator==(const TItemAnswers& a, const std::vector<std::string>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}
