// The View menu: how the window looks.
#include <algorithm>
#include <vector>

#include <windows.h>

#include <commdlg.h>

#include "commands.h"
#include "dialogs/enterdialog.h"
#include "mainform.h"
#include "settings/settingsvalue.h"
#include "win/dpi.h"
#include "win/fonts.h"

namespace {

// The face the system really draws for a font: "Default" and any face that
// is not installed come out as the face that stands in for them, which is
// one the font dialog lists.
std::string ShownFace(HFONT font) {
  const TWindowDC screen(nullptr);
  const TSelection chosen(screen.Get(), font);
  char face[LF_FACESIZE] = {0};
  const int length = GetTextFaceA(screen.Get(), LF_FACESIZE, face);
  return length > 0 ? std::string(face) : std::string();
}

constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

bool IsTopmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// Wine keeps a window out of the top-most band when a window it owns (the
// toolbar's tooltip) already stands at the top of it. The owned windows are
// let go for the move and taken back after it; the windows of a top-most
// window are top-most too.
void PutIntoTopmostBand(HWND window) {
  struct TOwned {
    HWND Owner;
    std::vector<HWND> Windows;
  } owned{window, {}};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND candidate, LPARAM data) -> BOOL {
        auto* found = reinterpret_cast<TOwned*>(data);
        if (GetWindow(candidate, GW_OWNER) == found->Owner) found->Windows.push_back(candidate);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&owned));
  for (HWND child : owned.Windows) SetWindowLongPtrA(child, GWLP_HWNDPARENT, 0);
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);
  for (HWND child : owned.Windows) {
    SetWindowLongPtrA(child, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(window));
    SetWindowPos(child, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);
  }
}

} // namespace

void TMainForm::ChangeFont() {
  TViewOptions options = ViewOptions;
  LOGFONTA font{};
  const TFontHandle start(
      CreateFontOf(options.FontName, options.FontSize, options.FontStyle, ScreenDpi()));
  GetObjectA(start.Get(), sizeof font, &font);
  // The dialog starts on a face it lists: "Default" starts on the default face.
  std::string face = ShownFace(start.Get());
  if (face.empty()) face = ResolveFontFace(options.FontName);
  lstrcpynA(font.lfFaceName, face.c_str(), LF_FACESIZE);

  CHOOSEFONTA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Window.Handle;
  dialog.lpLogFont = &font;
  // No vertical "@" faces: they would draw the log on its side.
  dialog.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_NOVERTFONTS;
  if (!ChooseFontA(&dialog)) return;
  options.FontName = font.lfFaceName;
  options.FontSize = (dialog.iPointSize + 5) / 10;
  TFontStyles style;
  style[fsBold] = font.lfWeight >= FW_BOLD;
  style[fsItalic] = font.lfItalic != 0;
  // The dialog offers no effects: underline and strike-out stay as they were.
  style[fsUnderline] = options.FontStyle[fsUnderline];
  style[fsStrikeOut] = options.FontStyle[fsStrikeOut];
  options.FontStyle = style;
  SetOptions(options);
}

// Asked again until the entry is a width in range, or the user cancels.
void TMainForm::ChangeTabWidth() {
  constexpr int lowest = 0, highest = 96;
  std::string text = std::to_string(ViewOptions.TabWidth);
  for (;;) {
    if (!EnterDialog.Execute(Window.Handle, "Tab Width", "Enter the tab width.", text)) return;
    int width = 0;
    if (TryTextToInt(text, width) && width >= lowest && width <= highest) {
      TViewOptions options = ViewOptions;
      options.TabWidth = width;
      return SetOptions(options);
    }
    ShowError("Set the number between " + std::to_string(lowest) + " and " +
              std::to_string(highest) + ": " + text);
  }
}

void TMainForm::ApplyViewOptions() {
  CommandBar.ToolBar().SetVisible(ViewOptions.Toolbar);
  // Captions, tooltips and the button size, 22 x 21 without captions.
  CommandBar.ShowCaptions(ViewOptions.ToolbarCaptions);

  TFontHandle font(
      CreateFontOf(ViewOptions.FontName, ViewOptions.FontSize, ViewOptions.FontStyle, Dpi));
  // A width read from a hand-edited file may be anything; the control takes
  // what fits its range.
  const int units = static_cast<int>(
      std::clamp<long long>(static_cast<long long>(ViewOptions.TabWidth) * 4, 0, 4 * 1024));
  for (const TEdit& edit : {DrillFields.Question(), DrillFields.Answer(), LogPane.Control()}) {
    edit.SetFont(font.Get());
    edit.SetTabStops(units);
  }
  // The font the fields had goes now that none of them holds it.
  FieldFont = std::move(font);
  InvalidateRect(LogPane.Control().Handle, nullptr, TRUE);

  StatusBar.SetVisible(ViewOptions.StatusBar);
  LayoutControls();
  SetWindowPos(Window.Handle, ViewOptions.Topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               kKeepPlace);
  if (ViewOptions.Topmost && !IsTopmost(Window.Handle)) PutIntoTopmostBand(Window.Handle);
}
