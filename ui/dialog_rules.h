#pragma once
// The conversions behind the file dialog, the message box and the moving of windows.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/layout.h"

// The filter text as the file dialog takes it: trailing white space removed, "||" appended when
// the text is not empty and does not end in two "|" characters, and each "|" turned into the
// zero byte that separates descriptions and patterns. A "|" byte that is the second half of a
// double-byte character (isLeadByte tells the lead bytes; nullptr for a single-byte code page)
// stays; a lone lead byte at the end stays as it is.
std::string DialogFilter(std::string_view filter, bool (*isLeadByte)(unsigned char));

struct DialogOptions {
  bool createPrompt, fileMustExist, overwritePrompt, pathMustExist, keepCurrentFolder;
};
// OFN_HIDEREADONLY, OFN_EXPLORER and OFN_ENABLESIZING always, and one flag per option that is on.
uint32_t DialogFlags(const DialogOptions& options);

// nFilterIndex: 0 without a filter, otherwise the 0-based filter index plus 1.
uint32_t DialogFilterIndex(bool filterEmpty, int32_t filterIndex);

// The message box style for a button code: MB_TASKMODAL added unless it asks for MB_SYSTEMMODAL.
uint32_t MessageBoxStyle(uint32_t buttonCode);

// The answer of a message box as the caller sees it: IDOK (or a failed call, 0) gives 0,
// IDCANCEL 1, IDABORT 2, IDRETRY 3, IDIGNORE 4, IDYES 5, IDNO 6.
int32_t MessageAnswer(int32_t messageBoxResult);

// The rectangle a move asks for: left and top move the window keeping its size; width and
// height (when given and not -1) change its size.
Rect MovedRect(const Rect& old, std::optional<int32_t> left, std::optional<int32_t> top,
               std::optional<int32_t> width, std::optional<int32_t> height);

// The window moved left and up just enough to lie inside the work area, or unchanged where it
// fits; a window larger than the area keeps its top-left corner on the area's.
Rect KeepInside(const Rect& window, const Rect& workArea);
