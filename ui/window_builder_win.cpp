#include "ui/window_builder_win.h"

#include "ui/colour_picker_win.h"
#include "ui/layout.h"

namespace {

HFONT DefaultGuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

HICON ProgramIcon(int size) {
  return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "DEFAULT_ICON", IMAGE_ICON, size,
                                       size, LR_SHARED));
}

// Labels are drawn by the program: the background colour, then the text in one line, left
// aligned and centred vertically, with a transparent background.
void PaintLabel(HWND hwnd, HDC dc) {
  LoadedWindow* window = LoadedWindowOf(GetParent(hwnd));
  LoadedControl* control = window != nullptr ? LoadedControlOf(*window, hwnd) : nullptr;
  if (control == nullptr) return;
  RECT client;
  GetClientRect(hwnd, &client);
  const COLORREF back = ShownColour(
      static_cast<Colour>(control->values.Integer(prop::kLabelBackColour, static_cast<int32_t>(kNoColour))));
  HBRUSH brush = CreateSolidBrush(back);
  FillRect(dc, &client, brush);
  DeleteObject(brush);
  const Text text = control->values.TextOf(prop::kLabelText);
  HGDIOBJ oldFont = SelectObject(dc, DefaultGuiFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ShownColour(static_cast<Colour>(control->values.Integer(prop::kLabelTextColour, 0))));
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &client,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOCLIP);
  SelectObject(dc, oldFont);
}

LRESULT CALLBACK LabelProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      PaintLabel(hwnd, dc);
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintLabel(hwnd, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // a label takes no clicks
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

HMENU BuildMenuBar(const WindowDefinition& definition) {
  const std::vector<MenuEntry> tree = MenuTree(definition);
  if (tree.empty()) return nullptr;
  HMENU bar = CreateMenu();
  for (const MenuEntry& entry : tree) {
    const char* caption = TextProperty(entry.item->properties, prop::kMenuCaption);
    if (entry.dropDown.empty()) {
      AppendMenuA(bar, MF_STRING, static_cast<UINT_PTR>(entry.commandId), caption);
      continue;
    }
    HMENU dropDown = CreatePopupMenu();
    for (const MenuEntry& item : entry.dropDown) {
      AppendMenuA(dropDown, MF_STRING, static_cast<UINT_PTR>(item.commandId),
                  TextProperty(item.item->properties, prop::kMenuCaption));
    }
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(dropDown), caption);
  }
  return bar;
}

struct ChildRecipe {
  const char* className;
  const char* text;
  DWORD style;
};

ChildRecipe ChildRecipeFor(const LoadedControl& control) {
  const ControlDefinition& definition = *control.definition;
  const CurrentValues& values = control.values;
  switch (definition.type) {
    case ControlType::EditBox:
      return {"EDIT", nullptr,
              EditBoxStyle(values.Integer(prop::kEditMultiLine) != 0,
                           values.Integer(prop::kEditScrollBars), values.Integer(prop::kEditHideSelection) != 0,
                           definition.tabStop, values.Integer(prop::kEditBorder),
                           values.Integer(prop::kEditAlignment), values.Integer(prop::kEditInputMode))};
    case ControlType::Label:
      return {kLabelClass, nullptr, WS_CHILD | WS_CLIPSIBLINGS};
    case ControlType::Button:
      return {"BUTTON", nullptr,
              ButtonStyle(definition.tabStop, values.Integer(prop::kButtonKind) == 1)};
    case ControlType::RadioBox:
      return {"BUTTON", nullptr,
              RadioBoxStyle(definition.tabStop, values.Integer(prop::kRadioPushLike) != 0,
                            values.Integer(prop::kRadioFlat) != 0,
                            values.Integer(prop::kRadioCaptionLeft) != 0)};
    case ControlType::ColorPicker:
      return {kColourPickerClass, nullptr,
              WS_CHILD | WS_CLIPSIBLINGS | (definition.tabStop ? WS_TABSTOP : 0u)};
    case ControlType::CommonDlg:
    case ControlType::MenuItem:
      break;
  }
  return {nullptr, nullptr, 0};
}

}  // namespace

COLORREF ShownColour(Colour colour) {
  return colour == kNoColour ? GetSysColor(COLOR_BTNFACE) : static_cast<COLORREF>(colour);
}

void ReplaceBackgroundBrush(LoadedControl& control) {
  if (control.backgroundBrush != nullptr) DeleteObject(control.backgroundBrush);
  control.backgroundBrush = CreateSolidBrush(ShownColour(static_cast<Colour>(
      control.values.Integer(prop::kEditBackColour, static_cast<int32_t>(kNoColour)))));
}

