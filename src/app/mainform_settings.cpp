// The settings file: read at the end of start-up, written at a confirmed close.
#include "mainform.h"

void TMainForm::LoadSettings() {}

void TMainForm::SaveSettings() {}
