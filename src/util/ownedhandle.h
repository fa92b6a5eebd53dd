// The one owner of a handle: it releases what it holds when it goes or is
// given another, and never what it handed on. The window side's owners (fonts,
// bitmaps, menus...) and the platform layer's (files, searches) are this one.
#pragma once

#include <utility>

// One handle of a kind that Free releases; a null handle is none. Moves,
// never copies.
template <typename THandle, void (*Free)(THandle)> class TOwnedHandle {
public:
  TOwnedHandle() = default;
  explicit TOwnedHandle(THandle handle) : Handle(handle) {}
  TOwnedHandle(TOwnedHandle&& other) noexcept : Handle(std::exchange(other.Handle, nullptr)) {}
  TOwnedHandle& operator=(TOwnedHandle&& other) noexcept {
    Reset(std::exchange(other.Handle, nullptr));
    return *this;
  }
  TOwnedHandle(const TOwnedHandle&) = delete;
  TOwnedHandle& operator=(const TOwnedHandle&) = delete;
  ~TOwnedHandle() { Reset(); }

  THandle Get() const { return Handle; }
  explicit operator bool() const { return Handle != nullptr; }
  // Holds handle instead, releasing the one held before.
  void Reset(THandle handle = nullptr) {
    if (Handle != nullptr && Handle != handle) Free(Handle);
    Handle = handle;
  }
  // Gives the handle up to a new owner, which releases it.
  THandle Release() { return std::exchange(Handle, nullptr); }

private:
  THandle Handle = nullptr;
};
