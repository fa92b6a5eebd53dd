// Tests of text that depends on the code page ask for one here. Off Windows
// the portable layer switches to it; under Wine the process's code page is
// fixed by its locale, so a test that needs another one is skipped there (the
// Windows suite runs once in each code page). Off Windows every test starts in
// code page 1252, whatever the test before it chose.
#pragma once

bool UseCodePage(int codePage);

#define REQUIRE_CODE_PAGE(cp)                                                                      \
  do {                                                                                             \
    if (!UseCodePage(cp)) GTEST_SKIP() << "needs code page " << (cp);                              \
  } while (0)
