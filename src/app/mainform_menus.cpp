// Building the menu, the shortcuts and the toolbar from the command table.
#include <algorithm>
#include <stdexcept>
#include <vector>

#include "commands.h"
#include "mainform.h"
#include "toolbarimages.h"

namespace {

// An entry of a menu: a command, a separator (cmNone without a submenu) or
// the history submenu.
struct TMenuEntry {
  TCommandId Command;
  const char* Caption;
  bool HistorySubmenu = false;
};

struct TMenuColumn {
  const char* Caption;
  std::vector<TMenuEntry> Entries;
};

const TMenuEntry kSeparator{cmNone, nullptr};

const std::vector<TMenuColumn>& MenuTable() {
  static const std::vector<TMenuColumn> table = {
      {"&File",
       {{cmNew, "&New"},
        {cmOpen, "&Open..."},
        {cmSaveLog, "&Save Log..."},
        kSeparator,
        {cmStart, "S&tart"},
        {cmReview, "&Review"},
        {cmList, "&List"},
        kSeparator,
        {cmNone, "&History", true},
        kSeparator,
        {cmExit, "E&xit"}}},
      {"&Edit",
       {{cmFind, "&Find..."},
        {cmFindNext, "Find &Next"},
        {cmFindPrev, "Find &Prev"},
        kSeparator,
        {cmSelectAll, "&Select All"}}},
      {"&View",
       {{cmToolbar, "&Toolbar"},
        {cmToolbarCaptions, "Toolbar &Captions"},
        {cmFont, "&Font..."},
        {cmTabWidth, "Tab &Width..."},
        {cmSwapPanels, "&Swap Panels"},
        {cmStatusBar, "Status &Bar"},
        kSeparator,
        {cmLastPosition, "&Last Position"},
        {cmTopmost, "T&opmost"},
        kSeparator,
        {cmDefaultView, "&Default..."}}},
      {"&Options",
       {{cmShuffle, "&Shuffle"},
        {cmSwap, "S&wap"},
        {cmCaseSensitive, "&Case Sensitive"},
        kSeparator,
        {cmDefaultExam, "&Default..."}}},
      {"&Help", {{cmHelp, "&Help..."}, kSeparator, {cmAbout, "&About"}}},
  };
  return table;
}

// The caption with its shortcut shown after a TAB.
std::string MenuCaption(TCommandId command, const char* caption) {
  std::string text = caption;
  for (const TShortcut& shortcut : Shortcuts)
    if (shortcut.Command == command) text.append("\t").append(shortcut.Text);
  return text;
}

void Append(HMENU menu, UINT flags, UINT_PTR id, const std::string& caption) {
  if (!AppendMenuA(menu, flags, id, caption.empty() ? nullptr : caption.c_str()))
    throw std::runtime_error("The menu of the main window cannot be built.");
}

HMENU NewPopup() {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) throw std::runtime_error("The menu of the main window cannot be built.");
  return menu;
}

} // namespace

void TMainForm::CreateMainMenu() {
  HMENU bar = CreateMenu();
  if (bar == nullptr) throw std::runtime_error("The menu of the main window cannot be built.");
  for (const TMenuColumn& column : MenuTable()) {
    HMENU popup = NewPopup();
    for (const TMenuEntry& entry : column.Entries) {
      if (entry.HistorySubmenu) {
        HMENU history = NewPopup();
        for (int slot = 0; slot < HistorySlots; ++slot)
          Append(history, MF_STRING, cmHistoryFirst + slot, "File " + std::to_string(slot + 1));
        Append(history, MF_SEPARATOR, 0, "");
        Append(history, MF_STRING, cmClear, "&Clear...");
        Append(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(history), entry.Caption);
      } else if (entry.Command == cmNone) {
        Append(popup, MF_SEPARATOR, 0, "");
      } else {
        Append(popup, MF_STRING, entry.Command, MenuCaption(entry.Command, entry.Caption));
      }
    }
    Append(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), column.Caption);
  }
  if (!SetMenu(Window.Handle, bar)) {
    DestroyMenu(bar);
    throw std::runtime_error("The menu of the main window cannot be built.");
  }
  NameMenuItems();

  std::vector<ACCEL> keys;
  for (const TShortcut& shortcut : Shortcuts)
    keys.push_back({static_cast<BYTE>(FVIRTKEY | shortcut.Modifiers), shortcut.Key,
                    static_cast<WORD>(shortcut.Command)});
  Accelerators = CreateAcceleratorTableA(keys.data(), static_cast<int>(keys.size()));
}

