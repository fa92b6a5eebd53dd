#include "choicedialog.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "win/dpi.h"
#include "win/fonts.h"
#include "win/modaldialog.h"

namespace {

// The buttons are the first n of these standard kinds. Their codes tell the
// buttons apart; none is 2 (cancel), which the cancel button takes instead.
// The last three have no system id and take codes of their own.
// The captions count only for the width of the buttons.
struct TStandardButton {
  const char* Caption;
  int Code;
};
constexpr TStandardButton kStandardButtons[] = {
    {"&Yes", IDYES},     {"&No", IDNO},       {"OK", IDOK},
    {"&Abort", IDABORT}, {"&Retry", IDRETRY}, {"&Ignore", IDIGNORE},
    {"&All", 8},         {"N&o to All", 9},   {"Yes to &All", 10}};
constexpr int kMaxButtons = static_cast<int>(std::size(kStandardButtons));
constexpr WORD kIconId = 100;
constexpr WORD kMessageId = 101;

LPCSTR StandardIconOf(TDialogKind kind) {
  switch (kind) {
  case dkWarning:
    return IDI_EXCLAMATION;
  case dkError:
    return IDI_HAND;
  case dkInformation:
    return IDI_ASTERISK;
  case dkConfirmation:
    return IDI_QUESTION;
  default:
    return nullptr;
  }
}

// A standard icon drawn at the size, through common controls 6 (the system's
// own icons load only at the screen's size otherwise); null without it.
HICON LoadStandardIcon(LPCSTR standard, int size) {
  using TLoad = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
  const auto load = reinterpret_cast<TLoad>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("comctl32.dll"), "LoadIconWithScaleDown")));
  HICON icon = nullptr;
  if (load == nullptr ||
      FAILED(load(nullptr, reinterpret_cast<PCWSTR>(standard), size, size, &icon)))
    return nullptr;
  return icon;
}

// One caption per line; lines end at CR, LF or CR LF, and a break at the very
// end adds no empty line. Exactly count captions: empty ones fill up, extra
// lines are dropped.
std::vector<std::string> CaptionLines(const std::string& text, int count) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
      ++end;
    start = end + 1;
  }
  lines.resize(static_cast<size_t>(count));
  return lines;
}

// Where everything goes, in pixels of the client area. Sizes are dialog units
// of the message font: a horizontal unit is a quarter of the average
// character width, a vertical unit an eighth of the character height.
struct TChoiceLayout {
  SIZE Client{};
  RECT Icon{};
  RECT Message{};
  std::vector<RECT> Buttons;
};

