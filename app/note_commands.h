#pragma once
// The handlers of the note window: its creation and the five menu commands.
#include "storage/text.h"

// The About box's four lines.
extern const char kAboutText[];

// Where the note window stands: (1200, 5), moved left and up just enough to lie inside the work
// area when it would not.
void PlaceWindowAndRestoreNote();
void About();
void OpenSettings();
void Exit();
void Save();
void SaveAs();
