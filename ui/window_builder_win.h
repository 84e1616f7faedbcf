#pragma once
// Builds system windows from loaded records: the top-level window with its menu bar, and the
// child window of each control from its current values.
#include <windows.h>

#include "ui/loaded_windows_win.h"

inline constexpr char kWindowClass[] = "NoteWindow";
inline constexpr char kLabelClass[] = "NoteLabel";

// Registers the classes of the program's windows, labels and colour pickers. windowProcedure
// handles the top-level windows.
bool RegisterWindowClasses(HINSTANCE instance, WNDPROC windowProcedure);

// Builds the window hidden, with its menu bar and its controls; false when it cannot be built.
// owner may be null.
bool BuildWindow(LoadedWindow& window, HWND owner);

// Builds the control's child window from its current values, hidden and at the bottom of the
// z-order; nullptr when it cannot be built. Menu items and the dialog component get none.
HWND BuildControl(LoadedWindow& window, LoadedControl& control);

// The brush and colour a text box paints its background with.
COLORREF ShownColour(Colour colour);
void ReplaceBackgroundBrush(LoadedControl& control);

// The system window of a control, or of the window itself for its own control id.
HWND SystemWindowOf(LoadedWindow& window, uint32_t controlId);
