#include "ui/properties.h"

#include <algorithm>
#include <climits>
#include <string>

#include "app/fatal_error.h"
#include "app/fatal_messages.h"
#include "app/message_loop_win.h"
#include "app/program.h"
#include "ui/colour_picker_win.h"
#include "ui/loaded_windows_win.h"
#include "ui/window_builder_win.h"

namespace {

struct Target {
  LoadedWindow* window;
  LoadedControl* control;  // nullptr for the window itself
};

// The window or control a property access names. A window that is not loaded, or (for the
// type's own properties) a control whose system window is gone, ends the program.
Target FindTarget(ControlRef ref, int32_t number, const char* controlMissing) {
  LoadedWindow* window = FindLoadedWindow(ref.windowId);
  if (window == nullptr) FatalError(kMsgWindowNotLoaded, ref.windowId, ref.controlId);
  if (ref.controlId == window->definition->ownControlId) return {window, nullptr};
  LoadedControl* control = FindLoadedControl(*window, ref.controlId);
  if (control == nullptr) FatalError(controlMissing, ref.windowId, ref.controlId);
  const bool hasChildWindow = control->definition->type != ControlType::CommonDlg &&
                              control->definition->type != ControlType::MenuItem;
  if (number >= 8 && hasChildWindow && (control->hwnd == nullptr || !IsWindow(control->hwnd))) {
    FatalError(controlMissing, ref.windowId, ref.controlId);
  }
  return {window, control};
}

Text WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthA(hwnd);
  if (length <= 0) return Text();
  Text text(static_cast<size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

// The text in UTF-16, converted from its counted bytes, so that an incomplete double-byte
// character at its end becomes a character of its own. Wine converts the text given to
// SetWindowTextA up to and including its terminating zero, and a lead byte just before that zero
// takes the zero as its second byte: the box then shows, and a save writes, whatever memory
// follows the converted text (seen with a saved note ending in a lone lead byte). Running out of
// memory here is fatal like everywhere else: an empty box in its place could be saved over the
// note.
std::wstring WideTextOf(const Text& text) {
  const int length = static_cast<int>(std::min<size_t>(text.size(), INT_MAX / 2));
  if (length == 0) return std::wstring();
  const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (units <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(units), L'\0');
  const int converted = MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), units);
  wide.resize(converted > 0 ? static_cast<size_t>(converted) : 0);
  return wide;
}

void SetTextQuietly(LoadedControl& control, const Text& text) {
  control.ignoreChanges = true;
  SetWindowTextW(control.hwnd, WideTextOf(text).c_str());
  control.ignoreChanges = false;
}

// Replaces the control's system window by a new one built from its current values, keeping its
// place, id, z-order, enabled and visible state, and the focus.
void RecreateControl(uint32_t windowId, uint32_t controlId) {
  DispatchWaitingMessages();
  RaiseEventHold();
  LoadedWindow* window = FindLoadedWindow(windowId);
  LoadedControl* control = window != nullptr ? FindLoadedControl(*window, controlId) : nullptr;
  if (control == nullptr || control->hwnd == nullptr || !IsWindow(control->hwnd)) {
    LowerEventHold();
    return;
  }
  HWND old = control->hwnd;
  HWND parent = GetParent(old);
  HWND focus = GetFocus();
  const bool hadFocus = focus == old;
  RECT place;
  GetWindowRect(old, &place);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
  const bool enabled = IsWindowEnabled(old) != FALSE;
  const bool visible = (GetWindowLongPtrA(old, GWL_STYLE) & WS_VISIBLE) != 0;
  // What the user has typed since the text was last read goes into the new box too.
  if (control->definition->type == ControlType::EditBox) {
    control->values.Set(prop::kEditText, Value::OfText(WindowText(old)));
  }
  control->values.Set(prop::kDisabled, Value::Of(enabled ? 0 : 1));

  HWND created = BuildControl(*window, *control);
  if (created != nullptr) {
    MoveWindow(created, place.left, place.top, place.right - place.left, place.bottom - place.top, FALSE);
    HWND after = HWND_TOP;
    for (size_t i = control->index; i-- > 0;) {
      HWND sibling = window->controls[i].hwnd;
      if (sibling != nullptr && IsWindow(sibling) && GetParent(sibling) == parent) {
        after = sibling;
        break;
      }
    }
    SetWindowPos(created, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (visible) ShowWindow(created, SW_SHOWNA);
    if (control->definition->type == ControlType::EditBox) SendMessageA(created, EM_SCROLLCARET, 0, 0);
  } else {
    control->hwnd = old;  // the old box stays rather than leave a hole
  }
  if (created != nullptr) {
    DestroyWindow(old);
    if (hadFocus) {
      SetFocus(created);
    } else if (focus != nullptr && IsWindow(focus) && GetFocus() != focus) {
      SetFocus(focus);
    }
  }
  DispatchWaitingMessages();
  LowerEventHold();
}

bool IsBool(const PropertyKind& kind) { return kind.kind == ValueKind::BoolValue; }

}  // namespace

