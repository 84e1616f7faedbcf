// The colour picker as a real control: a plain parent window with the picker as its child,
// driven by mouse and keyboard input through SendInput, its looks read back as pixels.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/gui.h"
#include "ui/colour_drop_down_win.h"
#include "ui/colour_picker.h"
#include "ui/colour_picker_win.h"

namespace {

constexpr int kPickerId = 0x15;
constexpr char kParentClass[] = "ColourPickerTestParent";
constexpr Colour kRed = 0x000000FF;

// ---- The parent and what it hears ----------------------------------------------------------

struct Heard {
  int chosen = 0, gotFocus = 0, lostFocus = 0, other = 0;
};
Heard heard;

LRESULT CALLBACK ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == kPickerId) {
    switch (HIWORD(wParam)) {
      case kPickerColourChosen: ++heard.chosen; break;
      case kPickerGotFocus: ++heard.gotFocus; break;
      case kPickerLostFocus: ++heard.lostFocus; break;
      default: ++heard.other; break;
    }
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Pumps messages until the condition holds or a generous time has passed; the condition's value.
template <typename Condition>
bool PumpUntil(Condition condition) {
  for (int round = 0; round < 500 && !condition(); ++round) {
    Pump();
    Sleep(10);
  }
  Pump();
  return condition();
}

void PumpAWhile() {
  for (int round = 0; round < 10; ++round) {
    Pump();
    Sleep(10);
  }
}

// ---- Input ---------------------------------------------------------------------------------

// The pointer moved with the shared helper, which waits until it has settled under Wine.
void MoveMouse(POINT screen) {
  if (!MoveMouseTo(screen.x, screen.y)) {
    ADD_FAILURE() << "the cursor does not stay at " << screen.x << "," << screen.y;
  }
}

void Click(POINT screen) {
  MoveMouse(screen);
  ClickAt(screen.x, screen.y);
  PumpAWhile();
}

void PressKey(WORD key, bool alt = false) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD vk, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  if (alt) add(VK_MENU, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  if (alt) add(VK_MENU, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  PumpAWhile();
}

// ---- Pixels --------------------------------------------------------------------------------

// A window's client area as WM_PRINTCLIENT paints it into a 32-bit bitmap.
struct Picture {
  int width = 0, height = 0;
  std::vector<COLORREF> pixels;  // 0x00BBGGRR like GetPixel
  COLORREF At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
    return pixels[static_cast<size_t>(y * width + x)];
  }
  template <typename Test>
  int CountWhere(const PickerRect& r, Test test) const {
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) count += test(At(x, y)) ? 1 : 0;
    return count;
  }
  int CountIn(const PickerRect& r, COLORREF colour) const {
    return CountWhere(r, [&](COLORREF c) { return c == colour; });
  }
  // Text is drawn smoothed, so its pixels are counted by how dark or light they are.
  int CountDarkerThan(const PickerRect& r, COLORREF colour) const {
    return CountWhere(r, [&](COLORREF c) { return Brightness(c) + 40 < Brightness(colour); });
  }
  int CountLighterThan(const PickerRect& r, COLORREF colour) const {
    return CountWhere(r, [&](COLORREF c) { return Brightness(c) > Brightness(colour) + 8; });
  }
  static int Brightness(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); }
  COLORREF MostCommonIn(const PickerRect& r) const {
    COLORREF best = 0;
    int bestCount = -1;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) {
        const int count = CountIn(r, At(x, y));
        if (count > bestCount) {
          best = At(x, y);
          bestCount = count;
        }
      }
    }
    return best;
  }
};

int Area(const PickerRect& r) { return (r.right - r.left) * (r.bottom - r.top); }

int CountDifferent(const Picture& a, const Picture& b, const PickerRect& r) {
  int count = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) count += a.At(x, y) != b.At(x, y) ? 1 : 0;
  return count;
}

Picture PrintClient(HWND window) {
  Picture picture;
  RECT client{};
  GetClientRect(window, &client);
  picture.width = client.right;
  picture.height = client.bottom;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (dc == nullptr || bitmap == nullptr) {
    ADD_FAILURE() << "no bitmap to print into";
    if (bitmap) DeleteObject(bitmap);
    if (dc) DeleteDC(dc);
    return picture;
  }
  HGDIOBJ previous = SelectObject(dc, bitmap);
  SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  GdiFlush();
  const auto* quads = static_cast<const DWORD*>(bits);
  for (int i = 0; i < picture.width * picture.height; ++i) {
    const DWORD q = quads[i];  // 0x00RRGGBB in a DIB
    picture.pixels.push_back(RGB((q >> 16) & 0xFF, (q >> 8) & 0xFF, q & 0xFF));
  }
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return picture;
}

