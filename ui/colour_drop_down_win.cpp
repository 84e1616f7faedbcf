#include "ui/colour_drop_down_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstddef>
#include <new>

#include "ui/colour_picker.h"
#include "ui/common_dialogs_win.h"
#include "ui/gdi_owners_win.h"

namespace {

struct DropDownParams {
  HWND picker;
  Colour starting;
  bool allowTransparent;
};

struct DropDownState {
  HWND window = nullptr;
  HWND picker = nullptr;
  HWND tooltip = nullptr;
  Colour starting = 0;
  Colour pending = 0;
  int marked = kNoEntry;
  int highlighted = kNoEntry;
  int column = 0;  // the grid column the keys last visited
  DropDownLayout layout{};
  GdiObject<HFONT> font;
  GdiObject<HPALETTE> palette;
  bool dialogOpen = false;  // the colour dialog is up: losing the capture or focus means nothing
  bool finished = false;    // the picker has been or is being told
};

// The custom colours of the colour dialog, kept for the whole run like the dialog itself does.
COLORREF customColours[16] = {
    0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
    0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
};

DropDownState* StateOf(HWND window) {
  return reinterpret_cast<DropDownState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

RECT ToRect(const PickerRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// The system's message font, the one the drop-down writes its texts in.
HFONT CreateMessageFont() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
    // Systems before Vista know the structure without its last member.
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
      return nullptr;
    }
  }
  return CreateFontIndirectA(&metrics.lfMessageFont);
}

