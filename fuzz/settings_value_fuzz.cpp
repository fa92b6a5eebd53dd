// Reads the input as the settings value: the groups are read in order, and
// a value read in full is written and read again to the same settings.
#include <string>

#include "fuzz_common.h"
#include "settings/settingsvalue.h"

namespace {

bool Same(const TSettings& a, const TSettings& b) {
  if (a.Dialogs.size() != b.Dialogs.size()) return false;
  for (size_t i = 0; i < a.Dialogs.size(); ++i)
    if (a.Dialogs[i].Folder != b.Dialogs[i].Folder ||
        a.Dialogs[i].FilterIndex != b.Dialogs[i].FilterIndex)
      return false;
  return a.HistoryText == b.HistoryText && a.ViewOptions == b.ViewOptions &&
         a.ExamOptions == b.ExamOptions && a.WindowState == b.WindowState && a.Left == b.Left &&
         a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = TakeCodePage(data, size);
  TSettings current;
  current.Dialogs = {{"", 1}, {"", 1}};
  const TSettingsRead read = ReadSettingsValue(text, current);

  // Each group is read only when every group before it was.
  const bool stages[] = {read.HistoryRead, read.ViewOptionsRead, read.ExamOptionsRead,
                         read.BoundsRead, read.FoldersRead > 0};
  for (size_t i = 1; i < sizeof stages; ++i)
    if (stages[i] && !stages[i - 1]) __builtin_trap();
  if (read.FilterIndexesRead > read.FoldersRead || read.FoldersRead > read.FilterIndexesRead + 1)
    __builtin_trap();
  if (read.Failed == (read.FilterIndexesRead == 2)) __builtin_trap();

  if (!read.Failed) {
    const TSettingsRead again = ReadSettingsValue(MakeSettingsValue(read.Settings), current);
    if (again.Failed || !Same(again.Settings, read.Settings)) __builtin_trap();
  }
  return 0;
}