COLORREF ScreenPixel(POINT screen) {
  HDC dc = GetDC(nullptr);
  const COLORREF colour = GetPixel(dc, screen.x, screen.y);
  ReleaseDC(nullptr, dc);
  return colour;
}

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

// ---- The geometry the control uses, measured here the same way -----------------------------

PickerFace FaceOf(HWND picker) {
  RECT client{};
  GetClientRect(picker, &client);
  return LayOutPickerFace(client.right, client.bottom,
                          {GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE),
                           GetSystemMetrics(SM_CXHTHUMB), GetSystemMetrics(SM_CYVTHUMB)});
}

DropDownLayout ExpectedLayout(bool allowTransparent) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
  HFONT font = CreateFontIndirectA(&metrics.lfMessageFont);
  HDC dc = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  SIZE transparent{}, other{};
  GetTextExtentPoint32A(dc, kTransparentText, lstrlenA(kTransparentText), &transparent);
  GetTextExtentPoint32A(dc, kOtherColourText, lstrlenA(kOtherColourText), &other);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  return LayOutDropDown({GetSystemMetrics(SM_CXEDGE), std::max(transparent.cy, other.cy),
                         transparent.cx, other.cx},
                        allowTransparent);
}

POINT Middle(const PickerRect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

POINT OnScreen(HWND window, POINT client) {
  ClientToScreen(window, &client);
  return client;
}

struct FoundTooltip {
  HWND owner;
  HWND tooltip;
};

BOOL CALLBACK FindTooltip(HWND window, LPARAM lParam) {
  auto* found = reinterpret_cast<FoundTooltip*>(lParam);
  char className[64] = "";
  GetClassNameA(window, className, sizeof className);
  if (lstrcmpiA(className, TOOLTIPS_CLASSA) == 0 && GetWindow(window, GW_OWNER) == found->owner) {
    found->tooltip = window;
    return FALSE;
  }
  return TRUE;
}

HWND TooltipOf(HWND owner) {
  FoundTooltip found{owner, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&found));
  return found.tooltip;
}

// ---- The fixture ---------------------------------------------------------------------------

class ColourPicker : public ::testing::Test {
 public:
  static void SetUpTestSuite() {
    ASSERT_TRUE(RegisterColourPicker(GetModuleHandleA(nullptr)));
    ASSERT_TRUE(RegisterColourPicker(GetModuleHandleA(nullptr))) << "a second call is fine";
    WNDCLASSA parentClass{};
    parentClass.lpfnWndProc = ParentProcedure;
    parentClass.hInstance = GetModuleHandleA(nullptr);
    parentClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    parentClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    parentClass.lpszClassName = kParentClass;
    ASSERT_TRUE(RegisterClassA(&parentClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS);
  }

  void SetUp() override {
    parent_ = CreateWindowExA(0, kParentClass, "picker test", WS_POPUP | WS_BORDER | WS_VISIBLE,
                              300, 200, 240, 200, nullptr, nullptr, GetModuleHandleA(nullptr),
                              nullptr);
    ASSERT_NE(parent_, nullptr);
    picker_ = CreateWindowExA(0, kColourPickerClass, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 24,
                              16, 48, 20, parent_, reinterpret_cast<HMENU>(kPickerId),
                              GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(picker_, nullptr);
    // Something else on the parent to take the focus away from the picker.
    other_ = CreateWindowExA(0, "BUTTON", "other", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 24, 120, 80,
                             24, parent_, reinterpret_cast<HMENU>(7), GetModuleHandleA(nullptr),
                             nullptr);
    SetForegroundWindow(parent_);
    SetFocus(other_);
    UpdateWindow(parent_);
    PumpAWhile();
    MoveMouse(OnScreen(parent_, {200, 100}));
    heard = {};
  }

  void TearDown() override {
    if (IsWindow(parent_)) DestroyWindow(parent_);
    PumpAWhile();
    EXPECT_EQ(FindWindowA(kColourDropDownClass, nullptr), nullptr) << "a drop-down was left";
  }

  Colour ColourOf() const { return static_cast<Colour>(SendMessageA(picker_, kPickerGetColour, 0, 0)); }
  bool IsOpen() const { return SendMessageA(picker_, kPickerIsOpen, 0, 0) == 1; }
  HWND DropDown() const { return FindWindowA(kColourDropDownClass, nullptr); }

  void OpenByClick() {
    RECT client{};
    GetClientRect(picker_, &client);
    const POINT target = OnScreen(picker_, {client.right / 2, client.bottom / 2});
    Click(target);
    ASSERT_TRUE(PumpUntil([&] { return IsOpen(); }))
        << "the click did not open the drop-down; the window there is "
        << WindowFromPoint(target) << " (picker " << picker_ << ", parent " << parent_
        << "), foreground " << GetForegroundWindow();
    ASSERT_NE(DropDown(), nullptr);
  }

  // The middle of an entry of the open drop-down, on the screen.
  POINT EntryOnScreen(int entry, bool allowTransparent = false) const {
    return OnScreen(DropDown(), Middle(EntryRect(ExpectedLayout(allowTransparent), entry)));
  }

  void ChooseByClick(int entry, bool allowTransparent = false) {
    const HWND dropDown = DropDown();
    Click(EntryOnScreen(entry, allowTransparent));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dropDown); }));
  }

  HWND parent_ = nullptr, picker_ = nullptr, other_ = nullptr;
};