Value ReadProperty(ControlRef ref, int32_t number, int32_t /*element*/) {
  Target target = FindTarget(ref, number, kMsgReadControlMissing);
  if (target.control == nullptr) {
    const PropertyKind kind = KindOfWindowProperty(number);
    Value value = target.window->values.Find(number) ? *target.window->values.Find(number) : Value();
    if (IsBool(kind)) value.integer = value.integer != 0 ? 1 : 0;
    return value;
  }
  LoadedControl& control = *target.control;
  const ControlType type = control.definition->type;
  const PropertyKind kind = KindOf(type, number);
  if (type == ControlType::EditBox && number == prop::kEditText) {
    control.values.Set(number, Value::OfText(WindowText(control.hwnd)));
  } else if (type == ControlType::RadioBox && number == prop::kRadioChecked) {
    const bool checked = SendMessageA(control.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    control.values.Set(number, Value::Of(checked ? 1 : 0));
  } else if (type == ControlType::ColorPicker && number == prop::kPickerColour) {
    control.values.Set(number, Value::Of(static_cast<int32_t>(SendMessageA(control.hwnd, kPickerGetColour, 0, 0))));
  }
  const Value* current = control.values.Find(number);
  Value value = current != nullptr ? *current : Value();
  if (IsBool(kind)) value.integer = value.integer != 0 ? 1 : 0;
  return value;
}

void WriteProperty(ControlRef ref, int32_t number, int32_t /*element*/, const Value& written) {
  Target target = FindTarget(ref, number, kMsgWriteControlMissing);
  if (target.control == nullptr) {
    const PropertyKind kind = KindOfWindowProperty(number);
    Value value = written;
    value.integer = ConvertWritten(kind, value.integer);
    target.window->values.Set(number, value);
    if (number == prop::kWindowTitle) SetWindowTextA(target.window->hwnd, value.text.c_str());
    return;
  }
  LoadedControl& control = *target.control;
  const ControlType type = control.definition->type;
  const PropertyKind kind = KindOf(type, number);
  Value value = written;
  value.integer = ClampForControl(type, number, kind, ConvertWritten(kind, value.integer));
  if (kind.kind != ValueKind::TextValue) value.text.clear();

  switch (type) {
    case ControlType::EditBox:
      if (number == prop::kEditText) {
        control.values.Set(number, value);
        SetTextQuietly(control, value.text);
        // One content-changed event for the whole write.
        SendMessageA(GetParent(control.hwnd), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(control.hwnd), EN_CHANGE), reinterpret_cast<LPARAM>(control.hwnd));
        return;
      }
      if (number == prop::kEditBackColour || number == prop::kEditTextColour) {
        control.values.Set(number, value);
        if (number == prop::kEditBackColour) ReplaceBackgroundBrush(control);
        RedrawWindow(control.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        return;
      }
      if (number == prop::kEditScrollBars || number == prop::kEditMultiLine) {
        if (control.values.Integer(number) == value.integer) return;
        control.values.Set(number, value);
        RecreateControl(ref.windowId, ref.controlId);
        return;
      }
      break;
    case ControlType::ColorPicker:
      control.values.Set(number, value);
      if (number == prop::kPickerColour) {
        SendMessageA(control.hwnd, kPickerSetColour, static_cast<WPARAM>(static_cast<uint32_t>(value.integer)), 0);
      } else if (number == prop::kPickerAllowTransparent) {
        SendMessageA(control.hwnd, kPickerSetAllowTransparent, static_cast<WPARAM>(value.integer), 0);
      }
      return;
    case ControlType::RadioBox:
      control.values.Set(number, value);
      if (number == prop::kRadioChecked) {
        SendMessageA(control.hwnd, BM_SETCHECK, value.integer != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
      }
      return;
    default:
      break;
  }
  control.values.Set(number, value);
}
