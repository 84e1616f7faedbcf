#pragma once
// The common dialogs of comdlg32.dll, loaded from the system folder when a dialog is first shown
// rather than at start: under Wine the library brings shell32 and four more with it, about 6 MiB
// of the program's working set and a fifth of its start time, for dialogs that most sessions
// never open. The library stays loaded once it is there.
#include <windows.h>
#include <commdlg.h>

// GetSaveFileNameA when save is true, GetOpenFileNameA otherwise. False when the user cancels,
// when the dialog fails, and when comdlg32.dll cannot be loaded.
bool ShowFileDialog(bool save, OPENFILENAMEA& settings);

// ChooseColorA. False when the user cancels, when the dialog fails, and when comdlg32.dll
// cannot be loaded.
bool ShowColourDialog(CHOOSECOLORA& settings);