// ---- The closed picker ---------------------------------------------------------------------

TEST_F(ColourPicker, StartsBlackClosedAndWithoutTransparent) {
  EXPECT_EQ(ColourOf(), 0u);
  EXPECT_EQ(SendMessageA(picker_, kPickerGetAllowTransparent, 0, 0), 0);
  EXPECT_FALSE(IsOpen());

  // Black on the screen itself, as the user sees it.
  const PickerFace face = FaceOf(picker_);
  const POINT middle = OnScreen(picker_, Middle(face.swatch));
  EXPECT_EQ(ScreenPixel(middle), RGB(0, 0, 0)) << Hex(ScreenPixel(middle));

  // And the parts around it: sunken edge, white, black outline, the arrow button.
  const Picture picture = PrintClient(picker_);
  ASSERT_EQ(picture.width, 48);
  ASSERT_EQ(picture.height, 20);
  EXPECT_EQ(picture.At(0, 0), GetSysColor(COLOR_BTNSHADOW)) << "sunken edge, outer top-left";
  EXPECT_EQ(picture.At(47, 19), GetSysColor(COLOR_BTNHIGHLIGHT)) << "sunken edge, outer bottom-right";
  EXPECT_EQ(picture.At(face.swatch.left - 1, Middle(face.swatch).y), RGB(255, 255, 255))
      << "white between edge and swatch";
  EXPECT_EQ(picture.CountIn(face.swatch, RGB(0, 0, 0)),
            (face.swatch.right - face.swatch.left) * (face.swatch.bottom - face.swatch.top))
      << "outline and fill all black";
  EXPECT_GT(picture.CountIn(face.arrow, GetSysColor(COLOR_BTNFACE)), 0) << "arrow button face";
  EXPECT_GT(picture.CountIn(face.arrow, GetSysColor(COLOR_BTNTEXT)), 0) << "the arrow glyph";
}

TEST_F(ColourPicker, DrawsTheSwatchByColourTransparencyAndState) {
  struct Case {
    const char* label;
    Colour colour;
    bool allowTransparent, enabled;
    COLORREF fill;  // a pixel of the swatch away from any text
    bool text, embossed;
  };
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const Case cases[] = {
      {"red", kRed, false, true, RGB(255, 0, 0), false, false},
      {"yellow", 0x0000FFFF, true, true, RGB(255, 255, 0), false, false},
      {"no colour without transparent is black", kNoColour, false, true, RGB(0, 0, 0), false,
       false},
      {"no colour with transparent is white with text", kNoColour, true, true,
       RGB(255, 255, 255), true, false},
      {"disabled red is button face", kRed, false, false, face, false, false},
      {"disabled transparent is embossed", kNoColour, true, false, face, true, true},
  };
  const PickerFace geometry = FaceOf(picker_);
  const PickerRect inside = ShrinkRect(geometry.swatch, 1);
  for (const Case& c : cases) {
    SendMessageA(picker_, kPickerSetAllowTransparent, c.allowTransparent ? 1 : 0, 0);
    SendMessageA(picker_, kPickerSetColour, c.colour, 0);
    EnableWindow(picker_, c.enabled ? TRUE : FALSE);
    EXPECT_EQ(ColourOf(), c.colour) << c.label << ": stored as given";
    const Picture picture = PrintClient(picker_);
    const int filled = picture.CountIn(inside, c.fill);
    if (c.text) {
      // The text covers much of the small swatch; the fill shows around and between its strokes.
      EXPECT_EQ(picture.MostCommonIn(inside), c.fill)
          << c.label << ": fill around the text, got " << Hex(picture.MostCommonIn(inside));
      EXPECT_GT(picture.CountDarkerThan(inside, c.fill), 10) << c.label << ": dark text";
      if (c.embossed) {
        EXPECT_GT(picture.CountLighterThan(inside, c.fill), 10) << c.label << ": highlight text";
      }
    } else {
      EXPECT_EQ(filled, Area(inside)) << c.label << ": plain fill, got "
                                      << Hex(picture.At(inside.left, inside.top));
    }
  }
  // Disabled, the arrow is drawn inactive: no longer in the text colour.
  EXPECT_EQ(PrintClient(picker_).CountIn(geometry.arrow, GetSysColor(COLOR_BTNTEXT)), 0);
  EnableWindow(picker_, TRUE);
  EXPECT_GT(PrintClient(picker_).CountIn(geometry.arrow, GetSysColor(COLOR_BTNTEXT)), 0);
}

