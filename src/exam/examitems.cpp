#include "examitems.h"

#include <stdexcept>
#include <string>

namespace {

[[noreturn]] void IndexError(int index) {
  throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
}

} // namespace

const std::string& TExamItem::GetAnswer(int index) const {
  if (index < 0 || index >= GetAnswerCount()) IndexError(index);
  return Answers[static_cast<size_t>(index)];
}

void TExamItem::DeleteAnswer(int index) {
  if (index < 0 || index >= GetAnswerCount()) IndexError(index);
  Answers.erase(Answers.begin() + index);
}

void TExamItem::Assign(const TExamItem& source) {
  if (&source == this) return;
  Question = source.Question;
  Answers = source.Answers;
}

void TExamItems::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
}

TExamItem& TExamItems::Get(int index) const {
  CheckIndex(index);
  return *Items[static_cast<size_t>(index)];
}

TExamItem& TExamItems::Add() {
  Items.push_back(std::make_unique<TExamItem>());
  return *Items.back();
}

void TExamItems::Delete(int index) {
  CheckIndex(index);
  Items.erase(Items.begin() + index);
}

void TExamItems::Assign(const TExamItems& source) {
  if (&source == this) return;
  Clear();
  Items.reserve(source.Items.size());
  for (const auto& item : source.Items) Add().Assign(*item);
}

void TExamItems::MoveTo(int index, TExamItems& destination) {
  CheckIndex(index);
  destination.Add().Assign(Get(index));
  Delete(index);
}

void TExamItems::RemoveEmpty(TExamItems& items) {
  // One pass each, so a file full of unusable lines costs no more than a good one.
  std::erase_if(items.Items, [](const std::unique_ptr<TExamItem>& item) {
    std::erase_if(item->Answers, [](const std::string& answer) { return answer.empty(); });
    return item->Question.empty() || item->Answers.empty();
  });
}
