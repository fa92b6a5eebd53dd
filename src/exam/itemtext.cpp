#include "itemtext.h"

#include <algorithm>
#include <cstring>

using namespace storedtext;

TItemText& TItemText::operator=(std::string_view text) {
  // Written before the old text goes, which text may be.
  auto own = std::make_unique_for_overwrite<char[]>(LengthSize(text.size()) + text.size());
  char* const p = WriteLength(own.get(), text.size());
  if (!text.empty()) std::memcpy(p, text.data(), text.size());
  Own = std::move(own);
  Stored = nullptr;
  return *this;
}

TItemAnswers& TItemAnswers::operator=(const TItemAnswers& other) {
  if (&other == this) return *this;
  // The list copied as it is written, up to and with its closing 0.
  const char* const list = other.Own ? other.Own.get() : other.Stored;
  const char* end = list;
  while (end != nullptr && *end != 0) ReadAnswer(end);
  const size_t size = list != nullptr ? static_cast<size_t>(end - list) + 1 : 1;
  auto own = std::make_unique_for_overwrite<char[]>(size);
  own[0] = 0;
  if (list != nullptr) std::memcpy(own.get(), list, size);
  Own = std::move(own);
  Stored = nullptr;
  return *this;
}

void TItemAnswers::Write(const std::vector<std::string_view>& answers) {
  size_t size = 1;
  for (std::string_view answer : answers) size += LengthSize(answer.size() + 1) + answer.size();
  // Written before the old list goes, which the answers may lie in.
  auto own = std::make_unique_for_overwrite<char[]>(size);
  char* p = own.get();
  for (std::string_view answer : answers) {
    p = WriteLength(p, answer.size() + 1);
    if (!answer.empty()) std::memcpy(p, answer.data(), answer.size());
    p += answer.size();
  }
  *p = 0;
  Own = std::move(own);
  Stored = nullptr;
}

void TItemAnswers::Add(std::string_view answer) {
  std::vector<std::string_view> answers = Views();
  answers.push_back(answer);
  Write(answers);
}

void TItemAnswers::Replace(size_t index, std::string_view answer) {
  std::vector<std::string_view> answers = Views();
  answers[index] = answer;
  Write(answers);
}

void TItemAnswers::Delete(size_t index) {
  std::vector<std::string_view> answers = Views();
  answers.erase(answers.begin() + static_cast<std::ptrdiff_t>(index));
  Write(answers);
}

void TItemAnswers::DeleteEmpty() {
  std::vector<std::string_view> answers = Views();
  std::erase_if(answers, [](std::string_view answer) { return answer.empty(); });
  Write(answers);
}

bool operator==(const TItemAnswers& a, const TItemAnswers& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

bool operator==(const TItemAnswers& a, const std::vector<std::string>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}
