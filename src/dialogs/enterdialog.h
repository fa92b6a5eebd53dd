#pragma once

#include <string>

#include <windows.h>

class TEnterDialog {
public:
  explicit TEnterDialog(HINSTANCE instance) : Instance(instance) {}
  virtual ~TEnterDialog() = default;
  bool Execute(HWND, const std::string&, const std::string&, std::string&) { return false; }

private:
  HINSTANCE Instance;
};
