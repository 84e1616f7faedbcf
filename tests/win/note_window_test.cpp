// The note window built from its definition, in this process: frame, menu bar, text box, keys,
// the settings window loaded modally, and a destroy request. The window's handlers run as in
// the program; the run directory is a scratch folder.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/note_commands.h"
#include "app/program.h"
#include "app/start_up.h"
#include "storage/paths.h"
#include "tests/support/gui.h"
#include "tests/support/scratch.h"
#include "ui/loaded_windows_win.h"

namespace {

ScratchFolder* runFolder = nullptr;
RECT rectWhenFirstShown = {};

LRESULT CALLBACK RecordFirstShow(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_SHOWWINDOW && call->wParam == TRUE) {
    LoadedWindow* window = LoadedWindowOf(call->hwnd);
    if (window != nullptr && window->definition->id == kMainWindow.windowId && rectWhenFirstShown.right == 0) {
      GetWindowRect(call->hwnd, &rectWhenFirstShown);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

HWND MainHwnd() { return FindLoadedWindow(kMainWindow.windowId)->hwnd; }
HWND NoteBoxHwnd() { return FindLoadedControl(*FindLoadedWindow(kMainWindow.windowId), kNoteBox.controlId)->hwnd; }
HWND SettingsControl(uint32_t controlId) {
  LoadedWindow* settings = FindLoadedWindow(kSettingsWindow.windowId);
  return settings != nullptr ? FindLoadedControl(*settings, controlId)->hwnd : nullptr;
}
std::string MenuText(HMENU menu, UINT position) {
  char text[64] = {};
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

class NoteWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    runFolder = new ScratchFolder;
    PrepareProgram();
    SetRunDirectory(runFolder->Path());
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordFirstShow, nullptr, GetCurrentThreadId());
    LoadFirstWindow(kMainWindow.windowId);
    UnhookWindowsHookEx(hook);
    SetForegroundWindow(MainHwnd());
    PumpFor(200);
  }
};

TEST_F(NoteWindow, IsFirstShownAtItsPlaceWithAFixedFrameAndNoTitle) {
  EXPECT_EQ(rectWhenFirstShown.left, 1200);
  EXPECT_EQ(rectWhenFirstShown.top, 5);
  RECT rect;
  GetWindowRect(MainHwnd(), &rect);
  EXPECT_EQ(rect.right - rect.left, 165);
  EXPECT_EQ(rect.bottom - rect.top, 178);
  EXPECT_EQ(WindowTextOf(MainHwnd()), "");
  const LONG_PTR style = GetWindowLongPtrA(MainHwnd(), GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_NE(GetClassLongPtrA(MainHwnd(), GCLP_HICON), 0);
  EXPECT_NE(GetClassLongPtrA(MainHwnd(), GCLP_HICONSM), 0);
  EXPECT_EQ(GetWindow(MainHwnd(), GW_OWNER), nullptr) << "the note window has its own taskbar button";
}

TEST_F(NoteWindow, HasTheMenuBarWithItsCommandIds) {
  HMENU bar = GetMenu(MainHwnd());
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  EXPECT_EQ(MenuText(bar, 0), "\xB3\xCC\xD0\xF2");  // 程序
  EXPECT_EQ(MenuText(bar, 1), "\xCE\xC4\xB1\xBE");  // 文本
  struct Item {
    int menu;
    UINT position;
    const char* caption;
    UINT id;
  };
  const Item items[] = {
      {0, 0, "\xB9\xD8\xD3\xDA", 20001},          // 关于
      {0, 1, "\xC9\xE8\xD6\xC3", 20002},          // 设置
      {0, 2, "\xCD\xCB\xB3\xF6", 20003},          // 退出
      {1, 0, "\xB1\xA3\xB4\xE6", 20005},          // 保存
      {1, 1, "\xC1\xED\xB4\xE6\xCE\xAA", 20006},  // 另存为
  };
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 0)), 3);
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 2);
  for (const Item& item : items) {
    HMENU dropDown = GetSubMenu(bar, item.menu);
    EXPECT_EQ(MenuText(dropDown, item.position), item.caption) << item.id;
    EXPECT_EQ(GetMenuItemID(dropDown, static_cast<int>(item.position)), item.id);
  }
}

TEST_F(NoteWindow, TextBoxIsAYellowWrappingMultiLineEditFillingTheClientArea) {
  HWND box = NoteBoxHwnd();
  char className[16] = {};
  GetClassNameA(box, className, sizeof className);
  EXPECT_STREQ(className, "Edit");
  RECT rect;
  GetWindowRect(box, &rect);
  MapWindowPoints(nullptr, MainHwnd(), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, 160);
  EXPECT_EQ(rect.bottom, 128);
  const LONG_PTR style = GetWindowLongPtrA(box, GWL_STYLE);
  for (LONG_PTR bit : {ES_MULTILINE, ES_AUTOVSCROLL, ES_WANTRETURN, WS_TABSTOP, WS_CHILD}) {
    EXPECT_EQ(style & bit, bit) << std::hex << bit;
  }
  for (LONG_PTR bit : {ES_AUTOHSCROLL, ES_NOHIDESEL, WS_VSCROLL, WS_HSCROLL}) {
    EXPECT_EQ(style & bit, 0) << std::hex << bit;
  }
  EXPECT_GT(SendMessageA(box, EM_GETLIMITTEXT, 0, 0), 32767) << "the box has no limit of its own";

  UpdateWindow(MainHwnd());
  PumpFor(100);
  GetWindowRect(box, &rect);
  EXPECT_EQ(ScreenPixel(rect.left + 80, rect.top + 100), RGB(255, 255, 0));
  EXPECT_EQ(ScreenPixel(rect.right - 3, rect.bottom - 3), RGB(255, 255, 0));
}

