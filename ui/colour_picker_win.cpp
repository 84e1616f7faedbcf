#include "ui/colour_picker_win.h"

#include <windowsx.h>

#include <new>

#include "ui/colour_drop_down_win.h"
#include "ui/colour_picker.h"
#include "ui/gdi_owners_win.h"

namespace {

struct PickerState {
  HWND window = nullptr;
  Colour colour = 0;
  bool allowTransparent = false;
  HFONT font = nullptr;  // set with WM_SETFONT; the default GUI font until then
  HWND dropDown = nullptr;  // while open
};

PickerState* StateOf(HWND window) {
  return reinterpret_cast<PickerState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

RECT ToRect(const PickerRect& r) { return {r.left, r.top, r.right, r.bottom}; }

PickerMetrics CurrentMetrics() {
  return {GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE),
          GetSystemMetrics(SM_CXHTHUMB), GetSystemMetrics(SM_CYVTHUMB)};
}

void Notify(HWND window, WORD code) {
  const HWND parent = GetParent(window);
  if (parent == nullptr) return;
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), code),
               reinterpret_cast<LPARAM>(window));
}

// ---- Painting ------------------------------------------------------------------------------

void PaintTransparentText(HDC dc, const PickerState& state, RECT rect, bool enabled) {
  SelectedObject font(dc, state.font != nullptr ? state.font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  constexpr UINT kFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
  if (enabled) {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextA(dc, kTransparentText, -1, &rect, kFormat);
    return;
  }
  RECT shifted = rect;
  OffsetRect(&shifted, 1, 1);
  SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
  DrawTextA(dc, kTransparentText, -1, &shifted, kFormat);
  SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  DrawTextA(dc, kTransparentText, -1, &rect, kFormat);
}

void PaintPicker(HDC dc, const RECT& client, const PickerState& state) {
  const bool enabled = IsWindowEnabled(state.window) != FALSE;
  const PickerFace face = LayOutPickerFace(client.right, client.bottom, CurrentMetrics());
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

  RECT arrow = ToRect(face.arrow);
  DrawFrameControl(dc, &arrow, DFC_SCROLL,
                   DFCS_SCROLLDOWN | (state.dropDown != nullptr ? DFCS_PUSHED : 0u) |
                       (enabled ? 0u : DFCS_INACTIVE));
  RECT edge = client;
  DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);

  const SwatchLook look = ShownSwatch(state.colour, state.allowTransparent, enabled);
  const RECT swatch = ToRect(face.swatch);
  if (!IsRectEmpty(&swatch)) {
    GdiObject<HBRUSH> fill(CreateSolidBrush(look.fill == SwatchFill::ButtonFace
                                                ? GetSysColor(COLOR_BTNFACE)
                                                : static_cast<COLORREF>(look.colour)));
    SelectedObject pen(dc, GetStockObject(BLACK_PEN));
    SelectedObject brush(dc, fill ? static_cast<HGDIOBJ>(fill.Get()) : GetStockObject(WHITE_BRUSH));
    Rectangle(dc, swatch.left, swatch.top, swatch.right, swatch.bottom);
  }
  if (look.transparentText) PaintTransparentText(dc, state, swatch, enabled);

  const bool focused = GetFocus() == state.window;
  const bool cuesHidden = (SendMessageA(state.window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
  const RECT focus = ToRect(face.focus);
  if (focused && !cuesHidden && !IsRectEmpty(&focus)) {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &focus);
  }
}

// Paints through a memory bitmap, the one routine behind WM_PAINT and WM_PRINTCLIENT.
void PaintBuffered(HDC target, const PickerState& state) {
  RECT client{};
  GetClientRect(state.window, &client);
  MemoryCanvas canvas(target, client.right, client.bottom);
  if (!canvas.IsReady()) {
    PaintPicker(target, client, state);
    return;
  }
  PaintPicker(canvas.Get(), client, state);
  BitBlt(target, 0, 0, client.right, client.bottom, canvas.Get(), 0, 0, SRCCOPY);
}

void Redraw(const PickerState& state) { InvalidateRect(state.window, nullptr, FALSE); }

// ---- The drop-down -------------------------------------------------------------------------

void OpenDropDown(PickerState& state) {
  if (state.dropDown != nullptr || !IsWindowEnabled(state.window)) return;
  state.dropDown = OpenColourDropDown(state.window, state.colour, state.allowTransparent);
  // A drop-down that lost its capture while it opened has closed itself already.
  if (state.dropDown != nullptr && !IsWindow(state.dropDown)) state.dropDown = nullptr;
  Redraw(state);
}

void CloseDropDown(PickerState& state) {
  if (state.dropDown != nullptr) CancelDropDown(state.dropDown);
}

void OnDropDownClosed(PickerState& state, bool chosen, Colour colour) {
  state.dropDown = nullptr;
  if (chosen) state.colour = colour;
  Redraw(state);
  if (chosen) Notify(state.window, kPickerColourChosen);
}

// ---- Keyboard ------------------------------------------------------------------------------

bool IsRepeat(LPARAM lParam) { return (lParam & (1 << 30)) != 0; }

void OnKeyDown(PickerState& state, WPARAM key, LPARAM lParam) {
  if (state.dropDown != nullptr) {
    // Enter and Space held down must not choose straight after they opened the drop-down.
    if ((key == VK_RETURN || key == VK_SPACE || key == VK_F4) && IsRepeat(lParam)) return;
    PassKeyToDropDown(state.dropDown, static_cast<UINT>(key));
    return;
  }
  if ((key == VK_F4 || key == VK_SPACE || key == VK_RETURN) && !IsRepeat(lParam)) {
    OpenDropDown(state);
  }
}

// Alt+Down and Alt+Up open the drop-down, as they do for a combo box, and close it again.
bool OnSysKeyDown(PickerState& state, WPARAM key) {
  if (key != VK_DOWN && key != VK_UP) return false;
  if (state.dropDown != nullptr) {
    CloseDropDown(state);
  } else {
    OpenDropDown(state);
  }
  return true;
}

LRESULT OnGetDlgCode(const PickerState& state, const MSG* message) {
  LRESULT code = DLGC_WANTCHARS;
  if (state.dropDown != nullptr) code |= DLGC_WANTARROWS;
  if (message != nullptr && message->message == WM_KEYDOWN) {
    // Enter opens the drop-down and chooses in it; Esc belongs to the drop-down while it is
    // open, and to the dialog (which closes) otherwise.
    if (message->wParam == VK_RETURN ||
        (message->wParam == VK_ESCAPE && state.dropDown != nullptr)) {
      code |= DLGC_WANTMESSAGE;
    }
  }
  return code;
}

// ---- Lifecycle -----------------------------------------------------------------------------

bool OnNcCreate(HWND window) {
  auto* state = new (std::nothrow) PickerState;
  if (state == nullptr) return false;
  state->window = window;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  return true;
}

LRESULT CALLBACK PickerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    if (!OnNcCreate(window)) return FALSE;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  PickerState* state = StateOf(window);
  if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case kPickerSetColour:
      state->colour = static_cast<Colour>(wParam);
      Redraw(*state);
      return 0;
    case kPickerGetColour:
      return static_cast<LRESULT>(state->colour);
    case kPickerSetAllowTransparent:
      state->allowTransparent = wParam != 0;
      Redraw(*state);
      return 0;
    case kPickerGetAllowTransparent:
      return state->allowTransparent ? 1 : 0;
    case kPickerIsOpen:
      return state->dropDown != nullptr ? 1 : 0;
    case kDropDownClosed:
      OnDropDownClosed(*state, wParam != 0, static_cast<Colour>(lParam));
      return 0;

    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      if (HDC dc = BeginPaint(window, &paint)) {
        PaintBuffered(dc, *state);
        EndPaint(window, &paint);
      }
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintBuffered(reinterpret_cast<HDC>(wParam), *state);
      return 0;
    case WM_SETFONT:
      state->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam) != 0) Redraw(*state);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(state->font != nullptr ? state->font
                                                              : GetStockObject(DEFAULT_GUI_FONT));
    case WM_SYSCOLORCHANGE:
      Redraw(*state);
      return 0;
    case WM_UPDATEUISTATE: {
      const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
      Redraw(*state);
      return result;
    }
    case WM_ENABLE:
      if (!wParam) CloseDropDown(*state);
      Redraw(*state);
      return 0;

    case WM_SETFOCUS:
      Redraw(*state);
      Notify(window, kPickerGotFocus);
      return 0;
    case WM_KILLFOCUS:
      CloseDropDown(*state);
      Redraw(*state);
      Notify(window, kPickerLostFocus);
      return 0;
    case WM_GETDLGCODE:
      return OnGetDlgCode(*state, reinterpret_cast<const MSG*>(lParam));
    case WM_KEYDOWN:
      OnKeyDown(*state, wParam, lParam);
      return 0;
    case WM_SYSKEYDOWN:
      if (OnSysKeyDown(*state, wParam)) return 0;
      return DefWindowProcA(window, message, wParam, lParam);

    case WM_LBUTTONDOWN:
      if (GetFocus() != window) SetFocus(window);
      return 0;
    case WM_LBUTTONUP: {
      RECT client{};
      GetClientRect(window, &client);
      const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (PtInRect(&client, point)) OpenDropDown(*state);
      return 0;
    }

    case WM_DESTROY:
      CloseDropDown(*state);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      delete state;
      return DefWindowProcA(window, message, wParam, lParam);
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

bool RegisterColourPicker(HINSTANCE instance) {
  if (!RegisterColourDropDown(instance)) return false;
  WNDCLASSEXA existing{sizeof existing};
  if (GetClassInfoExA(instance, kColourPickerClass, &existing)) return true;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = PickerProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.lpszClassName = kColourPickerClass;
  return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
