// The texts of an item. A loaded item's texts lie read-only in the store of
// its file, shared by every set that holds the item; a text that is changed
// becomes the item's own. Copies of a text are always its own.
#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// How a store writes its texts. A question is its length, then its bytes; the
// answers follow, each its length plus one, then its bytes, and a 0 ends them,
// so that an item is written as it is read. A length is written 7 bits a
// byte, lowest first, the top bit set on every byte but the last: most
// lengths take one byte.
namespace storedtext {

inline size_t ReadLength(const char*& p) {
  size_t value = 0;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(*p++);
    value |= static_cast<size_t>(byte & 0x7F) << shift;
    if (byte < 0x80) return value;
  }
}

// The question at p.
inline std::string_view ReadQuestion(const char* p) {
  const size_t size = ReadLength(p);
  return {p, size};
}

// The answer at p, which must not be the end; p then stands at the next.
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
    if (Own) return *Own;
    return Stored != nullptr ? storedtext::ReadQuestion(Stored) : std::string_view();
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
  std::unique_ptr<std::string> Own;
};

class TItemAnswers {
public:
  // Steps through the answers, stored or own, as views.
  class const_iterator {
  public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::string_view;

    const_iterator() = default;
    std::string_view operator*() const {
      if (Own != nullptr) return *Own;
      const char* p = Stored;
      return storedtext::ReadAnswer(p);
    }
    const_iterator& operator++() {
      if (Own != nullptr)
        ++Own;
      else
        storedtext::ReadAnswer(Stored);
      return *this;
    }
    const_iterator operator++(int) {
      const_iterator before = *this;
      ++*this;
      return before;
    }
    // Every iterator past the last answer equals end().
    bool operator==(const const_iterator& other) const {
      return AtEnd() ? other.AtEnd() : Stored == other.Stored && Own == other.Own;
    }

  private:
    friend class TItemAnswers;
    bool AtEnd() const {
      return Own != nullptr ? Own == OwnEnd : Stored == nullptr || *Stored == 0;
    }
    const char* Stored = nullptr;
    const std::string* Own = nullptr;
    const std::string* OwnEnd = nullptr;
  };

  TItemAnswers() = default;
  TItemAnswers(const TItemAnswers& other) { *this = other; }
  TItemAnswers& operator=(const TItemAnswers& other);

  size_t size() const;
  bool empty() const { return begin() == end(); }
  const_iterator begin() const;
  const_iterator end() const { return {}; }
  std::string_view operator[](size_t index) const;
  // A change goes to the item's own list.
  std::string& operator[](size_t index) { return Edit()[index]; }
  // The item's own list of the answers, copied from the store on first use.
  std::vector<std::string>& Edit();

  friend bool operator==(const TItemAnswers& a, const TItemAnswers& b);
  friend bool operator==(const TItemAnswers& a, const std::vector<std::string>& b);

private:
  friend class TExamItem;
  friend class TItemStore;
  const char* Stored = nullptr; // in a store, while the list is not the item's own
  std::unique_ptr<std::vector<std::string>> Own;
};
