#include "options.h"

bool Equals(const TViewOptions& a, const TViewOptions& b) {
  return a.Toolbar == b.Toolbar && a.ToolbarCaptions == b.ToolbarCaptions &&
         a.FontName == b.FontName && a.FontSize == b.FontSize && a.TabWidth == b.TabWidth &&
         a.FontStyle == b.FontStyle && a.SwapPanels == b.SwapPanels && a.StatusBar == b.StatusBar &&
         a.LastPosition == b.LastPosition && a.Topmost == b.Topmost;
}

bool Equals(const TExamOptions& a, const TExamOptions& b) {
  return a.Shuffle == b.Shuffle && a.Swap == b.Swap && a.CaseSensitive == b.CaseSensitive;
}

bool Equals(const TSearchOptions& a, const TSearchOptions& b) {
  return a.FindText == b.FindText && a.MatchCase == b.MatchCase && a.WholeWord == b.WholeWord &&
         a.Down == b.Down;
}
