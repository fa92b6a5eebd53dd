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

// An image list of the nine pictures, size x size pixels each, or none when
// the system could not make it.
TImageListHandle CreateToolBarImages(int size);
