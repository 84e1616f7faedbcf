#include "ui/dialog_rules.h"

#include "ui/win32_values.h"

std::string DialogFilter(std::string_view filter, bool (*isLeadByte)(unsigned char)) {
  size_t length = filter.size();
  while (length > 0 && (filter[length - 1] == ' ' ||
                        (filter[length - 1] >= '\t' && filter[length - 1] <= '\r'))) {
    --length;
  }
  std::string converted(filter.substr(0, length));
  if (converted.empty()) return converted;
  // Separators are counted as characters, not bytes: a "|" that is a trail byte does not end the
  // list, and a lone lead byte at the end does not take the closing pair's first "|" as its own.
  size_t separatorsAtEnd = 0;
  for (size_t i = 0; i < converted.size(); ++i) {
    if (isLeadByte != nullptr && isLeadByte(static_cast<unsigned char>(converted[i])) &&
        i + 1 < converted.size()) {
      ++i;  // the trail byte belongs to this character
      separatorsAtEnd = 0;
      continue;
    }
    if (converted[i] == '|') {
      converted[i] = '\0';
      ++separatorsAtEnd;
    } else {
      separatorsAtEnd = 0;
    }
  }
  if (separatorsAtEnd < 2) converted.append(2, '\0');
  return converted;
}

uint32_t DialogFlags(const DialogOptions& options) {
  using namespace win32;
  uint32_t flags = kOfnHideReadOnly | kOfnExplorer | kOfnEnableSizing;
  if (options.createPrompt) flags |= kOfnCreatePrompt;
  if (options.fileMustExist) flags |= kOfnFileMustExist;
  if (options.overwritePrompt) flags |= kOfnOverwritePrompt;
  if (options.pathMustExist) flags |= kOfnPathMustExist;
  if (options.keepCurrentFolder) flags |= kOfnNoChangeDir;
  return flags;
}

uint32_t DialogFilterIndex(bool filterEmpty, int32_t filterIndex) {
  return filterEmpty ? 0 : static_cast<uint32_t>(filterIndex) + 1;
}

uint32_t MessageBoxStyle(uint32_t buttonCode) {
  if ((buttonCode & win32::kMbSystemModal) != 0) return buttonCode;
  return buttonCode | win32::kMbTaskModal;
}

int32_t MessageAnswer(int32_t messageBoxResult) {
  return messageBoxResult >= 1 && messageBoxResult <= 7 ? messageBoxResult - 1 : 0;
}

Rect MovedRect(const Rect& old, std::optional<int32_t> left, std::optional<int32_t> top,
               std::optional<int32_t> width, std::optional<int32_t> height) {
  Rect moved = old;
  if (left) {
    moved.right = *left + old.Width();
    moved.left = *left;
  }
  if (top) {
    moved.bottom = *top + old.Height();
    moved.top = *top;
  }
  if (width && *width != -1) moved.right = moved.left + *width;
  if (height && *height != -1) moved.bottom = moved.top + *height;
  return moved;
}

Rect KeepInside(const Rect& window, const Rect& workArea) {
  int32_t dx = 0;
  int32_t dy = 0;
  if (window.right > workArea.right) dx = workArea.right - window.right;
  if (window.bottom > workArea.bottom) dy = workArea.bottom - window.bottom;
  if (window.left + dx < workArea.left) dx = workArea.left - window.left;
  if (window.top + dy < workArea.top) dy = workArea.top - window.top;
  return {window.left + dx, window.top + dy, window.right + dx, window.bottom + dy};
}
