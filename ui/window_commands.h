#pragma once
// Operations on whole windows, the file dialog component and message boxes.
#include <optional>

#include "storage/text.h"
#include "ui/definitions.h"
#include "ui/layout.h"

// Shows the file dialog that a CommonDlg describes; true when the user confirmed a file, whose
// full path then becomes the component's file name.
bool RunCommonDialog(ControlRef dialog);

// Loads a window from its definition. A modal load returns only once the window is gone (or a
// quit request is next). False when the window cannot be loaded.
bool LoadWindow(uint32_t windowId, std::optional<ControlRef> parent, bool modal);

// Moves a window or control; omitted values keep their present ones.
void MoveTo(ControlRef ref, std::optional<int32_t> left, std::optional<int32_t> top,
            std::optional<int32_t> width = std::nullopt, std::optional<int32_t> height = std::nullopt);

// The window's outer rectangle on the screen.
Rect WindowRect(ControlRef window);

// The work area of the monitor nearest the screen point.
Rect WorkAreaNear(int32_t x, int32_t y);

// Marks the window for destruction; it goes when the loop takes the posted request, or now
// when atOnce is set.
void RequestDestroy(ControlRef window, bool atOnce = false);

// A message box; the answer as MessageAnswer gives it. The title defaults to "信息：".
int32_t ShowMessage(const Text& text, uint32_t buttonCode, std::optional<Text> title = std::nullopt,
                    std::optional<ControlRef> owner = std::nullopt);
