// The nine toolbar pictures, drawn by the program at any size, so that a
// screen of higher density gets a sharp larger drawing instead of a blurred
// small one.
#pragma once

#include <windows.h>

#include <commctrl.h>

// An image list of the nine pictures, size x size pixels each, in toolbar
// order: New, Open, Save Log, Start, Review, List, Shuffle, Swap, Case.
HIMAGELIST CreateToolBarImages(int size);
