#include "examitems.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

[[noreturn]] void IndexError(int index) {
  throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
}

bool HasEmptyAnswer(const TItemAnswers& answers) {
  for (std::string_view answer : answers)
    if (answer.empty()) return true;
  return false;
}

} // namespace

std::string TExamItem::GetAnswer(int index) const {
  if (index < 0 || index >= GetAnswerCount()) IndexError(index);
  return std::string(Answers[static_cast<size_t>(index)]);
}

void TExamItem::DeleteAnswer(int index) {
  if (index < 0 || index >= GetAnswerCount()) IndexError(index);
  std::vector<std::string>& answers = Answers.Edit();
  answers.erase(answers.begin() + index);
}

void TExamItem::Assign(const TExamItem& source) {
  if (&source == this) return;
  Question = source.Question;
  Answers = source.Answers;
}

std::unique_ptr<TExamItem> TExamItem::CopyForSet() const {
  auto copy = std::make_unique<TExamItem>();
  copy->Question = Question.View();
  copy->Answers.Stored = Answers.Stored;
  if (Answers.Own) copy->Answers.Own = std::make_unique<std::vector<std::string>>(*Answers.Own);
  return copy;
}

void TItemStore::Add(std::string_view question, std::span<const std::string_view> answers) {
  using namespace storedtext;
  const size_t questionSize = LengthSize(question.size()) + question.size();
  size_t size = questionSize + LengthSize(answers.size());
  for (std::string_view answer : answers) size += LengthSize(answer.size()) + answer.size();
  char* const text = Allocate(size);
  char* p = WriteLength(text, question.size());
  p = std::copy(question.begin(), question.end(), p);
  p = WriteLength(p, answers.size());
  for (std::string_view answer : answers)
    p = std::copy(answer.begin(), answer.end(), WriteLength(p, answer.size()));
  TExamItem& item = Items.emplace_back();
  item.Question.Stored = text;
  item.Answers.Stored = text + questionSize;
}

char* TItemStore::Allocate(size_t size) {
  if (size > Left) {
    // Blocks grow up to 1 MiB, so a small file takes little and a big one
    // few blocks; the tail a block cannot fit stays unused.
    const size_t block = std::max(NextBlock, size);
    Blocks.push_back(std::make_unique_for_overwrite<char[]>(block));
    Free = Blocks.back().get();
    Left = block;
    NextBlock = std::min<size_t>(NextBlock * 2, 1 << 20);
  }
  char* const p = Free;
  Free += size;
  Left -= size;
  return p;
}

void TExamItems::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
}

const TExamItem& TExamItems::Get(int index) const {
  CheckIndex(index);
  return *Items[static_cast<size_t>(index)];
}

TExamItem& TExamItems::Get(int index) {
  CheckIndex(index);
  const TExamItem*& item = Items[static_cast<size_t>(index)];
  if (item->IsStored()) item = item->CopyForSet().release();
  // Not stored, so made by this set and not const.
  return const_cast<TExamItem&>(*item);
}

TExamItem& TExamItems::Add() {
  auto item = std::make_unique<TExamItem>();
  Items.push_back(item.get());
  return *item.release();
}

void TExamItems::Delete(int index) {
  CheckIndex(index);
  Release(Items[static_cast<size_t>(index)]);
  Items.erase(Items.begin() + index);
}

void TExamItems::Clear() {
  for (const TExamItem* item : Items) Release(item);
  Items.clear();
  Stores.clear();
}

void TExamItems::ShareStores(const TExamItems& other) {
  for (const auto& store : other.Stores)
    if (std::find(Stores.begin(), Stores.end(), store) == Stores.end()) Stores.push_back(store);
}

void TExamItems::Assign(const TExamItems& source) {
  if (&source == this) return;
  Clear();
  Stores = source.Stores;
  Items.reserve(source.Items.size());
  // Stored items are shared; the source's own ones are copied.
  for (const TExamItem* item : source.Items)
    Items.push_back(item->IsStored() ? item : item->CopyForSet().release());
}

void TExamItems::MoveTo(int index, TExamItems& destination) {
  CheckIndex(index);
  // The item itself changes sets: this one lets it go.
  destination.ShareStores(*this);
  destination.Items.push_back(Items[static_cast<size_t>(index)]);
  Items.erase(Items.begin() + index);
}

void TExamItems::Append(std::shared_ptr<const TItemStore> store) {
  if (store->Count() == 0) return;
  Items.reserve(Items.size() + store->Count());
  for (const TExamItem& item : store->Items) Items.push_back(&item);
  Stores.push_back(std::move(store));
}

void TExamItems::RemoveEmpty(TExamItems& items) {
  // One pass each, so a file full of unusable lines costs no more than a good one.
  for (int i = 0; i < items.Count(); ++i)
    if (HasEmptyAnswer(items.Items[static_cast<size_t>(i)]->Answers))
      std::erase_if(items.Get(i).Answers.Edit(),
                    [](const std::string& answer) { return answer.empty(); });
  std::erase_if(items.Items, [](const TExamItem* item) {
    if (!item->Question.empty() && !item->Answers.empty()) return false;
    Release(item);
    return true;
  });
}
