#include "app/window_procedure_win.h"

#include "app/events.h"
#include "app/program.h"
#include "ui/colour_picker_win.h"
#include "ui/layout.h"
#include "ui/window_builder_win.h"

namespace {

void RouteMenuCommand(LoadedWindow& window, int32_t commandId) {
  if (const ControlDefinition* item = MenuItemForCommand(*window.definition, commandId)) {
    RaiseEvent(window.definition->id, item->id, event::kMenuChosen);
  }
}

void RouteControlNotification(LoadedWindow& window, HWND child, WORD code) {
  LoadedControl* control = LoadedControlOf(window, child);
  if (control == nullptr) return;
  const uint32_t windowId = window.definition->id;
  const uint32_t controlId = control->definition->id;
  switch (control->definition->type) {
    case ControlType::Button:
    case ControlType::RadioBox:
      if (code == BN_CLICKED) RaiseEvent(windowId, controlId, event::kClicked);
      break;
    case ControlType::EditBox:
      if (code == EN_CHANGE && !control->ignoreChanges) {
        RaiseEvent(windowId, controlId, event::kContentChanged);
      }
      break;
    case ControlType::ColorPicker:
      if (code == kPickerColourChosen) {
        control->values.Set(prop::kPickerColour,
                            Value::Of(static_cast<int32_t>(SendMessageA(child, kPickerGetColour, 0, 0))));
        RaiseEvent(windowId, controlId, event::kColourChosen);
      } else if (code == kPickerGotFocus) {
        RaiseEvent(windowId, controlId, event::kGotFocus);
      } else if (code == kPickerLostFocus) {
        RaiseEvent(windowId, controlId, event::kLostFocus);
      }
      break;
    default:
      break;
  }
}

LRESULT ControlColour(LoadedWindow& window, HDC dc, HWND child) {
  LoadedControl* control = LoadedControlOf(window, child);
  if (control == nullptr) return 0;
  switch (control->definition->type) {
    case ControlType::EditBox: {
      // The whole client area takes the background colour, behind the characters and in the
      // empty space alike.
      const CurrentValues& values = control->values;
      SetTextColor(dc, ShownColour(static_cast<Colour>(values.Integer(prop::kEditTextColour))));
      SetBkColor(dc, ShownColour(static_cast<Colour>(
                         values.Integer(prop::kEditBackColour, static_cast<int32_t>(kNoColour)))));
      if (control->backgroundBrush == nullptr) ReplaceBackgroundBrush(*control);
      return reinterpret_cast<LRESULT>(control->backgroundBrush);
    }
    case ControlType::RadioBox: {
      const Colour back = static_cast<Colour>(
          control->values.Integer(prop::kRadioBackColour, static_cast<int32_t>(kNoColour)));
      SetTextColor(dc, ShownColour(static_cast<Colour>(control->values.Integer(prop::kRadioTextColour))));
      SetBkColor(dc, ShownColour(back));
      if (back == kNoColour) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      if (control->backgroundBrush == nullptr) control->backgroundBrush = CreateSolidBrush(back);
      return reinterpret_cast<LRESULT>(control->backgroundBrush);
    }
    default:
      return 0;
  }
}

// The first control in Tab order that can take the focus.
HWND FirstFocusable(LoadedWindow& window) {
  for (size_t i : FocusOrder(*window.definition)) {
    HWND child = window.controls[i].hwnd;
    if (child != nullptr && IsWindowVisible(child) && IsWindowEnabled(child)) return child;
  }
  return nullptr;
}

void CloseByUser(LoadedWindow& window) {
  const uint32_t windowId = window.definition->id;
  const uint32_t ownId = window.definition->ownControlId;
  // A bound handler of either event could keep the window open; none is bound in this program.
  RaiseEvent(windowId, ownId, event::kWindowClosing);
  if (FindLoadedWindow(windowId) == nullptr) return;
  RaiseEvent(windowId, ownId, event::kWindowQueryClose);
  LoadedWindow* live = FindLoadedWindow(windowId);
  if (live == nullptr) return;
  // The owner is enabled before the window goes, so activation returns to it.
  RestoreModalRecord(*live);
  DestroyWindow(live->hwnd);
}

void WindowGone(HWND hwnd) {
  LoadedWindow* window = LoadedWindowOf(hwnd);
  ProgramState* program = ExistingProgram();
  if (window != nullptr && program != nullptr && program->modalWindow == window->definition->id) {
    program->modalWindow.reset();
  }
  DropLoadedWindow(hwnd);
  if (program != nullptr && program->loopStarted && !AnyWindowAlive()) PostQuitMessage(0);
}

}  // namespace

void RestoreModalRecord(LoadedWindow& window) {
  for (const auto& [disabled, wasEnabled] : window.modalRecord) {
    if (IsWindow(disabled)) EnableWindow(disabled, wasEnabled);
  }
  window.modalRecord.clear();
}

void DestroyOnRequest(LoadedWindow& window) {
  window.destroyRequested = false;
  RestoreModalRecord(window);
  DestroyWindow(window.hwnd);
}

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  LoadedWindow* window = LoadedWindowOf(hwnd);
  if (window == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND: {
      const WORD id = LOWORD(wParam);
      if (lParam == 0) {
        if (id >= kFirstMenuCommand && id < kEndOfMenuCommands) RouteMenuCommand(*window, id);
      } else if (id < kFirstMenuCommand) {
        RouteControlNotification(*window, reinterpret_cast<HWND>(lParam), HIWORD(wParam));
      }
      return 0;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const LRESULT brush = ControlColour(*window, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
      return brush != 0 ? brush : DefWindowProcA(hwnd, message, wParam, lParam);
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd, focus)) window->lastFocus = focus;
      } else if (!HIWORD(wParam)) {  // not minimised
        HWND focus = window->lastFocus != nullptr && IsWindow(window->lastFocus) ? window->lastFocus
                                                                              : FirstFocusable(*window);
        SetFocus(focus != nullptr ? focus : hwnd);
      }
      return 0;
    case WM_CLOSE:
      CloseByUser(*window);
      return 0;
    case WM_QUERYENDSESSION:
      // A bound handler of event 1 could refuse; none is bound, so the session may end.
      RaiseEvent(window->definition->id, window->definition->ownControlId, event::kWindowQueryClose);
      return TRUE;
    case kDestroyRequestMessage:
      if (window->destroyRequested) DestroyOnRequest(*window);
      return 0;
    case WM_DESTROY:
      RaiseEvent(window->definition->id, window->definition->ownControlId, event::kWindowDestroyed);
      return 0;
    case WM_NCDESTROY:
      WindowGone(hwnd);
      return DefWindowProcA(hwnd, message, wParam, lParam);
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}
