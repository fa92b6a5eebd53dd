// The question set: items (a question with its accepted answers) in an
// ordered set. Items pass between sets only as copies, as far as anyone can
// see: the items of a loaded file lie read-only in one store that every set
// holding them shares, and a set makes an item its own before it changes it.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "itemtext.h"

class TExamItem {
public:
  TExamItem() = default;
  TExamItem(const TExamItem&) = delete;
  TExamItem& operator=(const TExamItem&) = delete;

  TItemText Question;
  TItemAnswers Answers;

  void AddAnswer(std::string_view answer) { Answers.Add(answer); }
  int GetAnswerCount() const { return static_cast<int>(Answers.size()); }
  std::string GetAnswer(int index) const;
  void DeleteAnswer(int index);
  // Copies every text, so the item depends on no store.
  void Assign(const TExamItem& source);

private:
  friend class TExamItems;
  friend class TItemStore;
  // An item in a store keeps its question there; every other item keeps its
  // own question (Add and CopyForSet see to it), so this tells them apart.
  bool IsStored() const { return Question.Stored != nullptr; }
  // A copy that a set owns: the question its own, stored answers still shared.
  std::unique_ptr<TExamItem> CopyForSet() const;
};

// The two question file formats; any other code reads no item.
enum TQuestionFileFormat { qffCsv = 0, qffText = 1 };

// The texts and items of one question file: written once while the file is
// read, then shared read-only by every set that holds one of its items.
class TItemStore {
public:
  TItemStore() = default;
  TItemStore(const TItemStore&) = delete;
  TItemStore& operator=(const TItemStore&) = delete;

  // An item is written as it is read, a text at a time: the question, then
  // the answers; then it is kept, or dropped and its room used again.
  void BeginItem(std::string_view question) {
    ItemStart = Free;
    Write(question, question.size());
    AnswersAt = static_cast<size_t>(Free - ItemStart);
  }
  void AddAnswer(std::string_view answer) { Write(answer, answer.size() + 1); }
  void EndItem(bool keep);
  size_t Count() const { return ItemCount; }

private:
  friend class TExamItems;
  // The loader writes every text through here: inline, so most of it is a
  // copy.
  void Write(std::string_view text, size_t length) {
    char* p = storedtext::WriteLength(Room(storedtext::LengthSize(length) + text.size()), length);
    CopyText(p, text.data(), text.size());
    Free = p + text.size();
  }
  // Room for size more bytes of the open item, which moves to a new block
  // when its block is full.
  char* Room(size_t size) { return size <= static_cast<size_t>(End - Free) ? Free : Grow(size); }
  char* Grow(size_t size);
  // Most texts are short: two overlapping moves of eight or four bytes copy
  // them without a call of memcpy.
  static void CopyText(char* to, const char* from, size_t size) {
    if (size >= 8 && size <= 16) {
      std::uint64_t head, tail;
      std::memcpy(&head, from, 8);
      std::memcpy(&tail, from + size - 8, 8);
      std::memcpy(to, &head, 8);
      std::memcpy(to + size - 8, &tail, 8);
    } else if (size >= 4 && size < 8) {
      std::uint32_t head, tail;
      std::memcpy(&head, from, 4);
      std::memcpy(&tail, from + size - 4, 4);
      std::memcpy(to, &head, 4);
      std::memcpy(to + size - 4, &tail, 4);
    } else if (size > 0) {
      std::memcpy(to, from, size);
    }
  }
  // The items, in blocks that never move and grow up to 1,024 items: a big
  // file takes few allocations (a deque would take one every 16 items), and
  // a block is still in the cache when its items are written.
  struct TItemBlock {
    std::unique_ptr<TExamItem[]> Items;
    size_t Size, Used;
  };
  std::vector<TItemBlock> ItemBlocks;
  size_t ItemCount = 0;
  // The texts, in blocks that never move either.
  std::vector<std::unique_ptr<char[]>> Blocks;
  char* ItemStart = nullptr; // the open item
  size_t AnswersAt = 0;      // where its answers begin, from ItemStart
  char* Free = nullptr;
  char* End = nullptr;
  size_t NextBlock = 4096;
};

class TExamItems {
public:
  TExamItems() = default;
  TExamItems(const TExamItems&) = delete;
  TExamItems& operator=(const TExamItems&) = delete;
  virtual ~TExamItems() { Clear(); }

  int Count() const { return static_cast<int>(Items.size()); }
  const TExamItem& Get(int index) const;
  // The set's own copy of the item, made on first use, so that a change
  // reaches no other set. Reading through a const set shares the stored item.
  TExamItem& Get(int index);
  TExamItem& Add();
  void Delete(int index);
  void Clear();
  void Assign(const TExamItems& source);
  void MoveTo(int index, TExamItems& destination);
  // Deletes the empty answers of every item of the set, then the items left
  // with an empty question or no answer.
  static void RemoveEmpty(TExamItems& items);
  // Replaces the content with the items of a question file; false, with the
  // set unchanged, when the file holds no usable item. Throws sys::EFileError
  // when the file cannot be read.
  bool LoadFromFile(const std::string& fileName, int format);
  // Appends every item of a store, which the set then shares.
  void Append(std::shared_ptr<const TItemStore> store);

  // Exchanges the content of two sets without copying an item.
  void Swap(TExamItems& other) noexcept {
    Items.swap(other.Items);
    Stores.swap(other.Stores);
  }
  void Reserve(int count) { Items.reserve(static_cast<size_t>(count)); }

private:
  void CheckIndex(int index) const;
  // Adds the stores of another set that this one lacks.
  void ShareStores(const TExamItems& other);
  // Stored items belong to their store; the others to the set.
  static void Release(const TExamItem* item) {
    if (!item->IsStored()) delete item;
  }
  std::vector<const TExamItem*> Items;
  // Every store that a stored text of an item of the set lies in.
  std::vector<std::shared_ptr<const TItemStore>> Stores;
};
