#include "examitems.h"

#include <algorithm>
#include <cstring>
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
  Answers.Delete(static_cast<size_t>(index));
}

void TExamItem::Assign(const TExamItem& source) {
  if (&source == this) return;
  Question = source.Question;
  Answers = source.Answers;
}

std::unique_ptr<TExamItem> TExamItem::CopyForSet() const {
  auto copy = std::make_unique<TExamItem>();
  copy->Question = Question.View();
  if (Answers.Own)
    copy->Answers = Answers;
  else
    copy->Answers.Stored = Answers.Stored;
  return copy;
}

void TItemStore::EndItem(bool keep) {
  if (!keep) {
    Free = ItemStart;
    return;
  }
  *Room(1) = 0;
  ++Free;
  if (ItemBlocks.empty() || ItemBlocks.back().Used == ItemBlocks.back().Size) {
    const size_t size =
        ItemBlocks.empty() ? 64 : std::min<size_t>(ItemBlocks.back().Size * 2, 1024);
    ItemBlocks.push_back({std::make_unique<TExamItem[]>(size), size, 0});
  }
  TExamItem& item = ItemBlocks.back().Items[ItemBlocks.back().Used++];
  ++ItemCount;
  item.Question.Stored = ItemStart;
  item.Answers.Stored = ItemStart + AnswersAt;
}

char* TItemStore::Grow(size_t size) {
  // Blocks grow up to 1 MiB, so a small file takes little and a big one few
  // blocks; an item too big for that gets a block of twice its size, so
  // that it moves only a few times however long it grows.
  const size_t open = static_cast<size_t>(Free - ItemStart);
  const size_t block = std::max(NextBlock, 2 * (open + size));
  auto fresh = std::make_unique_for_overwrite<char[]>(block);
  if (open > 0) std::memcpy(fresh.get(), ItemStart, open);
  // A block that held nothing but the open item is given up.
  if (!Blocks.empty() && ItemStart == Blocks.back().get())
    Blocks.back() = std::move(fresh);
  else
    Blocks.push_back(std::move(fresh));
  ItemStart = Blocks.back().get();
  Free = ItemStart + open;
  End = ItemStart + block;
  NextBlock = std::min<size_t>(NextBlock * 2, 1 << 20);
  return Free;
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
  for (const auto& block : store->ItemBlocks)
    for (size_t i = 0; i < block.Used; ++i) Items.push_back(&block.Items[i]);
  Stores.push_back(std::move(store));
}

void TExamItems::RemoveEmpty(TExamItems& items) {
  // One pass each, so a file full of unusable lines costs no more than a good one.
  for (int i = 0; i < items.Count(); ++i)
    if (HasEmptyAnswer(items.Items[static_cast<size_t>(i)]->Answers))
      items.Get(i).Answers.DeleteEmpty();
  std::erase_if(items.Items, [](const TExamItem* item) {
    if (!item->Question.empty() && !item->Answers.empty()) return false;
    Release(item);
    return true;
  });
}