void TMainForm::NameMenuItems() {
  HMENU bar = GetMenu(Window.Handle);
  const auto item = [bar](TMenuItem& menuItem, UINT id) {
    menuItem.Menu = bar;
    menuItem.Id = id;
  };
  item(NewM1, cmNew);
  item(OpenM1, cmOpen);
  item(SaveLogM1, cmSaveLog);
  item(StartM1, cmStart);
  item(ReviewM1, cmReview);
  item(ListM1, cmList);
  for (int slot = 0; slot < HistorySlots; ++slot) item(FileM1s[slot], cmHistoryFirst + slot);
  item(ClearM1, cmClear);
  item(ExitM1, cmExit);
  item(FindM1, cmFind);
  item(FindNextM1, cmFindNext);
  item(FindPrevM1, cmFindPrev);
  item(SelectAllM1, cmSelectAll);
  item(ToolbarM1, cmToolbar);
  item(ToolbarCaptionsM1, cmToolbarCaptions);
  item(FontM1, cmFont);
  item(TabWidthM1, cmTabWidth);
  item(SwapPanelsM1, cmSwapPanels);
  item(StatusBarM1, cmStatusBar);
  item(LastPositionM1, cmLastPosition);
  item(TopmostM1, cmTopmost);
  item(DefaultM1, cmDefaultView);
  item(ShuffleM1, cmShuffle);
  item(SwapM1, cmSwap);
  item(CaseSensitiveM1, cmCaseSensitive);
  item(DefaultM2, cmDefaultExam);
  item(HelpM2, cmHelp);
  item(AboutM1, cmAbout);
}

void TMainForm::CreateToolBar() {
  ToolBar.Handle = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                    WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                        CCS_TOP | CCS_NODIVIDER,
                                    0, 0, 0, 0, Window.Handle, nullptr, Instance, nullptr);
  if (ToolBar.Handle == nullptr) throw std::runtime_error("The toolbar cannot be created.");
  ToolBar.Send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  ToolBar.SetFont(WindowFont);
  SetToolBarImages();
  const auto button = [this](TToolButton& toolButton, TCommandId id) {
    toolButton.ToolBar = ToolBar.Handle;
    toolButton.Id = id;
  };
  button(NewT1, cmNew);
  button(OpenT1, cmOpen);
  button(LogT1, cmSaveLog);
  button(StartT1, cmStart);
  button(ReviewT1, cmReview);
  button(ListT1, cmList);
  button(ShuffleT1, cmShuffle);
  button(SwapT1, cmSwap);
  button(CaseT1, cmCaseSensitive);
  SetToolBarCaptions(false);
}

