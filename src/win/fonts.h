// The fonts of the window: the face "Default" stands for the system's
// user-interface face.
#pragma once

#include <string>

#include <windows.h>

#include "settings/options.h"

// The system's message font at the dpi: asked for that dpi where the system
// can, else the system's own scaled to it.
LOGFONTA MessageFontAt(int dpi);

// The name of the system's default user-interface face.
std::string DefaultFontFace();

// The face to ask for: the default face for "Default" (in any letter case),
// else the name.
std::string ResolveFontFace(const std::string& name);

// A font of the face (or "Default", the message font's face at the dpi), size
// in points and style at the dpi.
// Sizes the system cannot draw (zero, negative, huge) are brought into a
// drawable range instead of failing.
HFONT CreateFontOf(const std::string& face, int points, const TFontStyles& style, int dpi);

inline HFONT CreateDefaultFont(int points, int dpi) {
  return CreateFontOf("Default", points, TFontStyles(), dpi);
}

// The font of the windows and dialogs: "Default" at 9 points, which is 15
// pixels at the design's 120 dpi.
inline HFONT CreateWindowFont(int dpi) { return CreateDefaultFont(9, dpi); }
