// The nine toolbar pictures, drawn by the program at any size, so that a
// screen of higher density gets a sharp larger drawing instead of a blurred
// small one.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "win/handles.h"

// The pictures, by their place in the image list.
enum TToolBarPicture : int {
  tpNew,
  tpOpen,
  tpSaveLog,
  tpStart,
  tpReview,
  tpList,
  tpShuffle,
  tpSwap,
  tpCase,
  tpCount
};

// The colours the pictures are drawn in, by what they stand for.
struct TPictureColors {
  COLORREF Ink, Paper, Fold, Blue, Green, Yellow, DarkYellow, Grey, Orange, Purple;
};
// The pictures' own colours.
extern const TPictureColors kOwnPictureColors;
// A contrast theme's: lines and letters in ink, faces in paper, what the own
// colours fill in the accent. Every picture still differs by its shape.
TPictureColors ThemePictureColors(COLORREF ink, COLORREF paper, COLORREF accent);

// Whether a contrast theme is on. Tests put their own answer in its place.
using THighContrast = bool (*)();
bool SystemHighContrast();
extern THighContrast HighContrastOn;

// An image list of the nine pictures, size x size pixels each, or none when
// the system could not make it.
TImageListHandle CreateToolBarImages(int size, const TPictureColors& colors = kOwnPictureColors);