TEST_F(ColourPicker, ShowsTheFocusAndTellsTheParent) {
  const PickerFace face = FaceOf(picker_);
  const PickerRect focusLine{face.focus.left, face.focus.top, face.focus.right,
                             face.focus.top + 1};
  const int lineLength = focusLine.right - focusLine.left;
  EXPECT_EQ(PrintClient(picker_).CountIn(focusLine, RGB(0, 0, 0)), lineLength) << "no focus yet";

  SetFocus(picker_);
  Pump();
  EXPECT_EQ(heard.gotFocus, 1);
  // DrawFocusRect inverts every other pixel of the black swatch.
  const int blackWhenFocused = PrintClient(picker_).CountIn(focusLine, RGB(0, 0, 0));
  EXPECT_LT(blackWhenFocused, lineLength) << "a dotted focus rectangle one pixel inside";
  EXPECT_GT(blackWhenFocused, 0) << "dotted, not solid";

  SetFocus(other_);
  Pump();
  EXPECT_EQ(heard.lostFocus, 1);
  EXPECT_EQ(PrintClient(picker_).CountIn(focusLine, RGB(0, 0, 0)), lineLength);
  EXPECT_EQ(heard.chosen, 0);

  // The dialog code: characters always, the arrow keys only while the drop-down needs them.
  const LRESULT closed = SendMessageA(picker_, WM_GETDLGCODE, 0, 0);
  EXPECT_TRUE(closed & DLGC_WANTCHARS);
  EXPECT_FALSE(closed & DLGC_WANTARROWS);
  ASSERT_NO_FATAL_FAILURE(OpenByClick());
  EXPECT_TRUE(SendMessageA(picker_, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS);
  PressKey(VK_ESCAPE);
}

TEST_F(ColourPicker, KeepsAFontGivenToIt) {
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(picker_, WM_GETFONT, 0, 0)),
            GetStockObject(DEFAULT_GUI_FONT));
  HGDIOBJ system = GetStockObject(SYSTEM_FONT);
  SendMessageA(picker_, WM_SETFONT, reinterpret_cast<WPARAM>(system), TRUE);
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(picker_, WM_GETFONT, 0, 0)), system);
}

// ---- The drop-down -------------------------------------------------------------------------

TEST_F(ColourPicker, ClickOpensTheDropDownWithTheGridAndTheOtherBox) {
  const Picture closed = PrintClient(picker_);
  ASSERT_NO_FATAL_FAILURE(OpenByClick());
  const HWND dropDown = DropDown();
  EXPECT_EQ(GetFocus(), picker_) << "the picker keeps the focus";
  EXPECT_EQ(GetCapture(), dropDown) << "the drop-down takes the mouse";
  EXPECT_EQ(heard.gotFocus, 1) << "the click gave the picker the focus";

  // Its place and size: below the picker's left corner, as the layout says without "透明".
  const DropDownLayout layout = ExpectedLayout(false);
  RECT pickerRect{}, dropRect{};
  GetWindowRect(picker_, &pickerRect);
  GetWindowRect(dropDown, &dropRect);
  EXPECT_EQ(dropRect.left, pickerRect.left);
  EXPECT_EQ(dropRect.top, pickerRect.bottom);
  EXPECT_EQ(dropRect.right - dropRect.left, layout.width);
  EXPECT_EQ(dropRect.bottom - dropRect.top, layout.height);
  EXPECT_TRUE(GetWindowLongA(dropDown, GWL_EXSTYLE) & WS_EX_TOPMOST);

  // Every swatch shows its colour, outlined; black is marked with a light cell and a sunken
  // edge, the others stand on the button face.
  const Picture picture = PrintClient(dropDown);
  const auto table = PickerColourTable();
  for (int entry = 0; entry < kPickerColourCount; ++entry) {
    const PickerRect colourRect = SwatchColourRect(layout, entry);
    const PickerRect cell = EntryRect(layout, entry);
    const POINT middle = Middle(colourRect);
    EXPECT_EQ(picture.At(middle.x, middle.y), table[entry].value)
        << "entry " << entry << ": got " << Hex(picture.At(middle.x, middle.y));
    EXPECT_EQ(picture.At(colourRect.left, middle.y), GetSysColor(COLOR_BTNSHADOW))
        << "entry " << entry << " outline";
    const COLORREF background = entry == 0 ? GetSysColor(COLOR_BTNHIGHLIGHT) : GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(picture.At(cell.left + 1, cell.top + 1), background) << "entry " << entry;
  }
  const PickerRect black = EntryRect(layout, 0);
  EXPECT_EQ(picture.At(black.left, black.top), GetSysColor(COLOR_BTNSHADOW)) << "sunken";
  EXPECT_EQ(picture.At(black.right - 1, black.bottom - 1), GetSysColor(COLOR_BTNHIGHLIGHT));

  // No "透明" box: only the margin above the grid. "其它颜色..." is written below the etched line.
  EXPECT_EQ(layout.grid.top, layout.edge);
  EXPECT_EQ(picture.At(layout.width / 2, layout.etchedLineTop), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(picture.At(layout.width / 2, layout.etchedLineTop + 1),
            GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_GT(picture.CountDarkerThan(layout.otherBox, GetSysColor(COLOR_BTNFACE)), 20)
      << "its text";
  EXPECT_EQ(picture.At(0, 0), GetSysColor(COLOR_3DLIGHT)) << "raised edge, outer";
  EXPECT_EQ(picture.At(1, 1), GetSysColor(COLOR_BTNHIGHLIGHT)) << "raised edge, inner";
  EXPECT_EQ(picture.At(layout.width - 1, layout.height - 1), GetSysColor(COLOR_3DDKSHADOW));

  // The picker's arrow is pushed while open.
  const PickerFace face = FaceOf(picker_);
  const Picture pushed = PrintClient(picker_);
  EXPECT_GT(CountDifferent(closed, pushed, face.arrow), 0) << "the arrow looks pushed";

  // A tooltip names each swatch.
  const HWND tooltip = TooltipOf(dropDown);
  ASSERT_NE(tooltip, nullptr);
  EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), kPickerColourCount);
  for (const int entry : {0, 12, 31}) {
    char text[80] = "";
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = dropDown;
    tool.uId = static_cast<UINT_PTR>(entry);
    tool.lpszText = text;
    SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::string(text), table[entry].name) << "entry " << entry;
  }

  PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !IsOpen(); }));
  EXPECT_EQ(heard.chosen, 0);
}

