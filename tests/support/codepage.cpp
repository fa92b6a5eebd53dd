#include "codepage.h"

#include <gtest/gtest.h>

#include "util/platform.h"
#include "util/utf8weights.h"

bool UseCodePage(int codePage) {
#ifdef _WIN32
  return sys::CodePage() == codePage;
#else
  sys::SetPortableCodePage(codePage);
  return true;
#endif
}

#ifndef _WIN32
namespace {

// Every test starts in the portable layer's default code page, its search by
// the byte map, whatever the test before it switched to, so no test depends on
// the order they run in.
class TCodePageReset : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override {
    sys::SetPortableCodePage(1252);
    sys::UsePortableUtf8Weights(false);
  }
};

const bool codePageResetInstalled = [] {
  testing::UnitTest::GetInstance()->listeners().Append(new TCodePageReset);
  return true;
}();

} // namespace
#endif