DropDownMetrics MeasureDropDown(HFONT font) {
  DropDownMetrics metrics{GetSystemMetrics(SM_CXEDGE), 0, 0, 0};
  WindowDC screen(nullptr);
  if (screen.Get() == nullptr) return metrics;
  SelectedObject selected(screen.Get(), font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  if (GetTextExtentPoint32A(screen.Get(), kTransparentText, lstrlenA(kTransparentText), &size)) {
    metrics.transparentTextWidth = size.cx;
    metrics.textHeight = size.cy;
  }
  if (GetTextExtentPoint32A(screen.Get(), kOtherColourText, lstrlenA(kOtherColourText), &size)) {
    metrics.otherTextWidth = size.cx;
    if (size.cy > metrics.textHeight) metrics.textHeight = size.cy;
  }
  return metrics;
}

// A palette of the 32 colours, made only for a display that works through a palette.
HPALETTE CreateTablePalette() {
  WindowDC screen(nullptr);
  if (screen.Get() == nullptr || (GetDeviceCaps(screen.Get(), RASTERCAPS) & RC_PALETTE) == 0) {
    return nullptr;
  }
  struct {
    WORD version;
    WORD count;
    PALETTEENTRY entries[kPickerColourCount];
  } palette{0x300, kPickerColourCount, {}};
  const auto table = PickerColourTable();
  for (int i = 0; i < kPickerColourCount; ++i) {
    palette.entries[i] = {GetRValue(table[i].value), GetGValue(table[i].value),
                          GetBValue(table[i].value), 0};
  }
  return CreatePalette(reinterpret_cast<const LOGPALETTE*>(&palette));
}

void AddTooltips(DropDownState& state) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  state.tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                  WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, state.window,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
  if (state.tooltip == nullptr) return;  // the drop-down works without its tooltips
  const auto table = PickerColourTable();
  for (int entry = 0; entry < kPickerColourCount; ++entry) {
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;  // understood by every version of the common controls
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = state.window;
    tool.uId = static_cast<UINT_PTR>(entry);
    tool.rect = ToRect(EntryRect(state.layout, entry));
    tool.lpszText = const_cast<char*>(table[entry].name);
    SendMessageA(state.tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

// ---- Painting ------------------------------------------------------------------------------

COLORREF ScreenColour(const DropDownState& state, Colour colour) {
  const COLORREF rgb = colour & 0x00FFFFFF;
  return state.palette ? (0x02000000 | rgb) : rgb;  // PALETTERGB picks from the realized palette
}

void FillWith(HDC dc, const RECT& rect, COLORREF colour) {
  GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  if (brush) FillRect(dc, &rect, brush.Get());
}

void FrameWith(HDC dc, const RECT& rect, COLORREF colour) {
  GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  if (brush) FrameRect(dc, &rect, brush.Get());
}

// The cell or box of an entry: its fill and its edge, by whether it is marked or highlighted.
void PaintEntryBackground(HDC dc, const DropDownState& state, int entry) {
  RECT rect = ToRect(EntryRect(state.layout, entry));
  const bool highlighted = entry == state.highlighted;
  const bool marked = entry == state.marked;
  FillRect(dc, &rect, GetSysColorBrush(marked && !highlighted ? COLOR_BTNHIGHLIGHT : COLOR_BTNFACE));
  if (highlighted) {
    DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT);
  } else if (marked) {
    DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
  }
}

void PaintBoxText(HDC dc, const DropDownState& state, const PickerRect& box, const char* text) {
  RECT rect = ToRect(box);
  SelectedObject font(dc, state.font ? state.font.Get() : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawTextA(dc, text, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void PaintDropDown(HDC dc, const RECT& client, const DropDownState& state) {
  SelectedPalette palette(dc, state.palette.Get());
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const DropDownLayout& layout = state.layout;
  const auto table = PickerColourTable();

  for (int entry = 0; entry < kPickerColourCount; ++entry) {
    PaintEntryBackground(dc, state, entry);
    const RECT colourRect = ToRect(SwatchColourRect(layout, entry));
    FillWith(dc, colourRect, ScreenColour(state, table[entry].value));
    FrameWith(dc, colourRect, GetSysColor(COLOR_BTNSHADOW));
  }

  if (layout.hasTransparent) {
    PaintEntryBackground(dc, state, kTransparentEntry);
    FrameWith(dc, ToRect(TransparentSampleRect(layout)), GetSysColor(COLOR_BTNSHADOW));
    PaintBoxText(dc, state, layout.transparentBox, kTransparentText);
  }

  const int m = layout.edge;
  const RECT shadowLine{m, layout.etchedLineTop, layout.width - m, layout.etchedLineTop + 1};
  const RECT lightLine{m, layout.etchedLineTop + 1, layout.width - m, layout.etchedLineTop + 2};
  FillRect(dc, &shadowLine, GetSysColorBrush(COLOR_BTNSHADOW));
  FillRect(dc, &lightLine, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
  PaintEntryBackground(dc, state, kOtherEntry);
  PaintBoxText(dc, state, layout.otherBox, kOtherColourText);

  RECT edge = client;
  DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
}

// Paints through a memory bitmap, so the drop-down never shows half-drawn.
void PaintBuffered(HDC target, const DropDownState& state) {
  RECT client{};
  GetClientRect(state.window, &client);
  MemoryCanvas canvas(target, client.right, client.bottom);
  if (!canvas.IsReady()) {
    PaintDropDown(target, client, state);
    return;
  }
  PaintDropDown(canvas.Get(), client, state);
  SelectedPalette palette(target, state.palette.Get());
  BitBlt(target, 0, 0, client.right, client.bottom, canvas.Get(), 0, 0, SRCCOPY);
}

// ---- Highlight, choice and cancel ----------------------------------------------------------

void HighlightEntry(DropDownState& state, int entry) {
  if (entry == kNoEntry) return;
  state.pending = PendingColourAfter(entry, state.pending);
  if (entry >= 0 && entry < kPickerColourCount) state.column = entry % kGridColumns;
  if (entry == state.highlighted) return;
  state.highlighted = entry;
  InvalidateRect(state.window, nullptr, FALSE);
}

// Ends the drop-down: the capture goes, the window goes, and then the picker hears of it.
void Finish(DropDownState& state, bool chosen) {
  if (state.finished) return;
  state.finished = true;
  const HWND window = state.window;
  const HWND picker = state.picker;
  const Colour colour = chosen ? state.pending : state.starting;
  if (GetCapture() == window) ReleaseCapture();
  DestroyWindow(window);  // frees the state
  SendMessageA(picker, kDropDownClosed, chosen ? 1 : 0, static_cast<LPARAM>(colour));
}

// The colour dialog for "其它颜色...". Its OK goes on with the choice, its Cancel cancels.
void ChooseOtherColour(HWND window) {
  DropDownState* state = StateOf(window);
  state->dialogOpen = true;
  if (GetCapture() == window) ReleaseCapture();
  // The dialog is modal to the whole window the picker sits in, not only to the drop-down.
  const HWND root = GetAncestor(state->picker, GA_ROOT);
  const bool disabledRoot = root != nullptr && EnableWindow(root, FALSE) == FALSE;

  CHOOSECOLORA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window;
  dialog.rgbResult = state->starting & 0x00FFFFFF;
  dialog.lpCustColors = customColours;
  dialog.Flags = CC_ANYCOLOR | CC_RGBINIT;
  const bool confirmed = ShowColourDialog(dialog);

  if (disabledRoot) EnableWindow(root, TRUE);
  // Closing the picker's window while the dialog was up has ended the drop-down already.
  if (!IsWindow(window) || StateOf(window) != state) return;
  state->dialogOpen = false;
  const HWND picker = state->picker;
  if (confirmed) state->pending = dialog.rgbResult & 0x00FFFFFF;
  Finish(*state, confirmed);
  // The dialog took the activation; the focus goes back to the picker the user came from.
  if (IsWindow(picker)) SetFocus(picker);
}

void Choose(HWND window) {
  DropDownState* state = StateOf(window);
  if (state->highlighted == kOtherEntry) {
    ChooseOtherColour(window);
  } else {
    Finish(*state, true);
  }
}

// ---- Messages ------------------------------------------------------------------------------

bool OnNcCreate(HWND window, const CREATESTRUCTA& create) {
  const auto* params = static_cast<const DropDownParams*>(create.lpCreateParams);
  if (params == nullptr) return false;
  auto* state = new (std::nothrow) DropDownState;
  if (state == nullptr) return false;
  state->window = window;
  state->picker = params->picker;
  state->starting = params->starting;
  state->pending = params->starting;
  state->marked = MarkedEntry(params->starting, params->allowTransparent);
  state->column = StartingHighlight(state->marked).column;
  state->font.Reset(CreateMessageFont());
  state->palette.Reset(CreateTablePalette());
  state->layout = LayOutDropDown(MeasureDropDown(state->font.Get()), params->allowTransparent);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  return true;
}

void OnDestroy(DropDownState& state) {
  // Destroyed from outside (its owner went): the picker still has to hear that it is closed.
  if (state.finished) return;
  state.finished = true;
  if (GetCapture() == state.window) ReleaseCapture();
  SendMessageA(state.picker, kDropDownClosed, 0, static_cast<LPARAM>(state.starting));
}

void OnMouseMove(DropDownState& state, int x, int y) {
  HighlightEntry(state, EntryAt(state.layout, x, y));
}

void OnLeftButtonUp(HWND window, int x, int y) {
  DropDownState& state = *StateOf(window);
  RECT client{};
  GetClientRect(window, &client);
  const POINT point{x, y};
  if (!PtInRect(&client, point)) {
    Finish(state, false);
    return;
  }
  HighlightEntry(state, EntryAt(state.layout, x, y));
  Choose(window);
}

void OnOtherButtonDown(HWND window, int x, int y) {
  RECT client{};
  GetClientRect(window, &client);
  const POINT point{x, y};
  if (!PtInRect(&client, point)) Finish(*StateOf(window), false);
}

LRESULT CALLBACK DropDownProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    if (!OnNcCreate(window, *reinterpret_cast<const CREATESTRUCTA*>(lParam))) return FALSE;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  DropDownState* state = StateOf(window);
  if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      AddTooltips(*state);
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;  // the picker keeps the focus and passes the keys on
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
    case WM_MOUSEMOVE:
      OnMouseMove(*state, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      OnLeftButtonUp(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      OnOtherButtonDown(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
      if (!state->dialogOpen && !state->finished) Finish(*state, false);
      return 0;
    case WM_SYSCOLORCHANGE:
    case WM_PALETTECHANGED:
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_QUERYNEWPALETTE:
      InvalidateRect(window, nullptr, FALSE);
      return state->palette ? TRUE : FALSE;
    case WM_DESTROY:
      OnDestroy(*state);
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

bool RegisterColourDropDown(HINSTANCE instance) {
  WNDCLASSEXA existing{sizeof existing};
  if (GetClassInfoExA(instance, kColourDropDownClass, &existing)) return true;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = DropDownProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.lpszClassName = kColourDropDownClass;
  return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND OpenColourDropDown(HWND picker, Colour starting, bool allowTransparent) {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(picker, GWLP_HINSTANCE));
  if (!RegisterColourDropDown(instance)) return nullptr;
  DropDownParams params{picker, starting, allowTransparent};
  // Owned by the picker's top-level window, so it stays above it and goes with it.
  const HWND window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kColourDropDownClass, "",
                                      WS_POPUP, 0, 0, 0, 0, GetAncestor(picker, GA_ROOT), nullptr,
                                      instance, &params);
  if (window == nullptr) return nullptr;
  const DropDownState& state = *StateOf(window);

  RECT pickerRect{};
  GetWindowRect(picker, &pickerRect);
  const ScreenPoint place = PlaceDropDown(
      {pickerRect.left, pickerRect.top, pickerRect.right, pickerRect.bottom}, state.layout.width,
      state.layout.height, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  SetWindowPos(window, HWND_TOPMOST, place.x, place.y, state.layout.width, state.layout.height,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  UpdateWindow(window);
  SetCapture(window);
  return window;
}

bool PassKeyToDropDown(HWND dropDown, UINT virtualKey) {
  DropDownState* state = StateOf(dropDown);
  if (state == nullptr || state->dialogOpen) return false;
  ArrowKey arrow;
  switch (virtualKey) {
    case VK_LEFT: arrow = ArrowKey::Left; break;
    case VK_RIGHT: arrow = ArrowKey::Right; break;
    case VK_UP: arrow = ArrowKey::Up; break;
    case VK_DOWN: arrow = ArrowKey::Down; break;
    case VK_RETURN:
    case VK_SPACE:
      Choose(dropDown);
      return true;
    case VK_ESCAPE:
    case VK_F4:
      Finish(*state, false);
      return true;
    default:
      return false;
  }
  const Highlight from = state->highlighted != kNoEntry
                             ? Highlight{state->highlighted, state->column}
                             : StartingHighlight(state->marked);
  const Highlight to = MoveHighlight(from, arrow, state->layout.hasTransparent);
  state->column = to.column;
  HighlightEntry(*state, to.entry);
  return true;
}

void CancelDropDown(HWND dropDown) {
  DropDownState* state = StateOf(dropDown);
  if (state == nullptr || state->dialogOpen) return;
  Finish(*state, false);
}
