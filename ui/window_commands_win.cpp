#include <windows.h>

#include "app/fatal_error.h"
#include "app/fatal_messages.h"
#include "app/window_procedure_win.h"
#include "storage/run_directory.h"
#include "ui/common_dialogs_win.h"
#include "ui/dialog_rules.h"
#include "ui/loaded_windows_win.h"
#include "ui/window_builder_win.h"
#include "ui/window_commands.h"

namespace {

constexpr char kDefaultMessageTitle[] = "\xD0\xC5\xCF\xA2\xA3\xBA";  // 信息：

[[noreturn]] void TargetMissing(ControlRef ref) { FatalError(kMsgTargetMissing, ref.windowId, ref.controlId); }

// The system window a ControlRef names; the fatal report when there is none.
HWND ExistingSystemWindow(ControlRef ref) {
  LoadedWindow* window = FindLoadedWindow(ref.windowId);
  if (window == nullptr) TargetMissing(ref);
  HWND hwnd = SystemWindowOf(*window, ref.controlId);
  if (hwnd == nullptr || !IsWindow(hwnd)) TargetMissing(ref);
  return hwnd;
}

Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The window the user is working in: the top-level window holding the active window, or the
// pop-up it last activated.
HWND WorkingWindow() {
  HWND active = GetActiveWindow();
  if (active == nullptr) return nullptr;
  HWND top = GetAncestor(active, GA_ROOT);
  return top != nullptr ? GetLastActivePopup(top) : active;
}

}  // namespace

bool RunCommonDialog(ControlRef dialog) {
  LoadedWindow* window = FindLoadedWindow(dialog.windowId);
  LoadedControl* control = window != nullptr ? FindLoadedControl(*window, dialog.controlId) : nullptr;
  if (control == nullptr || control->definition->type != ControlType::CommonDlg) TargetMissing(dialog);
  const CurrentValues& values = control->values;
  const int32_t kind = values.Integer(prop::kDialogKind);
  if (kind != 0 && kind != 1) return false;  // the font and help kinds are not used by this program

  const std::string filter = DialogFilter(values.TextOf(prop::kDialogFilter), IsAnsiLeadByte);
  const Text title = values.TextOf(prop::kDialogTitle);
  const Text folder = values.TextOf(prop::kDialogInitialFolder);
  const Text extension = values.TextOf(prop::kDialogDefaultExtension);
  char fileName[MAX_PATH] = {};
  values.TextOf(prop::kDialogFileName).copy(fileName, MAX_PATH - 1);

  OPENFILENAMEA dialogSettings = {};
  dialogSettings.lStructSize = sizeof dialogSettings;
  // With no active window (a message box that had no owner has just closed, say), the dialog is
  // owned by the window its component belongs to, so it still keeps that window disabled.
  HWND owner = WorkingWindow();
  dialogSettings.hwndOwner = owner != nullptr ? owner : window->hwnd;
  dialogSettings.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  dialogSettings.nFilterIndex = DialogFilterIndex(filter.empty(), values.Integer(prop::kDialogFilterIndex));
  dialogSettings.lpstrFile = fileName;
  dialogSettings.nMaxFile = MAX_PATH;
  dialogSettings.lpstrTitle = title.empty() ? nullptr : title.c_str();
  dialogSettings.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialogSettings.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  dialogSettings.Flags = DialogFlags({values.Integer(prop::kDialogCreatePrompt) != 0,
                                      values.Integer(prop::kDialogFileMustExist) != 0,
                                      values.Integer(prop::kDialogOverwritePrompt) != 0,
                                      values.Integer(prop::kDialogPathMustExist) != 0,
                                      values.Integer(prop::kDialogKeepCurrentFolder) != 0});

  HWND focus = GetFocus();
  const bool confirmed = ShowFileDialog(kind == 1, dialogSettings);
  if (focus != nullptr && IsWindow(focus)) SetFocus(focus);
  if (!confirmed) return false;
  // The dialog's loop may have run handlers: look the component up again.
  if (LoadedWindow* live = FindLoadedWindow(dialog.windowId)) {
    if (LoadedControl* component = FindLoadedControl(*live, dialog.controlId)) {
      component->values.Set(prop::kDialogFileName, Value::OfText(fileName));
    }
  }
  return true;
}

void MoveTo(ControlRef ref, std::optional<int32_t> left, std::optional<int32_t> top,
            std::optional<int32_t> width, std::optional<int32_t> height) {
  HWND hwnd = ExistingSystemWindow(ref);
  RECT current;
  GetWindowRect(hwnd, &current);
  if ((GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD) != 0) {
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&current), 2);
  }
  const Rect old = ToRect(current);
  const Rect moved = MovedRect(old, left, top, width, height);
  if (moved == old) return;
  MoveWindow(hwnd, moved.left, moved.top, moved.Width(), moved.Height(), TRUE);
}

Rect WindowRect(ControlRef window) {
  RECT rect;
  GetWindowRect(ExistingSystemWindow(window), &rect);
  return ToRect(rect);
}

Rect WorkAreaNear(int32_t x, int32_t y) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  HMONITOR monitor = MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONEAREST);
  if (monitor == nullptr || !GetMonitorInfoA(monitor, &info)) {
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return ToRect(info.rcWork);
}

void RequestDestroy(ControlRef ref, bool atOnce) {
  LoadedWindow* window = FindLoadedWindow(ref.windowId);
  if (window == nullptr) TargetMissing(ref);
  window->destroyRequested = true;
  if (atOnce) {
    DestroyOnRequest(*window);
  } else {
    PostMessageA(window->hwnd, kDestroyRequestMessage, 0, 0);
  }
}

int32_t ShowMessage(const Text& text, uint32_t buttonCode, std::optional<Text> title,
                    std::optional<ControlRef> owner) {
  HWND ownerWindow = nullptr;
  if (owner) {
    if (LoadedWindow* window = FindLoadedWindow(owner->windowId)) ownerWindow = window->hwnd;
  }
  const Text caption = title ? *title : Text(kDefaultMessageTitle);
  HWND active = GetActiveWindow();
  const int answer = MessageBoxA(ownerWindow, text.c_str(), caption.c_str(), MessageBoxStyle(buttonCode));
  // A box without an owner does not hand the activation back when it closes (Wine leaves no
  // window active): the window the user was working in gets it back, so typing goes on there.
  if (GetActiveWindow() == nullptr && active != nullptr && IsWindow(active) && IsWindowEnabled(active)) {
    SetForegroundWindow(active);
  }
  return MessageAnswer(answer);
}
