#include "dialogtemplate.h"

#include <cstring>

namespace {

// Appends the raw bytes of a fixed-layout record.
template <typename TRecord> void AppendRecord(std::vector<WORD>& words, const TRecord& record) {
  static_assert(sizeof(TRecord) % sizeof(WORD) == 0);
  const size_t at = words.size();
  words.resize(at + sizeof(TRecord) / sizeof(WORD));
  std::memcpy(words.data() + at, &record, sizeof(TRecord));
}

} // namespace

TDialogTemplate::TDialogTemplate(DWORD style, short width, short height, WORD pointSize) {
  DLGTEMPLATE header{};
  header.style = style | DS_SETFONT;
  header.cx = width;
  header.cy = height;
  AppendRecord(Words, header);
  Words.push_back(0); // no menu
  Words.push_back(0); // the standard dialog class
  Words.push_back(0); // no title: set when the dialog starts
  Words.push_back(pointSize);
  AddAscii("MS Shell Dlg");
}

void TDialogTemplate::AddControl(std::string_view className, WORD id, DWORD style, short left,
                                 short top, short width, short height, DWORD exStyle) {
  AlignToDword();
  DLGITEMTEMPLATE item{};
  item.style = style | WS_CHILD;
  item.dwExtendedStyle = exStyle;
  item.x = left;
  item.y = top;
  item.cx = width;
  item.cy = height;
  item.id = id;
  AppendRecord(Words, item);
  AddAscii(className);
  Words.push_back(0); // no text: set when the dialog starts
  Words.push_back(0); // no creation data
  // The header counts its controls.
  reinterpret_cast<DLGTEMPLATE*>(Words.data())->cdit++;
}

void TDialogTemplate::AlignToDword() {
  if (Words.size() % 2 != 0) Words.push_back(0);
}

void TDialogTemplate::AddAscii(std::string_view text) {
  for (char c : text) Words.push_back(static_cast<unsigned char>(c));
  Words.push_back(0);
}
