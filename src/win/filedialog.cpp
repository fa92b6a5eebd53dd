#include "filedialog.h"

#include <algorithm>

#include <commdlg.h>

#include "widenames.h"

TFileDialog::TFileDialog(TKind kind, std::string title, std::string filter, std::string defaultExt)
    : Title(std::move(title)), Filter(std::move(filter)), DefaultExt(std::move(defaultExt)),
      Kind(kind) {}

bool TFileDialog::Execute(HWND owner) {
  // The wide dialog: the "A" one would hand back a name the code page cannot
  // hold with a look-alike letter or "?" in it.
  // The system wants the filter's parts separated by NULs, with two at the end.
  std::wstring filter = WideText(Filter);
  std::replace(filter.begin(), filter.end(), L'|', L'\0');
  filter.append(2, L'\0');
  const std::wstring title = WideText(Title), initialDir = WideText(InitialDir),
                     defaultExt = WideText(DefaultExt);
  // Room for a long path; the name the dialog starts with goes in first.
  std::wstring buffer = WideText(FileName);
  buffer.resize(std::max<size_t>(buffer.size() + 1, 32768), L'\0');

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(FilterIndex);
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  dialog.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  dialog.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (Kind == fdSave) dialog.Flags |= OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
  const BOOL chosen = Kind == fdSave ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return false;
  // The filter the user left selected stays with the dialog.
  if (dialog.nFilterIndex > 0) FilterIndex = static_cast<int>(dialog.nFilterIndex);
  const TCodePageName chosenName =
      CodePageName(buffer.c_str(), Kind == fdSave ? TNameUse::Write : TNameUse::Read);
  FileName = chosenName.Name;
  FileNameReachable = chosenName.Exact;
  return true;
}