bool RegisterWindowClasses(HINSTANCE instance, WNDPROC windowProcedure) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = windowProcedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = ProgramIcon(GetSystemMetrics(SM_CXICON));
  windowClass.hIconSm = ProgramIcon(GetSystemMetrics(SM_CXSMICON));
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  if (RegisterClassExA(&windowClass) == 0) return false;

  WNDCLASSEXA labelClass = {};
  labelClass.cbSize = sizeof labelClass;
  labelClass.lpfnWndProc = LabelProcedure;
  labelClass.hInstance = instance;
  labelClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  labelClass.lpszClassName = kLabelClass;
  if (RegisterClassExA(&labelClass) == 0) return false;
  return RegisterColourPicker(instance);
}

HWND BuildControl(LoadedWindow& window, LoadedControl& control) {
  const ChildRecipe recipe = ChildRecipeFor(control);
  if (recipe.className == nullptr) return nullptr;
  const ControlDefinition& definition = *control.definition;
  const bool disabled = control.values.Integer(prop::kDisabled, definition.disabled ? 1 : 0) != 0;
  const DWORD style = recipe.style | (disabled ? WS_DISABLED : 0u);
  const Text caption = CaptionOf(control);
  HWND child = CreateWindowExA(0, recipe.className, caption.c_str(), style, definition.left,
                               definition.top, definition.width, definition.height, window.hwnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(ChildControlId(control.index))),
                               GetModuleHandleA(nullptr), nullptr);
  if (child == nullptr) return nullptr;
  control.hwnd = child;
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultGuiFont()), FALSE);
  switch (definition.type) {
    case ControlType::EditBox: {
      // The box has no limit of its own: as much text as the edit control can hold.
      SendMessageA(child, EM_SETLIMITTEXT, 0, 0);
      ReplaceBackgroundBrush(control);
      const int32_t start = control.values.Integer(prop::kEditSelStart);
      const int32_t length = control.values.Integer(prop::kEditSelLength);
      SendMessageA(child, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + length));
      break;
    }
    case ControlType::RadioBox:
      SendMessageA(child, BM_SETCHECK, control.values.Integer(prop::kRadioChecked) != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case ControlType::ColorPicker: {
      const bool allowTransparent = control.values.Integer(prop::kPickerAllowTransparent) != 0;
      Colour colour = static_cast<Colour>(control.values.Integer(prop::kPickerColour));
      // Without a transparent entry, a stored "no colour" is taken as black when built.
      if (colour == kNoColour && !allowTransparent) {
        colour = 0;
        control.values.Set(prop::kPickerColour, Value::Of(0));
      }
      SendMessageA(child, kPickerSetAllowTransparent, allowTransparent ? 1 : 0, 0);
      SendMessageA(child, kPickerSetColour, colour, 0);
      break;
    }
    default:
      break;
  }
  return child;
}

bool BuildWindow(LoadedWindow& window, HWND owner) {
  const WindowDefinition& definition = *window.definition;
  const Styles styles = WindowStyles(definition, owner != nullptr);
  const Rect place = WindowPlace(definition, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  const bool disabled = definition.disabled;
  HMENU menu = BuildMenuBar(definition);
  const Text title = window.values.TextOf(prop::kWindowTitle);
  window.hwnd = CreateWindowExA(styles.exStyle, kWindowClass, title.c_str(),
                                styles.style | (disabled ? WS_DISABLED : 0u), place.left, place.top,
                                place.Width(), place.Height(), owner, menu,
                                GetModuleHandleA(nullptr), nullptr);
  if (window.hwnd == nullptr) {
    if (menu != nullptr) DestroyMenu(menu);
    return false;
  }
  if (IntegerProperty(definition.properties, prop::kMovable, 1) == 0) {
    RemoveMenu(GetSystemMenu(window.hwnd, FALSE), SC_MOVE, MF_BYCOMMAND);
  }
  for (LoadedControl& control : window.controls) {
    if (ChildRecipeFor(control).className == nullptr) continue;
    if (BuildControl(window, control) == nullptr) return false;
    if (control.definition->visible) ShowWindow(control.hwnd, SW_SHOWNA);
  }
  return true;
}

HWND SystemWindowOf(LoadedWindow& window, uint32_t controlId) {
  if (controlId == window.definition->ownControlId || controlId == 0) return window.hwnd;
  LoadedControl* control = FindLoadedControl(window, controlId);
  return control != nullptr ? control->hwnd : nullptr;
}