TEST_F(ColourPicker, ChoosingRedByMouseOrKeyboardSetsTheColourAndTellsOnce) {
  struct Case {
    const char* label;
    void (*choose)(ColourPicker&);
  };
  const Case cases[] = {
      {"mouse", [](ColourPicker& t) { t.ChooseByClick(12); }},
      // Red is entry 12: one row down from black and five to the right.
      {"keyboard",
       [](ColourPicker&) {
         for (WORD key : {VK_DOWN, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RETURN}) {
           PressKey(key);
         }
       }},
  };
  for (const Case& c : cases) {
    SendMessageA(picker_, kPickerSetColour, 0, 0);
    ASSERT_NO_FATAL_FAILURE(OpenByClick());
    heard = {};
    c.choose(*this);
    EXPECT_TRUE(PumpUntil([&] { return !IsOpen(); })) << c.label;
    EXPECT_EQ(DropDown(), nullptr) << c.label;
    EXPECT_EQ(ColourOf(), kRed) << c.label << ": got " << Hex(ColourOf());
    EXPECT_EQ(heard.chosen, 1) << c.label;
    const PickerFace face = FaceOf(picker_);
    const POINT middle = Middle(face.swatch);
    EXPECT_EQ(PrintClient(picker_).At(middle.x, middle.y), RGB(255, 0, 0)) << c.label;
  }
}

TEST_F(ColourPicker, CancellingLeavesTheColourAndSaysNothing) {
  struct Case {
    const char* label;
    void (*cancel)(ColourPicker&);
  };
  const Case cases[] = {
      {"Esc", [](ColourPicker&) { PressKey(VK_ESCAPE); }},
      {"Esc after pointing at red",
       [](ColourPicker& t) {
         MoveMouse(t.EntryOnScreen(12));
         PressKey(VK_ESCAPE);
       }},
      {"Esc after moving to red with the keys",
       [](ColourPicker&) {
         PressKey(VK_DOWN);
         PressKey(VK_ESCAPE);
       }},
      {"click outside", [](ColourPicker& t) { Click(OnScreen(t.parent_, {200, 180})); }},
      {"click on the picker again",
       [](ColourPicker& t) { Click(OnScreen(t.picker_, {10, 10})); }},
      {"focus taken away", [](ColourPicker& t) { SetFocus(t.other_); }},
      {"mouse capture taken away",
       [](ColourPicker& t) {
         SetCapture(t.other_);
         ReleaseCapture();
       }},
      {"picker disabled", [](ColourPicker& t) { EnableWindow(t.picker_, FALSE); }},
  };
  for (const Case& c : cases) {
    EnableWindow(picker_, TRUE);
    SendMessageA(picker_, kPickerSetColour, 0x00123456, 0);
    ASSERT_NO_FATAL_FAILURE(OpenByClick());
    heard = {};
    c.cancel(*this);
    EXPECT_TRUE(PumpUntil([&] { return !IsOpen() && DropDown() == nullptr; })) << c.label;
    EXPECT_EQ(ColourOf(), 0x00123456u) << c.label << ": got " << Hex(ColourOf());
    EXPECT_EQ(heard.chosen, 0) << c.label;
  }
  EnableWindow(picker_, TRUE);
}

