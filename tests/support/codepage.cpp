#include "codepage.h"

#include "util/platform.h"

bool UseCodePage(int codePage) {
#ifdef _WIN32
  return sys::CodePage() == codePage;
#else
  sys::SetPortableCodePage(codePage);
  return true;
#endif
}
