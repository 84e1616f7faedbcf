#pragma once
// The window procedure of the program's top-level windows: commands and clicks become events,
// closing and destroying follow the program's rules.
#include <windows.h>

#include "ui/loaded_windows_win.h"

// The private message that carries a destroy request.
inline constexpr UINT kDestroyRequestMessage = WM_APP + 0x100;

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Enables again the windows a modal load disabled, each to the state it had.
void RestoreModalRecord(LoadedWindow& window);

// Clears the window's destroy request and destroys it, without the closing events.
void DestroyOnRequest(LoadedWindow& window);
