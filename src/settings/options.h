// The three option records: how the window looks, how an examination runs and
// what a search of the log looks for. They are values, copied and compared as
// a whole; a command changes a copy and hands it back.
#pragma once

#include <bitset>
#include <string>

enum TFontStyle { fsBold = 0, fsItalic = 1, fsUnderline = 2, fsStrikeOut = 3 };
using TFontStyles = std::bitset<4>;

class TViewOptions {
public:
  bool Toolbar = true;
  bool ToolbarCaptions = false;
  std::string FontName = "Default";
  int FontSize = 9;
  int TabWidth = 8;
  TFontStyles FontStyle;
  bool SwapPanels = false;
  bool StatusBar = true;
  bool LastPosition = false;
  bool Topmost = false;

  // The style as bits: 1 bold, 2 italic, 4 underline, 8 strike-out.
  int FontStyleToBits() const { return static_cast<int>(FontStyle.to_ulong()); }
  // Sets the style from bits 0 to 3; higher bits are ignored.
  void BitsToFontStyle(int bits) { FontStyle = TFontStyles(static_cast<unsigned>(bits) & 0xFu); }

  bool operator==(const TViewOptions&) const = default;
};

class TExamOptions {
public:
  bool Shuffle = true;
  bool Swap = false;
  bool CaseSensitive = false;

  bool operator==(const TExamOptions&) const = default;
};

class TSearchOptions {
public:
  std::string FindText;
  bool MatchCase = false;
  bool WholeWord = false;
  bool Down = true;

  bool operator==(const TSearchOptions&) const = default;
};
