// The note's text box properties and the settings window's commands, in this process with real
// windows: scroll bars and the re-created box, colours by pixel, the radio boxes, the colour
// picker chosen with mouse and keyboard, and config.ini written byte for byte.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/note_commands.h"
#include "app/start_up.h"
#include "storage/paths.h"
#include "tests/support/gui.h"
#include "tests/support/scratch.h"
#include "ui/colour_drop_down_win.h"
#include "ui/colour_picker_win.h"
#include "ui/loaded_windows_win.h"
#include "ui/properties.h"

namespace {

ScratchFolder* runFolder = nullptr;

HWND ControlHwnd(ControlRef ref) {
  LoadedWindow* window = FindLoadedWindow(ref.windowId);
  if (window == nullptr) return nullptr;
  if (ref.controlId == window->definition->ownControlId) return window->hwnd;
  return FindLoadedControl(*window, ref.controlId)->hwnd;
}
HWND NoteBox() { return ControlHwnd(kNoteBox); }

POINT InsideBox(int dx, int dy) {
  RECT rect;
  GetWindowRect(NoteBox(), &rect);
  return {rect.left + dx, rect.top + dy};
}
COLORREF BoxPixel(int dx, int dy) {
  RedrawWindow(NoteBox(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  PumpFor(60);
  const POINT at = InsideBox(dx, dy);
  return ScreenPixel(at.x, at.y);
}

void ClickCentreOf(HWND hwnd) {
  RECT rect;
  GetWindowRect(hwnd, &rect);
  ClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

// The screen point of the first pixel of the colour inside a window, or {-1, -1}.
POINT FindPixel(HWND hwnd, COLORREF colour) {
  RECT rect;
  GetWindowRect(hwnd, &rect);
  HDC screen = GetDC(nullptr);
  POINT found{-1, -1};
  for (int y = rect.top; y < rect.bottom && found.x < 0; ++y) {
    for (int x = rect.left; x < rect.right; ++x) {
      if (GetPixel(screen, x, y) == colour) {
        found = {x + 2, y + 2};
        break;
      }
    }
  }
  ReleaseDC(nullptr, screen);
  return found;
}

std::string ConfigBytes() { return FileContents(SettingsFile()); }

// config.ini as the profile functions write it, GBK names and CRLF lines.
const std::string kAfterYes = "[\xB9\xF6\xB6\xAF\xCC\xF5]\r\n\xCA\xC7=2\r\n[\xB9\xF6\xB6\xAF\xCC\xF5" "2]\r\n\xB7\xF1=\r\n";
const std::string kAfterNo = "[\xB9\xF6\xB6\xAF\xCC\xF5]\r\n\xCA\xC7=\r\n[\xB9\xF6\xB6\xAF\xCC\xF5" "2]\r\n\xB7\xF1=0\r\n";

bool HasStyle(HWND hwnd, LONG_PTR bits) { return (GetWindowLongPtrA(hwnd, GWL_STYLE) & bits) == bits; }

class SettingsAndProperties : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    runFolder = new ScratchFolder;
    PrepareProgram();
    SetRunDirectory(runFolder->Path());
    LoadFirstWindow(kMainWindow.windowId);
    SetForegroundWindow(ControlHwnd(kMainWindow));
    PumpFor(200);
  }
  void SetUp() override {
    WriteProperty(kNoteBox, prop::kEditScrollBars, 0);
    WriteProperty(kNoteBox, prop::kEditBackColour, 0x0000FFFF);
    WriteTextProperty(kNoteBox, prop::kEditText, "");
  }
};

TEST_F(SettingsAndProperties, ScrollBarValuesReCreateTheBoxInPlace) {
  struct Step {
    int32_t written;
    int32_t read;
    bool vertical, horizontal, recreated;
  };
  const Step steps[] = {
      {2, 2, true, false, true},
      {2, 2, true, false, false},  // the value it has: nothing changes
      {7, 3, true, true, true},    // above the maximum: both bars, no word wrap
      {-5, 0, false, false, true},
  };
  for (const Step& step : steps) {
    HWND before = NoteBox();
    WriteProperty(kNoteBox, prop::kEditScrollBars, step.written);
    HWND after = NoteBox();
    EXPECT_EQ(ReadProperty(kNoteBox, prop::kEditScrollBars).integer, step.read) << step.written;
    EXPECT_EQ(before != after, step.recreated) << step.written;
    EXPECT_EQ(HasStyle(after, WS_VSCROLL), step.vertical) << step.written;
    EXPECT_EQ(HasStyle(after, WS_HSCROLL), step.horizontal) << step.written;
    EXPECT_EQ(HasStyle(after, ES_AUTOHSCROLL), step.horizontal) << "wraps unless scrolling sideways";
    EXPECT_FALSE(IsWindow(before) && before != after);
    RECT rect;
    GetWindowRect(after, &rect);
    MapWindowPoints(nullptr, ControlHwnd(kMainWindow), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 160);
    EXPECT_EQ(rect.bottom, 128);
    EXPECT_EQ(SendMessageA(after, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
    EXPECT_TRUE(IsWindowVisible(after));
    EXPECT_EQ(BoxPixel(40, 60), RGB(255, 255, 0)) << "the colour carries over";
  }
}

TEST_F(SettingsAndProperties, TypedTextSurvivesAScrollBarChange) {
  SetForegroundWindow(ControlHwnd(kMainWindow));
  SetFocus(NoteBox());
  TypeText("kept");
  PressKey(VK_RETURN);
  TypeText("too");
  PumpFor(80);
  WriteProperty(kNoteBox, prop::kEditScrollBars, 2);
  EXPECT_EQ(WindowTextOf(NoteBox()), "kept\r\ntoo");
  EXPECT_EQ(GetFocus(), NoteBox()) << "the new box has the focus the old one had";
  EXPECT_EQ(ReadProperty(kNoteBox, prop::kEditText).text, "kept\r\ntoo");
}

TEST_F(SettingsAndProperties, TextIsReadLiveWithLineBreaks) {
  EXPECT_EQ(ReadProperty(kNoteBox, prop::kEditText).text, "");
  SetForegroundWindow(ControlHwnd(kMainWindow));
  SetFocus(NoteBox());
  TypeText("one");
  PressKey(VK_RETURN);
  TypeText("two");
  PumpFor(80);
  EXPECT_EQ(ReadProperty(kNoteBox, prop::kEditText).text, "one\r\ntwo");
}

TEST_F(SettingsAndProperties, MoreThan32767CharactersAreAccepted) {
  // Short lines: the edit control wraps one long line slowly, and the limit counts characters
  // whatever the lines.
  std::string longText;
  while (longText.size() < 40000) longText += "abcdefghijklmn\r\n";
  SendMessageA(NoteBox(), EM_SETSEL, 0, -1);
  SendMessageA(NoteBox(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(longText.c_str()));
  EXPECT_EQ(GetWindowTextLengthA(NoteBox()), static_cast<int>(longText.size()));
  SetFocus(NoteBox());
  const WPARAM end = longText.size();
  SendMessageA(NoteBox(), EM_SETSEL, end, static_cast<LPARAM>(end));
  TypeText("yz");
  EXPECT_EQ(ReadProperty(kNoteBox, prop::kEditText).text, longText + "yz");
}

TEST_F(SettingsAndProperties, BackgroundColourFillsTheClientAreaNotTheBorder) {
  WriteTextProperty(kNoteBox, prop::kEditText, "WWWW");
  WriteProperty(kNoteBox, prop::kEditBackColour, 0x0000FF00);
  EXPECT_EQ(BoxPixel(80, 100), RGB(0, 255, 0)) << "empty space";
  EXPECT_EQ(BoxPixel(158, 126), RGB(0, 255, 0)) << "lower right corner of the client area";
  EXPECT_NE(BoxPixel(0, 0), RGB(0, 255, 0)) << "the border keeps its colour";
  EXPECT_EQ(ReadProperty(kNoteBox, prop::kEditTextColour).integer, 0);
  EXPECT_NE(FindPixel(NoteBox(), RGB(0, 0, 0)).x, -1) << "the text stays black";
  WriteProperty(kNoteBox, prop::kEditBackColour, static_cast<int32_t>(0xFF000000));
  EXPECT_EQ(BoxPixel(80, 100), GetSysColor(COLOR_BTNFACE));
}

// The settings window runs its own loop; the checks run as timed steps inside it.
class SettingsSteps {
 public:
  void Add(std::function<bool()> step) { steps_.push_back(std::move(step)); }
  void Check(bool condition, const std::string& what) {
    if (!condition) failures_.push_back(what);
  }
  void RunWhileOpen() {
    TimedSteps timed(std::move(steps_), 80);
    OpenSettings();
    EXPECT_TRUE(timed.Finished()) << "the settings window closed before every step ran";
    for (const std::string& failure : failures_) ADD_FAILURE() << failure;
  }

 private:
  std::vector<std::function<bool()>> steps_;
  std::vector<std::string> failures_;
};

bool SettingsOpen() { return FindLoadedWindow(kSettingsWindow.windowId) != nullptr; }
bool DropDownOpen() { return FindWindowA(kColourDropDownClass, nullptr) != nullptr; }

TEST_F(SettingsAndProperties, ColourButtonAppliesThePickersColour) {
  SettingsSteps s;
  s.Add([&] {
    if (!SettingsOpen()) return false;
    s.Check(ReadProperty(kColourPicker, prop::kPickerColour).integer == 0, "the picker starts on black");
    SendMessageA(ControlHwnd(kColourButton), BM_CLICK, 0, 0);
    s.Check(ReadProperty(kNoteBox, prop::kEditBackColour).integer == 0, "按钮1 makes the box black");
    s.Check(BoxPixel(80, 100) == RGB(0, 0, 0), "black on screen");
    SetForegroundWindow(ControlHwnd(kSettingsWindow));
    ClickCentreOf(ControlHwnd(kColourPicker));  // opens the drop-down
    return true;
  });
  s.Add([&] {
    if (!DropDownOpen()) return false;
    const POINT red = FindPixel(FindWindowA(kColourDropDownClass, nullptr), RGB(255, 0, 0));
    s.Check(red.x >= 0, "the drop-down shows a red swatch");
    s.Check(MoveMouseTo(red.x, red.y), "the pointer reaches the red swatch");
    ClickAt(red.x, red.y);
    return true;
  });
  s.Add([&] {
    if (DropDownOpen()) return false;
    s.Check(ReadProperty(kColourPicker, prop::kPickerColour).integer == 0x000000FF, "红色 chosen with the mouse");
    SendMessageA(ControlHwnd(kColourButton), BM_CLICK, 0, 0);
    s.Check(BoxPixel(80, 100) == RGB(255, 0, 0), "按钮1 makes the box red");
    // Again with the keyboard, from black: down a row, right five cells, Enter.
    WriteProperty(kColourPicker, prop::kPickerColour, 0);
    SetFocus(ControlHwnd(kColourPicker));
    PressKey(VK_SPACE);
    return true;
  });
  s.Add([&] {
    if (!DropDownOpen()) return false;
    PressKey(VK_DOWN);
    for (int i = 0; i < 5; ++i) PressKey(VK_RIGHT);
    PressKey(VK_RETURN);
    return true;
  });
  s.Add([&] {
    if (DropDownOpen()) return false;
    s.Check(ReadProperty(kColourPicker, prop::kPickerColour).integer == 0x000000FF, "红色 chosen with the keyboard");
    PressKey(VK_ESCAPE);
    return true;
  });
  s.RunWhileOpen();
  EXPECT_FALSE(SettingsOpen());
  EXPECT_EQ(ReadProperty(kNoteBox, prop::kEditBackColour).integer, 0x000000FF) << "the colour holds after closing";
}

TEST_F(SettingsAndProperties, ScrollButtonAppliesAndStoresTheChoice) {
  DeleteFileA(SettingsFile().c_str());
  SettingsSteps s;
  s.Add([&] {
    if (!SettingsOpen()) return false;
    s.Check(ReadProperty(kYesRadio, prop::kRadioChecked).integer == 0, "是 starts unchecked");
    s.Check(ReadProperty(kNoRadio, prop::kRadioChecked).integer == 0, "否 starts unchecked");
    SendMessageA(ControlHwnd(kScrollButton), BM_CLICK, 0, 0);
    s.Check(!HasStyle(NoteBox(), WS_VSCROLL), "neither checked: the box is unchanged");
    s.Check(ConfigBytes() == "<missing>", "neither checked: nothing written");

    SendMessageA(ControlHwnd(kYesRadio), BM_CLICK, 0, 0);
    s.Check(ReadProperty(kYesRadio, prop::kRadioChecked).integer == 1, "是 reads 1 after a click");
    s.Check(ReadProperty(kNoRadio, prop::kRadioChecked).integer == 0, "否 reads 0 then");
    SendMessageA(ControlHwnd(kScrollButton), BM_CLICK, 0, 0);
    s.Check(HasStyle(NoteBox(), WS_VSCROLL), "是: a vertical scroll bar at once");
    s.Check(ConfigBytes() == kAfterYes, "是 stored: " + ConfigBytes());

    SendMessageA(ControlHwnd(kNoRadio), BM_CLICK, 0, 0);
    s.Check(ReadProperty(kNoRadio, prop::kRadioChecked).integer == 1, "否 reads 1 after a click");
    s.Check(ReadProperty(kYesRadio, prop::kRadioChecked).integer == 0, "是 reads 0 then");
    SendMessageA(ControlHwnd(kScrollButton), BM_CLICK, 0, 0);
    s.Check(!HasStyle(NoteBox(), WS_VSCROLL), "否: the scroll bar goes");
    s.Check(ConfigBytes() == kAfterNo, "否 stored: " + ConfigBytes());

    SendMessageA(ControlHwnd(kYesRadio), BM_CLICK, 0, 0);
    SendMessageA(ControlHwnd(kScrollButton), BM_CLICK, 0, 0);
    s.Check(ConfigBytes() == kAfterYes, "yes, no, yes: no entry doubled: " + ConfigBytes());
    SendMessageA(ControlHwnd(kSettingsWindow), WM_CLOSE, 0, 0);
    return true;
  });
  s.RunWhileOpen();
  EXPECT_TRUE(HasStyle(NoteBox(), WS_VSCROLL));

  // A second opening starts again from black and unchecked.
  SettingsSteps again;
  again.Add([&] {
    if (!SettingsOpen()) return false;
    again.Check(ReadProperty(kColourPicker, prop::kPickerColour).integer == 0, "picker on black again");
    again.Check(ReadProperty(kYesRadio, prop::kRadioChecked).integer == 0, "是 unchecked again");
    again.Check(ReadProperty(kNoRadio, prop::kRadioChecked).integer == 0, "否 unchecked again");
    PressKey(VK_ESCAPE);
    return true;
  });
  again.RunWhileOpen();
}

}  // namespace