TEST_F(NoteWindow, TabStaysInTheTextBoxEnterBreaksTheLineEscDoesNothing) {
  SetForegroundWindow(MainHwnd());
  SetFocus(NoteBoxHwnd());
  SetWindowTextA(NoteBoxHwnd(), "");
  TypeText("ab");
  PressKey(VK_TAB);
  PressKey(VK_RETURN);
  TypeText("c");
  PressKey(VK_ESCAPE);
  PumpFor(100);
  EXPECT_EQ(WindowTextOf(NoteBoxHwnd()), "ab\r\nc");
  EXPECT_EQ(GetFocus(), NoteBoxHwnd());
  EXPECT_TRUE(IsWindow(MainHwnd()));
  EXPECT_TRUE(IsWindowVisible(MainHwnd()));
}

TEST_F(NoteWindow, SettingsWindowIsModalCentredAndKeyedAsDefined) {
  HWND main = MainHwnd();
  const uint32_t tabOrder[] = {kColourButton.controlId, kColourPicker.controlId, kYesRadio.controlId,
                               kNoRadio.controlId, kScrollButton.controlId, kColourButton.controlId};
  std::vector<std::string> failures;
  size_t tabIndex = 0;
  const auto expect = [&](bool condition, const std::string& what) {
    if (!condition) failures.push_back(what);
  };
  std::vector<std::function<bool()>> steps;
  steps.push_back([&] {
    LoadedWindow* settings = FindLoadedWindow(kSettingsWindow.windowId);
    if (settings == nullptr || !IsWindowVisible(settings->hwnd)) return false;
    RECT rect;
    GetWindowRect(settings->hwnd, &rect);
    expect(rect.right - rect.left == 148 && rect.bottom - rect.top == 143, "size 148 x 143");
    expect(rect.left == (GetSystemMetrics(SM_CXSCREEN) - 148) / 2, "centred horizontally");
    expect(rect.top == (GetSystemMetrics(SM_CYSCREEN) - 143) / 2, "centred vertically");
    expect(WindowTextOf(settings->hwnd) == "\xC9\xE8\xD6\xC3", "titled 设置");
    expect(GetWindow(settings->hwnd, GW_OWNER) == ExistingProgram()->hiddenOwner, "owned by the hidden owner");
    expect((GetWindowLongPtrA(settings->hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW) == 0, "no taskbar button");
    expect(!IsWindowEnabled(main), "note window disabled");
    expect(SendMessageA(SettingsControl(kYesRadio.controlId), BM_GETCHECK, 0, 0) == BST_UNCHECKED, "是 unchecked");
    expect(SendMessageA(SettingsControl(kNoRadio.controlId), BM_GETCHECK, 0, 0) == BST_UNCHECKED, "否 unchecked");
    SetForegroundWindow(settings->hwnd);
    SetFocus(SettingsControl(tabOrder[0]));
    return true;
  });
  for (size_t i = 0; i + 1 < std::size(tabOrder); ++i) {
    steps.push_back([&, i] {
      expect(GetFocus() == SettingsControl(tabOrder[i]), "Tab order at " + std::to_string(i));
      ++tabIndex;
      PressKey(VK_TAB);
      return true;
    });
  }
  steps.push_back([&] {
    expect(GetFocus() == SettingsControl(tabOrder[std::size(tabOrder) - 1]), "Tab wraps to 按钮1");
    PressKey(VK_TAB, true);
    return true;
  });
  steps.push_back([&] {
    expect(GetFocus() == SettingsControl(kScrollButton.controlId), "Shift+Tab goes back to 按钮2");
    SetFocus(SettingsControl(kYesRadio.controlId));
    SendMessageA(SettingsControl(kYesRadio.controlId), BM_SETCHECK, BST_CHECKED, 0);
    PressKey(VK_RIGHT);
    return true;
  });
  steps.push_back([&] {
    expect(SendMessageA(SettingsControl(kNoRadio.controlId), BM_GETCHECK, 0, 0) == BST_CHECKED, "Right checks 否");
    expect(SendMessageA(SettingsControl(kYesRadio.controlId), BM_GETCHECK, 0, 0) == BST_UNCHECKED, "and unchecks 是");
    expect(GetFocus() == SettingsControl(kNoRadio.controlId), "focus on 否");
    PressKey(VK_UP);
    return true;
  });
  steps.push_back([&] {
    expect(SendMessageA(SettingsControl(kYesRadio.controlId), BM_GETCHECK, 0, 0) == BST_CHECKED, "Up checks 是 again");
    expect(GetFocus() == SettingsControl(kYesRadio.controlId), "focus back on 是");
    PressKey(VK_ESCAPE);
    return true;
  });
  TimedSteps timed(std::move(steps));
  OpenSettings();  // returns once the settings window is closed
  EXPECT_TRUE(timed.Finished());
  for (const std::string& failure : failures) ADD_FAILURE() << failure;
  EXPECT_EQ(FindLoadedWindow(kSettingsWindow.windowId), nullptr);
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_EQ(tabIndex, std::size(tabOrder) - 1);
}

// Last: it destroys the note window.
TEST_F(NoteWindow, ExitReturnsBeforeTheWindowIsGone) {
  HWND main = MainHwnd();
  Exit();
  EXPECT_TRUE(IsWindow(main)) << "the request is handled by the loop, after the handler returned";
  PumpFor(100);
  EXPECT_FALSE(IsWindow(main));
  EXPECT_FALSE(AnyWindowAlive());
  EXPECT_EQ(FolderListing(runFolder->Path()), "") << "nothing is written on the way out";
}

}  // namespace
