#pragma once

#include <string>

#include <windows.h>

#include "settings/options.h"

class TStrFindDialog {
public:
  explicit TStrFindDialog(HINSTANCE) {}
  virtual ~TStrFindDialog() = default;
  void SetOptions(const TSearchOptions& options) { CurrentOptions = options; }
  bool Execute(HWND, const std::string&) { return false; }
  const TSearchOptions& GetCurrentOptions() const { return CurrentOptions; }

private:
  TSearchOptions CurrentOptions;
};
