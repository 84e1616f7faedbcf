#pragma once
// The colour picker control: a swatch with a drop-down of 32 named colours and the platform's
// colour dialog. It tells its parent of a choice through WM_COMMAND with its control id.
#include <windows.h>

#include "ui/definitions.h"

inline constexpr char kColourPickerClass[] = "NoteColourPicker";

// Registers the window class once per process; true when it is registered.
bool RegisterColourPicker(HINSTANCE instance);

// Messages to the picker.
inline constexpr UINT kPickerSetColour = WM_USER + 1;            // wParam: Colour; stored as given
inline constexpr UINT kPickerGetColour = WM_USER + 2;            // returns the stored Colour
inline constexpr UINT kPickerSetAllowTransparent = WM_USER + 3;  // wParam: 0 or 1
inline constexpr UINT kPickerGetAllowTransparent = WM_USER + 4;
inline constexpr UINT kPickerIsOpen = WM_USER + 5;               // 1 while the drop-down is shown

// Notifications to the parent: WM_COMMAND(MAKEWPARAM(control id, code), picker window).
inline constexpr WORD kPickerColourChosen = 1;  // after every choice, also one that keeps the colour
inline constexpr WORD kPickerGotFocus = 2;
inline constexpr WORD kPickerLostFocus = 3;
