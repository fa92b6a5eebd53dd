// Opens the input as an INI document: a saved document opens to the same
// document, and a key written is read back, also after a save.
#include <string>

#include "fuzz_common.h"
#include "settings/inifile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = TakeCodePage(data, size);
  TIniDocument document;
  document.SetText(text);
  const std::string saved = document.GetText();
  TIniDocument reopened;
  reopened.SetText(saved);
  if (reopened.GetText() != saved) __builtin_trap();

  document.ReadString("Settings", "Values");
  const std::string value = "\"a,\"\"b c\"\"\",-1,0,Default,,";
  document.WriteString("settings", "VALUES", value);
  if (document.ReadString("SETTINGS", "values") != value) __builtin_trap();
  reopened.SetText(document.GetText());
  if (reopened.ReadString("Settings", "Values") != value) __builtin_trap();
  return 0;
}
