// The settings file: read at the end of start-up, written at a confirmed close
// and at the end of the session.
#include <exception>
#include <stdexcept>

#include "appconst.h"
#include "failure.h"
#include "mainform.h"
#include "settings/inifile.h"
#include "settings/settingsvalue.h"
#include "util/platform.h"
#include "win/dpi.h"

namespace {

// Reads the whole settings file. A file that exists but cannot be read is a
// failure that names the file, so the user knows what to mend.
TIniDocument OpenSettings() {
  TIniDocument document;
  try {
    document.LoadFromFile(kSettingsFile);
  } catch (const std::exception& failure) {
    const std::string text = failure.what();
    if (text.find(kSettingsFile) != std::string::npos) throw;
    throw std::runtime_error("Cannot read file \"" + kSettingsFile + "\". " + text);
  }
  return document;
}

// A stored rectangle is taken only when the system can place a window there
// and some part of it lies on a monitor: a screen that has since gone, or a
// hand-edited file, must not put the window where nobody can reach it.
bool IsReachable(const TSettings& settings) {
  // The system keeps window coordinates and sizes within 16 bits.
  constexpr long long lowest = -32768, highest = 32767;
  const long long width = static_cast<long long>(settings.Right) - settings.Left;
  const long long height = static_cast<long long>(settings.Bottom) - settings.Top;
  if (width <= 0 || height <= 0 || width > highest || height > highest) return false;
  if (settings.Left < lowest || settings.Left > highest || settings.Top < lowest ||
      settings.Top > highest)
    return false;
  const RECT bounds{settings.Left, settings.Top, settings.Right, settings.Bottom};
  return MonitorFromRect(&bounds, MONITOR_DEFAULTTONULL) != nullptr;
}

} // namespace

void TMainForm::LoadSettings() {
  TSettings current;
  current.ViewOptions = ViewOptions;
  current.ExamOptions = ExamOptions;
  for (const TFileDialog* dialog : FileDialogs())
    current.Dialogs.push_back({dialog->InitialDir, dialog->FilterIndex});
  // No file yet: the defaults stay, and the first close writes one.
  if (!sys::FileExists(kSettingsFile)) return;
  // Outside the staged reading: a file that cannot be read at all ends the start.
  const TIniDocument document = OpenSettings();

  // Each group is applied only when every field of it converted; reading
  // stops at the first field that did not.
  const TSettingsRead read =
      ReadSettingsValue(document.ReadString(kSettingsSection, kSettingsKey), current);
  const TSettings& stored = read.Settings;
  if (read.HistoryRead) {
    History.SetCommaText(stored.HistoryText);
    UpdateHistoryMenu();
  }
  if (read.ViewOptionsRead) SetViewOptions(stored.ViewOptions);
  if (read.ExamOptionsRead) SetExamOptions(stored.ExamOptions);
  // A window that closed maximized or minimized starts where the system puts it.
  if (read.RestoresBounds() && IsReachable(stored))
    ApplySavedPlace({stored.Left, stored.Top, stored.Right, stored.Bottom});
  const auto dialogs = FileDialogs();
  for (int i = 0; i < static_cast<int>(dialogs.size()); ++i) {
    TFileDialog& dialog = *dialogs[static_cast<size_t>(i)];
    if (i < read.FoldersRead) dialog.InitialDir = stored.Dialogs[static_cast<size_t>(i)].Folder;
    if (i < read.FilterIndexesRead)
      dialog.FilterIndex = stored.Dialogs[static_cast<size_t>(i)].FilterIndex;
  }
  if (read.Failed) ShowOpenError(kSettingsFile);
}

// The rectangle was saved on the screen the window was on, at that screen's
// scale, and must come back exactly so. The window is made on the primary
// screen; moved to a screen of another scale, it receives WM_DPICHANGED with
// the rectangle scaled by new/old dpi, which would make a window saved on a
// 150 % screen half as large again at every start. Whether the system sends
// that change while the hidden window is placed or only when it is first
// shown (inside ShowWindow) is not settled, so the place is held through both:
// until the first show is over and the window has the dpi of the saved
// screen, a change of dpi rescales the contents only. Should the system have
// moved or sized the window anyway, the place is set once more. The user
// moving or sizing the window ends the hold, as a change that never came.
void TMainForm::ApplySavedPlace(const RECT& place) {
  SavedPlace = place;
  SavedPlaceDpi = DpiOfPlace(place);
  KeepingSavedPlace = true;
  HoldSavedPlace();
}

void TMainForm::HoldSavedPlace() {
  if (IsIconic(Window.Handle) || IsZoomed(Window.Handle)) return;
  const RECT& place = SavedPlace;
  for (int round = 0; round < 2; ++round) {
    RECT now{};
    GetWindowRect(Window.Handle, &now);
    if (EqualRect(&now, &place)) return;
    SetWindowPos(Window.Handle, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// After the first show, and at each change of dpi until the window has the
// saved screen's (any dpi where the system does not tell it).
void TMainForm::SettleSavedPlace() {
  if (!KeepingSavedPlace || !FirstShowOver) return;
  if (SavedPlaceDpi != 0 && Dpi != SavedPlaceDpi) return; // a change is still to come
  HoldSavedPlace();
  KeepingSavedPlace = false;
}

void TMainForm::SaveSettings() {
  TIniDocument document;
  try {
    document = OpenSettings();
  } catch (const std::exception& failure) {
    // Keeping the window open would not make the file readable, and the user
    // could never close the program: report it and leave the file as it is.
    ShowGeneralFailure(Window.Handle, failure.what());
    return;
  }
  try {
    WriteSettings(document);
  } catch (const std::exception&) {
    ShowSaveError(kSettingsFile);
  }
}

// At the session's end no box can be shown and nobody could answer one: the
// settings are written if they can be, and a failure is dropped.
void TMainForm::SaveSettingsSilently() {
  try {
    TIniDocument document = OpenSettings();
    WriteSettings(document);
  } catch (...) {}
}

void TMainForm::WriteSettings(TIniDocument& document) {
  TSettings settings;
  settings.HistoryText = History.CommaText();
  settings.ViewOptions = ViewOptions;
  settings.ExamOptions = ExamOptions;
  settings.WindowState = IsIconic(Window.Handle)   ? wsMinimized
                         : IsZoomed(Window.Handle) ? wsMaximized
                                                   : wsNormal;
  RECT bounds{};
  GetWindowRect(Window.Handle, &bounds);
  settings.Left = bounds.left;
  settings.Top = bounds.top;
  settings.Right = bounds.right;
  settings.Bottom = bounds.bottom;
  for (const TFileDialog* dialog : FileDialogs())
    settings.Dialogs.push_back({dialog->InitialDir, dialog->FilterIndex});
  document.WriteString(kSettingsSection, kSettingsKey, MakeSettingsValue(settings));
  document.Save(kSettingsFile);
}