// Pictures drawn for the window's density rather than scaled up.
void TMainForm::SetToolBarImages() {
  HIMAGELIST images = CreateToolBarImages(MulDiv(16, Dpi, 96));
  if (images == nullptr) return; // the buttons keep the pictures they have, if any
  ToolBar.Send(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  if (ToolBarImages != nullptr) ImageList_Destroy(ToolBarImages);
  ToolBarImages = images;
}

// The width of the widest button caption in the toolbar's font.
int TMainForm::WidestCaption() const {
  HDC dc = GetDC(ToolBar.Handle);
  HGDIOBJ old = SelectObject(dc, WindowFont);
  int widest = 0;
  for (const TToolButtonEntry& entry : ToolButtonTable) {
    SIZE size{};
    if (entry.Command != cmNone &&
        GetTextExtentPoint32A(dc, entry.Caption, lstrlenA(entry.Caption), &size))
      widest = std::max<int>(widest, size.cx);
  }
  SelectObject(dc, old);
  ReleaseDC(ToolBar.Handle, dc);
  return widest;
}

// The buttons are laid out anew with or without their captions; their
// states are kept.
void TMainForm::SetToolBarCaptions(bool captions) {
  std::vector<BYTE> states;
  const int count = static_cast<int>(ToolBar.Send(TB_BUTTONCOUNT));
  for (int i = 0; i < count; ++i) {
    TBBUTTON old{};
    ToolBar.Send(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&old));
    states.push_back(old.fsState);
  }
  while (ToolBar.Send(TB_BUTTONCOUNT) > 0) ToolBar.Send(TB_DELETEBUTTON, 0);

  std::vector<TBBUTTON> buttons;
  int image = 0;
  for (const TToolButtonEntry& entry : ToolButtonTable) {
    TBBUTTON button{};
    if (entry.Command == cmNone) {
      button.iBitmap = MulDiv(8, Dpi, 120);
      button.fsStyle = BTNS_SEP;
    } else {
      button.iBitmap = image++;
      button.idCommand = entry.Command;
      button.fsStyle = static_cast<BYTE>(entry.Check ? BTNS_CHECK : BTNS_BUTTON);
      button.iString = captions ? reinterpret_cast<INT_PTR>(entry.Caption) : -1;
    }
    const size_t index = buttons.size();
    button.fsState = index < states.size() ? states[index] : TBSTATE_ENABLED;
    buttons.push_back(button);
  }
  // The padding goes first: the toolbar measures its buttons as they come.
  const int imageSize = MulDiv(16, Dpi, 96);
  const int plainWidth = MulDiv(22, Dpi, 96), plainHeight = MulDiv(21, Dpi, 96);
  if (captions)
    ToolBar.Send(TB_SETPADDING, 0, MAKELPARAM(MulDiv(7, Dpi, 96), MulDiv(6, Dpi, 96)));
  else // just the picture: the padding is what 22 x 21 leaves around it
    ToolBar.Send(TB_SETPADDING, 0, MAKELPARAM(plainWidth - imageSize, plainHeight - imageSize));
  ToolBar.Send(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  if (captions) {
    // Room for the picture and the widest caption under it, at least the
    // designed size: a caption cut to "Shuf..." says nothing.
    const LRESULT measured = ToolBar.Send(TB_GETBUTTONSIZE);
    const int width = std::max(
        {static_cast<int>(LOWORD(measured)), WidestCaption() + MulDiv(12, Dpi, 96), Scale(53)});
    const int height = std::max<int>(HIWORD(measured), Scale(38));
    ToolBar.Send(TB_SETBUTTONSIZE, 0, MAKELPARAM(width, height));
  } else {
    ToolBar.Send(TB_SETBUTTONSIZE, 0, MAKELPARAM(plainWidth, plainHeight));
  }
  ToolBar.Send(TB_AUTOSIZE);
  if (HWND tips = reinterpret_cast<HWND>(ToolBar.Send(TB_GETTOOLTIPS)))
    SendMessageA(tips, TTM_ACTIVATE, !captions, 0);
  ToolTipsShown = !captions;
  ToolBarCaptionsShown = captions;
}

LRESULT TMainForm::WMNotify(NMHDR* header) {
  // The hints of the buttons, shown as tooltips while there are no captions.
  if (header->code == TTN_GETDISPINFOA) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    info->lpszText = const_cast<char*>("");
    if (ToolTipsShown)
      for (const TToolButtonEntry& entry : ToolButtonTable)
        if (entry.Command != cmNone && static_cast<UINT_PTR>(entry.Command) == header->idFrom)
          info->lpszText = const_cast<char*>(entry.Hint);
  }
  return 0;
}