// A long message wraps at wrapWidth pixels.
TChoiceLayout Measure(HFONT font, const std::string& message, int buttonCount, int iconSize,
                      int wrapWidth) {
  const TWindowDC screen(nullptr);
  const HDC dc = screen.Get();
  const TSelection selected(dc, font);
  SIZE letters{};
  GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  const int unitX = letters.cx / 52;
  const int unitY = metrics.tmHeight;
  auto horizontal = [unitX](int units) { return MulDiv(units, unitX, 4); };
  auto vertical = [unitY](int units) { return MulDiv(units, unitY, 8); };

  RECT text{0, 0, wrapWidth, 0};
  DrawTextA(dc, message.c_str(), static_cast<int>(message.size()), &text,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
  int buttonWidth = horizontal(50);
  for (int i = 0; i < buttonCount; ++i) {
    RECT caption{};
    DrawTextA(dc, kStandardButtons[i].Caption, -1, &caption, DT_CALCRECT | DT_SINGLELINE);
    buttonWidth = std::max(buttonWidth, static_cast<int>(caption.right - caption.left) + 8);
  }

  const bool hasIcon = iconSize > 0;
  const int marginX = horizontal(8);
  const int marginY = vertical(8);
  const int iconSpace = hasIcon ? iconSize + horizontal(10) : 0;
  const int textWidth = text.right - text.left;
  const int textHeight = text.bottom - text.top;
  const int blockHeight = std::max(textHeight, hasIcon ? iconSize : 0);
  const int buttonHeight = vertical(14);
  const int buttonGap = horizontal(4);
  const int rowWidth = buttonCount * buttonWidth + (buttonCount - 1) * buttonGap;

  TChoiceLayout layout;
  layout.Client.cx = std::max(textWidth + iconSpace, rowWidth) + 2 * marginX;
  layout.Client.cy = blockHeight + buttonHeight + vertical(10) + 2 * marginY;
  if (hasIcon) layout.Icon = {marginX, marginY, marginX + iconSize, marginY + iconSize};
  layout.Message = {marginX + iconSpace, marginY, marginX + iconSpace + textWidth,
                    marginY + textHeight};
  const int buttonTop = marginY + blockHeight + vertical(10);
  int left = (layout.Client.cx - rowWidth) / 2;
  for (int i = 0; i < buttonCount; ++i, left += buttonWidth + buttonGap)
    layout.Buttons.push_back({left, buttonTop, left + buttonWidth, buttonTop + buttonHeight});
  return layout;
}

class TChoiceDialog : public TModalDialog {
public:
  TChoiceDialog(const std::string& caption, const std::string& message, TDialogKind kind,
                const std::string& buttonCaptions, int cancelIndex, int defaultIndex,
                int buttonCount, HICON icon);

  int Execute(HWND owner);

protected:
  void OnInit() override;
  bool OnOk() override { return HasButton(IDOK); }
  bool OnCancel() override { return HasButton(IDCANCEL); }
  // Without a cancel button the close box is greyed, and Alt+F4 does nothing
  // either; a cancel index beyond the buttons closes with a code no button
  // carries.
  bool OnClose() override { return CancelIndex >= 0; }
  void OnCommand(WORD id, WORD notification) override;
  SIZE LayOut(int dpi) override;

private:
  bool HasButton(int code) const {
    return std::find(Codes.begin(), Codes.end(), code) != Codes.end();
  }
  HWND Button(size_t index) const { return Item(static_cast<WORD>(Codes[index])); }

  std::string Caption;
  std::string Text;
  std::vector<std::string> Captions;
  std::vector<int> Codes; // each button's code, left to right
  int CancelIndex;
  int DefaultIndex;
  LPCSTR Standard;          // the kind's system icon, if it has one
  HICON GivenIcon;          // the caller's icon, shown instead
  TIconHandle StandardIcon; // the system's drawn at the dpi's size, when it is not the screen's
  TFontHandle MessageFont;
  TFontHandle FaceFont;
};

TChoiceDialog::TChoiceDialog(const std::string& caption, const std::string& message,
                             TDialogKind kind, const std::string& buttonCaptions, int cancelIndex,
                             int defaultIndex, int buttonCount, HICON icon)
    : Caption(caption), Text(message), Captions(CaptionLines(buttonCaptions, buttonCount)),
      CancelIndex(cancelIndex), DefaultIndex(defaultIndex), Standard(StandardIconOf(kind)),
      GivenIcon(icon) {
  for (int i = 0; i < buttonCount; ++i)
    Codes.push_back(i == cancelIndex ? IDCANCEL : kStandardButtons[i].Code);
  // Placed as the standard message dialog places itself.
  Centring = TCentring::HalfEach;
}

// The places come from the measured layout (LayOut), for the dialog's dpi.
int TChoiceDialog::Execute(HWND owner) {
  std::vector<TDialogControl> controls;
  if (Standard != nullptr)
    controls.push_back({.Class = "Static", .Style = SS_ICON, .Place = {}, .Id = kIconId});
  controls.push_back({.Class = "Static",
                      .Style = SS_LEFT,
                      .Place = {},
                      .Caption = Text.c_str(),
                      .Id = kMessageId});
  for (size_t i = 0; i < Codes.size(); ++i)
    controls.push_back(
        {.Class = "Button",
         .Style = static_cast<DWORD>(WS_TABSTOP | BS_PUSHBUTTON | (i == 0 ? WS_GROUP : 0)),
         .Place = {},
         .Caption = Captions[i].c_str(),
         .Id = static_cast<WORD>(Codes[i])});
  const INT_PTR code = Run(owner, {Caption.c_str(), {}, controls});
  const auto pressed = std::find(Codes.begin(), Codes.end(), static_cast<int>(code));
  return pressed == Codes.end() ? -1 : static_cast<int>(pressed - Codes.begin());
}

void TChoiceDialog::OnInit() {
  EnableMenuItem(GetSystemMenu(Handle, FALSE), SC_CLOSE,
                 MF_BYCOMMAND | (CancelIndex < 0 ? MF_GRAYED : MF_ENABLED));

  // The dialog manager's own first focus would not make its button the
  // default one, and Enter would then send IDOK to whichever button has it.
  const bool hasDefault = DefaultIndex >= 0 && DefaultIndex < static_cast<int>(Codes.size());
  const HWND focused = Button(hasDefault ? static_cast<size_t>(DefaultIndex) : 0);
  SendMessageA(Handle, DM_SETDEFID, static_cast<WPARAM>(GetDlgCtrlID(focused)), 0);
  FocusControl(focused);
}

// The icon, the fonts and the places, all for the dpi of the screen the
// dialog is on.
SIZE TChoiceDialog::LayOut(int dpi) {
  HICON icon = nullptr;
  TIconHandle drawnIcon;
  const int iconSize = SystemMetricAt(SM_CXICON, dpi);
  if (Standard != nullptr) {
    // The system's shared icon has the screen's size; another is drawn anew.
    if (GivenIcon == nullptr && iconSize != GetSystemMetrics(SM_CXICON))
      drawnIcon.Reset(LoadStandardIcon(Standard, iconSize));
    icon = GivenIcon != nullptr ? GivenIcon
           : drawnIcon          ? drawnIcon.Get()
                                : LoadIconA(nullptr, Standard);
  }
  LOGFONTA messageFont = MessageFontAt(dpi);
  TFontHandle measured(CreateFontIndirectA(&messageFont));
  // Laid out in the message font, drawn in the same size of the default face.
  LOGFONTA face = messageFont;
  face.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(face.lfFaceName, DefaultFontFace().c_str(), LF_FACESIZE);
  TFontHandle drawn(CreateFontIndirectA(&face));
  // Half the width of the screen the dialog opens on, as the standard message
  // dialog wraps: the primary screen's would make a box wider than a smaller
  // second screen, or tall and narrow on a larger one.
  const RECT area = WorkAreaOf(Owner);
  const TChoiceLayout layout =
      Measure(measured.Get(), Text, static_cast<int>(Codes.size()), icon != nullptr ? iconSize : 0,
              (area.right - area.left) / 2);

  if (icon != nullptr) {
    const HWND image = Item(kIconId);
    SendMessageA(image, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    Place(image, layout.Icon); // setting the icon sized the control to it
  }
  const HWND text = Item(kMessageId);
  SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(drawn.Get()), FALSE);
  Place(text, layout.Message);
  for (size_t i = 0; i < Codes.size(); ++i) {
    SendMessageA(Button(i), WM_SETFONT, reinterpret_cast<WPARAM>(drawn.Get()), FALSE);
    Place(Button(i), layout.Buttons[i]);
  }
  // What an earlier layout drew with goes now that no control holds it.
  StandardIcon = std::move(drawnIcon);
  MessageFont = std::move(measured);
  FaceFont = std::move(drawn);
  return layout.Client;
}

void TChoiceDialog::OnCommand(WORD id, WORD notification) {
  if (notification == BN_CLICKED && HasButton(id)) EndDialog(Handle, id);
}

} // namespace

int ShowChoiceDialog(HWND owner, const std::string& caption, const std::string& message,
                     TDialogKind kind, const std::string& buttonCaptions, int cancelIndex,
                     int defaultIndex, int buttonCount, HICON icon) {
  if (buttonCount < 1 || buttonCount > kMaxButtons)
    throw std::invalid_argument("The button count is invalid: " + std::to_string(buttonCount));
  TChoiceDialog dialog(caption, message, kind, buttonCaptions, cancelIndex, defaultIndex,
                       buttonCount, icon);
  return dialog.Execute(owner);
}