TEST_F(ColourPicker, EnterWithoutPointingKeepsTheColourAndStillTells) {
  for (const Colour colour : {Colour{0}, Colour{0x00123456}, kNoColour}) {
    SendMessageA(picker_, kPickerSetColour, colour, 0);
    ASSERT_NO_FATAL_FAILURE(OpenByClick());
    heard = {};
    PressKey(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return !IsOpen(); }));
    EXPECT_EQ(ColourOf(), colour) << Hex(colour);
    EXPECT_EQ(heard.chosen, 1) << Hex(colour);
  }
}

TEST_F(ColourPicker, PointingAtSwatchesNeverChangesThePicker) {
  ASSERT_NO_FATAL_FAILURE(OpenByClick());
  const HWND dropDown = DropDown();
  const DropDownLayout layout = ExpectedLayout(false);
  const PickerFace face = FaceOf(picker_);
  const POINT swatchMiddle = Middle(face.swatch);
  for (const int entry : {12, 3, 31, 15, kOtherEntry}) {
    MoveMouse(EntryOnScreen(entry));
    const PickerRect cell = EntryRect(layout, entry);
    // The pointed-at entry stands out with a raised edge ...
    EXPECT_EQ(PrintClient(dropDown).At(cell.left, cell.top), GetSysColor(COLOR_BTNHIGHLIGHT))
        << "entry " << entry;
    // ... and the picker still shows and holds black.
    EXPECT_EQ(ColourOf(), 0u) << "entry " << entry;
    EXPECT_EQ(PrintClient(picker_).At(swatchMiddle.x, swatchMiddle.y), RGB(0, 0, 0))
        << "entry " << entry;
    EXPECT_EQ(ScreenPixel(OnScreen(picker_, swatchMiddle)), RGB(0, 0, 0)) << "entry " << entry;
  }
  EXPECT_EQ(heard.chosen, 0);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !IsOpen(); }));
  EXPECT_EQ(ColourOf(), 0u);
}

TEST_F(ColourPicker, OpensWithTheKeysAUserExpects) {
  struct Case {
    const char* label;
    WORD key;
    bool alt;
  };
  const Case cases[] = {
      {"F4", VK_F4, false},       {"Alt+Down", VK_DOWN, true}, {"Alt+Up", VK_UP, true},
      {"Space", VK_SPACE, false}, {"Enter", VK_RETURN, false},
  };
  for (const Case& c : cases) {
    SetFocus(picker_);
    PressKey(c.key, c.alt);
    EXPECT_TRUE(PumpUntil([&] { return IsOpen(); })) << c.label;
    // The same key closes it again when it toggles (F4, Alt+arrows); Esc otherwise.
    PressKey(c.alt || c.key == VK_F4 ? c.key : static_cast<WORD>(VK_ESCAPE), c.alt);
    EXPECT_TRUE(PumpUntil([&] { return !IsOpen(); })) << c.label;
    EXPECT_EQ(heard.chosen, 0) << c.label;
  }
  // Plain arrow keys on the closed picker do not open it.
  SetFocus(picker_);
  PressKey(VK_DOWN);
  EXPECT_FALSE(IsOpen());
}

TEST_F(ColourPicker, DropDownStaysOnTheScreenNearItsEdges) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const DropDownLayout layout = ExpectedLayout(false);
  struct Case {
    const char* label;
    int parentX, parentY;  // the picker stands at (24, 16) in the parent's client area
    bool movedLeft, movedUp;
  };
  const Case cases[] = {
      {"right edge", screenWidth - 90, 300, true, false},
      {"bottom edge", 300, screenHeight - 50, false, true},
      {"bottom right corner", screenWidth - 90, screenHeight - 50, true, true},
  };
  for (const Case& c : cases) {
    SetWindowPos(parent_, nullptr, c.parentX, c.parentY, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpAWhile();
    ASSERT_NO_FATAL_FAILURE(OpenByClick());
    RECT pickerRect{}, dropRect{};
    GetWindowRect(picker_, &pickerRect);
    GetWindowRect(DropDown(), &dropRect);
    EXPECT_GE(dropRect.left, 0) << c.label;
    EXPECT_GE(dropRect.top, 0) << c.label;
    EXPECT_LE(dropRect.right, screenWidth) << c.label;
    EXPECT_LE(dropRect.bottom, screenHeight) << c.label;
    EXPECT_EQ(dropRect.right - dropRect.left, layout.width) << c.label;
    EXPECT_EQ(dropRect.bottom - dropRect.top, layout.height) << c.label;
    if (c.movedLeft) {
      EXPECT_EQ(dropRect.right, screenWidth) << c.label;
    } else {
      EXPECT_EQ(dropRect.left, pickerRect.left) << c.label;
    }
    if (c.movedUp) {
      EXPECT_EQ(dropRect.bottom, pickerRect.top) << c.label << ": just above the picker";
    } else {
      EXPECT_EQ(dropRect.top, pickerRect.bottom) << c.label;
    }
    // Still works there: choosing red from the moved drop-down.
    ChooseByClick(12);
    EXPECT_EQ(ColourOf(), kRed) << c.label;
    SendMessageA(picker_, kPickerSetColour, 0, 0);
  }
}

