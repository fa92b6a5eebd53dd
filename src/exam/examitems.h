// The question set: items (a question with its accepted answers) in an
// ordered set that owns them. Items pass between sets only as copies.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TExamItem {
public:
  TExamItem() = default;
  TExamItem(const TExamItem&) = delete;
  TExamItem& operator=(const TExamItem&) = delete;
  virtual ~TExamItem() = default;

  std::string Question;
  std::vector<std::string> Answers;

  void AddAnswer(std::string_view answer) { Answers.emplace_back(answer); }
  int GetAnswerCount() const { return static_cast<int>(Answers.size()); }
  const std::string& GetAnswer(int index) const;
  void DeleteAnswer(int index);
  void Assign(const TExamItem& source);
};

// The two question file formats; any other code reads no item.
enum TQuestionFileFormat { qffCsv = 0, qffText = 1 };

class TExamItems {
public:
  TExamItems() = default;
  TExamItems(const TExamItems&) = delete;
  TExamItems& operator=(const TExamItems&) = delete;
  virtual ~TExamItems() { Clear(); }

  int Count() const { return static_cast<int>(Items.size()); }
  TExamItem& Get(int index) const;
  TExamItem& Add();
  void Delete(int index);
  void Clear() { Items.clear(); }
  void Assign(const TExamItems& source);
  void MoveTo(int index, TExamItems& destination);
  // Deletes the empty answers of every item of the set, then the items left
  // with an empty question or no answer.
  static void RemoveEmpty(TExamItems& items);
  // Replaces the content with the items of a question file; false, with the
  // set unchanged, when the file holds no usable item. Throws sys::EFileError
  // when the file cannot be read.
  bool LoadFromFile(const std::string& fileName, int format);

  // Exchanges the content of two sets without copying an item.
  void Swap(TExamItems& other) noexcept { Items.swap(other.Items); }
  void Reserve(int count) { Items.reserve(static_cast<size_t>(count)); }

private:
  void CheckIndex(int index) const;
  std::vector<std::unique_ptr<TExamItem>> Items;
};
