// An in-memory dialog template for DialogBoxIndirectParamA. The template
// holds only the structure: classes, styles, ids and places. Texts are set on
// the live controls when the dialog starts (WM_INITDIALOG), so they stay bytes
// in the ANSI code page and never pass through a wide-character template.
#pragma once

#include <string_view>
#include <vector>

#include <windows.h>

class TDialogTemplate {
public:
  // A dialog with the given style (DS_SETFONT is added) and a size in dialog
  // units; the font is the shell's dialog face at pointSize.
  TDialogTemplate(DWORD style, short width, short height, WORD pointSize = 8);

  // A control of a predefined or registered class ("Button", "Edit",
  // "Static", ...), placed in dialog units.
  void AddControl(std::string_view className, WORD id, DWORD style, short left, short top,
                  short width, short height, DWORD exStyle = 0);

  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(Words.data()); }

private:
  void AlignToDword();
  void AddAscii(std::string_view text);

  std::vector<WORD> Words;
};
