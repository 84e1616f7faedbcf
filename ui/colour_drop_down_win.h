#pragma once
// The colour picker's drop-down: a pop-up with the 32 named colours, the optional "透明" box and
// the "其它颜色..." box that runs the platform's colour dialog. It takes the mouse capture while it
// is shown; the picker keeps the keyboard focus and passes its keys on. When the user chooses or
// cancels, the drop-down destroys itself and then sends kDropDownClosed to its picker.
#include <windows.h>

#include "ui/definitions.h"

inline constexpr char kColourDropDownClass[] = "NoteColourDropDown";

// Sent to the picker once the drop-down is gone: wParam is 1 for a choice and 0 for a cancel,
// lParam the chosen colour.
inline constexpr UINT kDropDownClosed = WM_USER + 64;

bool RegisterColourDropDown(HINSTANCE instance);

// Shows the drop-down below the picker (or where it fits on the screen) and takes the mouse
// capture. The window, or nullptr when it could not be made.
HWND OpenColourDropDown(HWND picker, Colour starting, bool allowTransparent);

// A key the picker passes on while its drop-down is open: the arrow keys move the highlight,
// Enter and Space choose, Esc and F4 cancel. True when the key was used.
bool PassKeyToDropDown(HWND dropDown, UINT virtualKey);

// Closes the drop-down without a choice (the picker lost the focus, was disabled or is going).
// Does nothing while the colour dialog is up: that dialog decides.
void CancelDropDown(HWND dropDown);
