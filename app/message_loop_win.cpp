#include "app/message_loop_win.h"

#include <vector>

#include "app/program.h"
#include "ui/layout.h"
#include "ui/loaded_windows_win.h"

namespace {

void Handle(MSG& message) {
  if (FilterKey(message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

// Takes the next waiting message unless it is the quit request; false when there is none to take.
bool TakeWaitingMessage(MSG& message) {
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) return false;
  if (message.message == WM_QUIT) return false;
  return PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE;
}

bool ControlIsFocusable(const LoadedControl& control) {
  return control.hwnd != nullptr && IsWindowVisible(control.hwnd) && IsWindowEnabled(control.hwnd);
}

void MoveFocus(LoadedWindow& window, LoadedControl* focused, bool forward) {
  const size_t next = NextInOrder(FocusOrder(*window.definition), focused ? focused->index : SIZE_MAX,
                                  forward, [&](size_t i) { return ControlIsFocusable(window.controls[i]); });
  if (next != SIZE_MAX) SetFocus(window.controls[next].hwnd);
}

void CheckNextRadioBox(LoadedWindow& window, LoadedControl& focused, bool forward) {
  const size_t next = NextInOrder(RadioBoxOrder(*window.definition), focused.index, forward,
                                  [&](size_t i) { return ControlIsFocusable(window.controls[i]); });
  if (next == SIZE_MAX) return;
  for (size_t i : RadioBoxOrder(*window.definition)) {
    LoadedControl& radio = window.controls[i];
    if (radio.hwnd != nullptr && GetParent(radio.hwnd) == GetParent(focused.hwnd)) {
      SendMessageA(radio.hwnd, BM_SETCHECK, i == next ? BST_CHECKED : BST_UNCHECKED, 0);
    }
  }
  SetFocus(window.controls[next].hwnd);
}

bool IsDefaultButton(const LoadedControl& control) {
  return control.definition->type == ControlType::Button &&
         control.values.Integer(prop::kButtonKind) == 1;
}

void Activate(LoadedControl& control) {
  SetFocus(control.hwnd);
  if (control.definition->type == ControlType::Button || control.definition->type == ControlType::RadioBox) {
    SendMessageA(control.hwnd, BM_CLICK, 0, 0);
  }
}

bool HandleEnter(LoadedWindow& window, LoadedControl* focused) {
  if (focused != nullptr && focused->definition->type == ControlType::EditBox &&
      focused->values.Integer(prop::kEditMultiLine) != 0 &&
      focused->values.Integer(prop::kEditInputMode) != 1) {
    return false;  // a multi-line, editable text box takes Enter itself
  }
  if (focused != nullptr && IsDefaultButton(*focused) && IsWindowEnabled(focused->hwnd)) {
    SendMessageA(focused->hwnd, BM_CLICK, 0, 0);
    return true;
  }
  if (window.values.Integer(prop::kEnterMovesFocus) != 0) {
    MoveFocus(window, focused, true);
    return true;
  }
  for (LoadedControl& control : window.controls) {
    if (IsDefaultButton(control) && control.hwnd != nullptr && IsWindowEnabled(control.hwnd)) {
      SendMessageA(control.hwnd, BM_CLICK, 0, 0);
      return true;
    }
  }
  return false;
}

bool HandleMnemonic(LoadedWindow& window, WPARAM key) {
  char wanted = 0;
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) wanted = static_cast<char>(key);
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) wanted = static_cast<char>('0' + (key - VK_NUMPAD0));
  if (wanted == 0) return false;
  for (LoadedControl& control : window.controls) {
    // A text box's text is the user's, not a caption that marks a key.
    if (control.definition->type == ControlType::EditBox || !ControlIsFocusable(control)) continue;
    if (MnemonicOf(CaptionOf(control)) == wanted) {
      Activate(control);
      return true;
    }
  }
  return false;
}

}  // namespace

void DispatchWaitingMessages() {
  MSG message;
  while (TakeWaitingMessage(message)) Handle(message);
}

int RunMessageLoop() {
  ExistingProgram()->loopStarted = true;
  if (!AnyWindowAlive()) return 0;
  // GetMessage fails for one message it cannot deliver (Wine refuses text of more than about
  // 1 MiB sent from another process); the loop goes on, so the note is not lost with it. Only a
  // failure that does not go away ends the loop.
  constexpr int kFailuresInARowToGiveUp = 1000;
  int failuresInARow = 0;
  MSG message;
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);  // the quit request
    if (got == -1) {
      if (++failuresInARow == kFailuresInARowToGiveUp) return 0;
      continue;
    }
    failuresInARow = 0;
    Handle(message);
  }
}

void RunModalLoop(uint32_t windowId) {
  ProgramState& program = *ExistingProgram();
  const std::optional<uint32_t> previous = program.modalWindow;
  program.modalWindow = windowId;
  MSG message;
  while (program.modalWindow) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      WaitMessage();  // no idle work in this program
      continue;
    }
    if (message.message == WM_QUIT) break;  // left for the loop around this one
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) continue;
    Handle(message);
  }
  program.modalWindow = previous;
}

bool FilterKey(const MSG& message) {
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST || message.message > 0x108) {
    return false;
  }
  LoadedWindow* window = LoadedWindowOf(GetAncestor(message.hwnd, GA_ROOT));
  if (window == nullptr || !IsWindowEnabled(message.hwnd)) return false;
  // No menu item of this program has a shortcut, so there is no accelerator table to try.
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;

  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool alt = message.message == WM_SYSKEYDOWN || GetKeyState(VK_MENU) < 0;
  LoadedControl* focused = LoadedControlOf(*window, GetFocus());
  const WPARAM key = message.wParam;

  if (alt) return !ctrl && !shift && HandleMnemonic(*window, key);
  if (ctrl) return false;
  switch (key) {
    case VK_TAB:
      MoveFocus(*window, focused, !shift);
      return true;
    case VK_RETURN:
      return !shift && HandleEnter(*window, focused);
    case VK_ESCAPE:
      if (shift || window->values.Integer(prop::kEscCloses) == 0) return false;
      SendMessageA(window->hwnd, WM_CLOSE, 0, 0);
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (shift || focused == nullptr || focused->definition->type != ControlType::RadioBox) return false;
      CheckNextRadioBox(*window, *focused, key == VK_RIGHT || key == VK_DOWN);
      return true;
    case VK_F1:
      // No window of this program has a help file; with the property off the key passes on.
      return window->values.Integer(prop::kF1Help) != 0;
    default:
      return false;
  }
}
