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

// What the settings keep of the file dialogs, in their order.
auto DialogSettings(TFileDialogs& dialogs) {
  decltype(TSettings::Dialogs) kept;
  for (const TFileDialog* dialog : dialogs.All())
    kept.push_back({dialog->InitialDir, dialog->FilterIndex});
  return kept;
}

} // namespace

void TMainForm::LoadSettings() {
  TSettings current;
  current.ViewOptions = ViewOptions;
  current.ExamOptions = ExamOptions;
  current.Dialogs = DialogSettings(FileDialogs);
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
  if (read.ViewOptionsRead) SetOptions(stored.ViewOptions);
  if (read.ExamOptionsRead) SetOptions(stored.ExamOptions);
  // A window that closed maximized or minimized starts where the system puts it.
  if (read.RestoresBounds() && IsReachable(stored))
    SavedPlace.Apply(Window.Handle, {stored.Left, stored.Top, stored.Right, stored.Bottom});
  const auto dialogs = FileDialogs.All();
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
void TSavedPlace::Apply(HWND window, const RECT& place) {
  Place = place;
  PlaceDpi = DpiOfPlace(place);
  Held = true;
  Hold(window);
}

void TSavedPlace::Hold(HWND window) const {
  if (IsIconic(window) || IsZoomed(window)) return;
  for (int round = 0; round < 2; ++round) {
    RECT now{};
    GetWindowRect(window, &now);
    if (EqualRect(&now, &Place)) return;
    SetWindowPos(window, nullptr, Place.left, Place.top, Place.right - Place.left,
                 Place.bottom - Place.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// After the first show, and at each change of dpi until the window has the
// saved screen's (any dpi where the system does not tell it).
void TSavedPlace::Settle(HWND window, int dpi, bool firstShowOver) {
  ShowOver = ShowOver || firstShowOver;
  if (!Held || !ShowOver) return;
  if (PlaceDpi != 0 && dpi != PlaceDpi) return; // a change is still to come
  Hold(window);
  Held = false;
}

void TMainForm::SaveSettings(bool silently) {
  if (silently) {
    try {
      TIniDocument document = OpenSettings();
      WriteSettings(document);
    } catch (...) {}
    return;
  }
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
  settings.Dialogs = DialogSettings(FileDialogs);
  document.WriteString(kSettingsSection, kSettingsKey, MakeSettingsValue(settings));
  document.Save(kSettingsFile);
}
