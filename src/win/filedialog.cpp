#include "filedialog.h"

#include <algorithm>

#include <commdlg.h>

TFileDialog::TFileDialog(TKind kind, std::string title, std::string filter, std::string defaultExt)
    : Title(std::move(title)), Filter(std::move(filter)), DefaultExt(std::move(defaultExt)),
      Kind(kind) {}

bool TFileDialog::Execute(HWND owner) {
  // The system wants the filter's parts separated by NULs, with two at the end.
  std::string filter = Filter;
  std::replace(filter.begin(), filter.end(), '|', '\0');
  filter.append(2, '\0');
  // Room for a long path; the name the dialog starts with goes in first.
  std::string buffer = FileName;
  buffer.resize(std::max<size_t>(buffer.size() + 1, 32768), '\0');

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(FilterIndex);
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  dialog.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
  dialog.lpstrTitle = Title.c_str();
  dialog.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
  dialog.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (Kind == fdSave) dialog.Flags |= OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
  const BOOL chosen = Kind == fdSave ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
  if (!chosen) return false;
  // The filter the user left selected stays with the dialog.
  if (dialog.nFilterIndex > 0) FilterIndex = static_cast<int>(dialog.nFilterIndex);
  FileName = buffer.c_str();
  return true;
}
