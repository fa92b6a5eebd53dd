// The message loop of the program: shortcuts and dialog keys first, then the
// window procedures, and the main window's idle handler whenever the queue
// runs empty.
#pragma once

#include "mainform.h"

// Runs until the main window has closed; the exit code of the quit message.
int RunMessageLoop(TMainForm& form);

// Handles every message waiting now, then gives the idle handler its turn.
void ProcessMessages(TMainForm& form);