// ---- The colour dialog ---------------------------------------------------------------------

// Drives the colour dialog from a second thread while the picker's thread runs its modal loop.
// It only records what it finds; the test thread checks it afterwards.
struct DialogDriver {
  HWND dropDown = nullptr;
  bool confirm = false;
  int red = 0, green = 0, blue = 0;
  // Found:
  HWND dialog = nullptr;
  HWND owner = nullptr;
  int redId = 0, greenId = 0, blueId = 0;
  std::string children;  // class, id and text of each child, for the failure message
  bool done = false;
};

struct FoundDialog {
  HWND dropDown;
  HWND dialog;
};

BOOL CALLBACK FindColourDialog(HWND window, LPARAM lParam) {
  auto* found = reinterpret_cast<FoundDialog*>(lParam);
  char className[32] = "";
  GetClassNameA(window, className, sizeof className);
  if (lstrcmpA(className, "#32770") == 0 && GetWindow(window, GW_OWNER) == found->dropDown &&
      IsWindowVisible(window)) {
    found->dialog = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK ListChild(HWND child, LPARAM lParam) {
  auto* driver = reinterpret_cast<DialogDriver*>(lParam);
  char className[32] = "", text[64] = "";
  GetClassNameA(child, className, sizeof className);
  SendMessageA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  const int id = GetDlgCtrlID(child);
  driver->children += std::string(className) + "#" + std::to_string(id) + "=\"" + text + "\" ";
  // The dialog starts at red 10, green 20, blue 30: the edit fields showing these are the
  // red, green and blue fields (hue, saturation and luminosity show 140, 120 and 19).
  if (lstrcmpiA(className, "Edit") == 0) {
    const std::string value = text;
    if (value == "10") driver->redId = id;
    if (value == "20") driver->greenId = id;
    if (value == "30") driver->blueId = id;
  }
  return TRUE;
}

DWORD WINAPI DriveColourDialog(void* parameter) {
  auto* driver = static_cast<DialogDriver*>(parameter);
  FoundDialog found{driver->dropDown, nullptr};
  for (int round = 0; round < 500 && found.dialog == nullptr; ++round) {
    EnumWindows(FindColourDialog, reinterpret_cast<LPARAM>(&found));
    if (found.dialog == nullptr) Sleep(10);
  }
  driver->dialog = found.dialog;
  if (found.dialog != nullptr) {
    driver->owner = GetWindow(found.dialog, GW_OWNER);
    EnumChildWindows(found.dialog, ListChild, reinterpret_cast<LPARAM>(driver));
    if (driver->redId != 0 && driver->greenId != 0 && driver->blueId != 0) {
      SetDlgItemInt(found.dialog, driver->redId, static_cast<UINT>(driver->red), FALSE);
      SetDlgItemInt(found.dialog, driver->greenId, static_cast<UINT>(driver->green), FALSE);
      SetDlgItemInt(found.dialog, driver->blueId, static_cast<UINT>(driver->blue), FALSE);
    }
    const int button = driver->confirm ? IDOK : IDCANCEL;
    SendMessageA(found.dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(found.dialog, button)));
  }
  driver->done = true;
  return 0;
}

TEST_F(ColourPicker, OtherColourRunsTheColourDialog) {
  struct Case {
    const char* label;
    bool confirm;
    Colour expected;
    int notifications;
  };
  constexpr Colour kStart = 0x001E140A;  // red 10, green 20, blue 30
  const Case cases[] = {
      {"OK takes the dialog's colour", true, 0x003264C8, 1},  // red 200, green 100, blue 50
      {"Cancel keeps the colour", false, kStart, 0},
  };
  for (const Case& c : cases) {
    SendMessageA(picker_, kPickerSetColour, kStart, 0);
    ASSERT_NO_FATAL_FAILURE(OpenByClick());
    heard = {};
    DialogDriver driver;
    driver.dropDown = DropDown();
    driver.confirm = c.confirm;
    driver.red = 200;
    driver.green = 100;
    driver.blue = 50;
    HANDLE thread = CreateThread(nullptr, 0, DriveColourDialog, &driver, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    // The click runs the dialog's modal loop inside this thread's message dispatch.
    Click(EntryOnScreen(kOtherEntry));
    const bool finished = PumpUntil([&] { return driver.done && !IsOpen(); });
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    ASSERT_TRUE(finished) << c.label << ": children " << driver.children;
    ASSERT_NE(driver.dialog, nullptr) << c.label << ": no colour dialog appeared";
    EXPECT_EQ(driver.owner, driver.dropDown) << c.label << ": owned by the drop-down";
    EXPECT_NE(driver.redId, 0) << c.label << ": " << driver.children;
    EXPECT_NE(driver.greenId, 0) << c.label << ": " << driver.children;
    EXPECT_NE(driver.blueId, 0) << c.label << ": " << driver.children;
    EXPECT_EQ(ColourOf(), c.expected) << c.label << ": got " << Hex(ColourOf());
    EXPECT_EQ(heard.chosen, c.notifications) << c.label;
    EXPECT_EQ(DropDown(), nullptr) << c.label;
    EXPECT_EQ(GetFocus(), picker_) << c.label << ": the focus is back on the picker";
    EXPECT_TRUE(IsWindowEnabled(parent_)) << c.label;
  }
}

// ---- Transparent ---------------------------------------------------------------------------

TEST_F(ColourPicker, OffersTransparentWhenAllowed) {
  SendMessageA(picker_, kPickerSetAllowTransparent, 1, 0);
  EXPECT_EQ(SendMessageA(picker_, kPickerGetAllowTransparent, 0, 0), 1);
  ASSERT_NO_FATAL_FAILURE(OpenByClick());
  const HWND dropDown = DropDown();
  const DropDownLayout layout = ExpectedLayout(true);
  RECT dropRect{};
  GetWindowRect(dropDown, &dropRect);
  EXPECT_EQ(dropRect.bottom - dropRect.top, layout.height);
  EXPECT_GT(layout.grid.top, layout.transparentBox.bottom);

  // The box above the grid: an empty outlined rectangle with "透明" over it.
  const Picture picture = PrintClient(dropDown);
  const PickerRect sample = TransparentSampleRect(layout);
  EXPECT_EQ(picture.At(sample.left, sample.top + 1), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(picture.At(sample.right - 1, sample.top + 1), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_GT(picture.CountDarkerThan(layout.transparentBox, GetSysColor(COLOR_BTNFACE)), 10);

  ChooseByClick(kTransparentEntry, true);
  EXPECT_EQ(ColourOf(), kNoColour) << Hex(ColourOf());
  EXPECT_EQ(heard.chosen, 1);
  // Shown white with "透明" written on it.
  const PickerFace face = FaceOf(picker_);
  const Picture shown = PrintClient(picker_);
  const PickerRect inside = ShrinkRect(face.swatch, 1);
  EXPECT_EQ(shown.MostCommonIn(inside), RGB(255, 255, 255));
  EXPECT_GT(shown.CountDarkerThan(inside, RGB(255, 255, 255)), 10);

  // Opened again, the "透明" box is the marked entry.
  ASSERT_NO_FATAL_FAILURE(OpenByClick());
  const PickerRect box = layout.transparentBox;
  EXPECT_EQ(PrintClient(DropDown()).At(box.left + 1, box.top + 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !IsOpen(); }));

  // From black, Up leaves the top row for the "透明" box, and Enter chooses it.
  SendMessageA(picker_, kPickerSetColour, 0, 0);
  ASSERT_NO_FATAL_FAILURE(OpenByClick());
  heard = {};
  for (WORD key : {VK_UP, VK_RETURN}) PressKey(key);
  EXPECT_TRUE(PumpUntil([&] { return !IsOpen(); }));
  EXPECT_EQ(ColourOf(), kNoColour) << Hex(ColourOf());
  EXPECT_EQ(heard.chosen, 1);
}

// ---- Going away while open -----------------------------------------------------------------

TEST_F(ColourPicker, ClosingItsWindowWhileOpenTakesTheDropDownAlong) {
  ASSERT_NO_FATAL_FAILURE(OpenByClick());
  const HWND dropDown = DropDown();
  DestroyWindow(parent_);
  PumpAWhile();
  EXPECT_FALSE(IsWindow(dropDown));
  EXPECT_FALSE(IsWindow(picker_));
  EXPECT_EQ(heard.chosen, 0);
  EXPECT_NE(GetCapture(), dropDown);
}

}  // namespace
