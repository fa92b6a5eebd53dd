// The texts of an item. A loaded item's texts lie read-only in the store of
// its file, shared by every set that holds the item; a text that is changed
// becomes the item's own. Both are written the same way, so reading does not
// ask which it is. Copies of a text are always its own.
#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// How item texts are written. A question is its length, then its bytes. A
// list of answers is, for each answer, its length plus one, then its bytes;
// a 0 ends it, so that an item can be written as it is read. A length is
// written 7 bits a byte, lowest first, the top bit set on every byte but the
// last: most lengths take one byte.
namespace storedtext {

inline size_t ReadLength(const char*& p) {
  size_t value = 0;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(*p++);
    value |= static_cast<size_t>(byte & 0x7F) << shift;
    if (byte < 0x80) return value;
  }
}

inline std::string_view ReadQuestion(const char* p) {
  const size_t size = ReadLength(p);
  return {p, size};
}

// The answer at p, which must not be the list's end; p then stands at the next.
inline std::string_view ReadAnswer(const char*& p) {
  const size_t size = ReadLength(p) - 1;
  const std::string_view text(p, size);
  p += size;
  return text;
}

inline size_t LengthSize(size_t value) {
  size_t size = 1;
  for (; value >= 0x80; value >>= 7) ++size;
  return size;
}

inline char* WriteLength(char* p, size_t value) {
  for (; value >= 0x80; value >>= 7) *p++ = static_cast<char>(value | 0x80);
  *p++ = static_cast<char>(value);
  return p;
}

} // namespace storedtext

class TItemText {
public:
  TItemText() = default;
  TItemText(const TItemText& other) { *this = other.View(); }
  TItemText& operator=(const TItemText& other) { return *this = other.View(); }
  TItemText& operator=(std::string_view text);

  std::string_view View() const {
    const char* text = Own ? Own.get() : Stored;
    return text != nullptr ? storedtext::ReadQuestion(text) : std::string_view();
  }
  operator std::string_view() const { return View(); }
  operator std::string() const { return std::string(View()); }
  bool empty() const { return View().empty(); }
  size_t size() const { return View().size(); }
  const char* data() const { return View().data(); }
  char back() const { return View().back(); }

  friend bool operator==(const TItemText& a, const TItemText& b) { return a.View() == b.View(); }
  friend bool operator==(const TItemText& a, std::string_view b) { return a.View() == b; }
  friend std::string operator+(const TItemText& a, std::string_view b) {
    return std::string(a.View()).append(b);
  }
  friend std::string operator+(std::string_view a, const TItemText& b) {
    return std::string(a).append(b.View());
  }

private:
  friend class TExamItem;
  friend class TItemStore;
  const char* Stored = nullptr; // in a store, when the text is not the item's own
  std::unique_ptr<char[]> Own;
};

class TItemAnswers {
public:
  // Steps through the answers as views.
  class const_iterator {
  public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::string_view;

    const_iterator() = default;
    explicit const_iterator(const char* list) : At(list) {}
    std::string_view operator*() const {
      const char* p = At;
      return storedtext::ReadAnswer(p);
    }
    const_iterator& operator++() {
      storedtext::ReadAnswer(At);
      return *this;
    }
    const_iterator operator++(int) {
      const_iterator before = *this;
      ++*this;
      return before;
    }
    // Every iterator past the last answer equals end().
    bool operator==(const const_iterator& other) const {
      return AtEnd() ? other.AtEnd() : At == other.At;
    }

  private:
    bool AtEnd() const { return At == nullptr || *At == 0; }
    const char* At = nullptr;
  };

  // One answer, to be read or replaced.
  class TAnswer {
  public:
    TAnswer(TItemAnswers& answers, size_t index) : Answers(answers), Index(index) {}
    TAnswer& operator=(std::string_view text) {
      Answers.Replace(Index, text);
      return *this;
    }
    operator std::string_view() const { return std::as_const(Answers)[Index]; }

  private:
    TItemAnswers& Answers;
    size_t Index;
  };

  TItemAnswers() = default;
  TItemAnswers(const TItemAnswers& other) { *this = other; }
  TItemAnswers& operator=(const TItemAnswers& other);

  size_t size() const { return static_cast<size_t>(std::distance(begin(), end())); }
  bool empty() const { return begin() == end(); }
  const_iterator begin() const { return const_iterator(Own ? Own.get() : Stored); }
  const_iterator end() const { return {}; }
  std::string_view operator[](size_t index) const {
    return *std::next(begin(), static_cast<std::ptrdiff_t>(index));
  }
  TAnswer operator[](size_t index) { return {*this, index}; }

  // A change makes the list the item's own, written anew: changes are few.
  void Add(std::string_view answer);
  void Replace(size_t index, std::string_view answer);
  void Delete(size_t index);
  void DeleteEmpty();

  friend bool operator==(const TItemAnswers& a, const TItemAnswers& b);
  friend bool operator==(const TItemAnswers& a, const std::vector<std::string>& b);

private:
  friend class TExamItem;
  friend class TItemStore;
  void Write(const std::vector<std::string_view>& answers);
  std::vector<std::string_view> Views() const { return {begin(), end()}; }
  const char* Stored = nullptr; // in a store, while the list is not the item's own
  std::unique_ptr<char[]> Own;
};
