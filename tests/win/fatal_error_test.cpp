// The fatal report for real: the helper out_of_memory.exe asks the replaced operator new for more
// memory than there is; the test finds the message box it shows on Wine's desktop, reads it from
// outside, presses OK and checks how the process ended.
//
// The size asked for is 2^62 bytes, which no heap anywhere can give, so the allocation fails at
// once. (2^46 bytes is not enough under Wine: 64 TiB of address space is there to reserve, and
// Wine then fills its page table for the whole block, gigabytes of it.)
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/fatal_messages.h"
#include "app/fatal_report.h"
#include "ui/definitions.h"
#include "storage/files.h"
#include "tests/support/scratch.h"

namespace {

// A started helper process. One still running when the test ends is ended by its handle.
class ChildProcess {
 public:
  ChildProcess(const Text& program, const Text& argument) {
    std::string commandLine = "\"" + program + "\" " + argument;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    started_ = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                              nullptr, nullptr, &startup, &info_) != FALSE;
  }
  ~ChildProcess() {
    if (!started_) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(info_.hProcess, 99);
      WaitForSingleObject(info_.hProcess, 10000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return started_; }
  DWORD Id() const { return info_.dwProcessId; }
  // True once the process has ended, waiting for it at most the given time.
  bool WaitForEnd(DWORD milliseconds) const {
    return WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
  }
  DWORD ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION info_ = {};
  bool started_ = false;
};

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// The window's text, asked of its own thread in the other process.
std::string TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
    return "<no answer>";
  }
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, 5000, &copied)) {
    return "<no answer>";
  }
  text.resize(copied);
  return text;
}

struct BoxSearch {
  DWORD processId;
  HWND box;
};

BOOL CALLBACK FindVisibleDialogOf(HWND window, LPARAM parameter) {
  BoxSearch& search = *reinterpret_cast<BoxSearch*>(parameter);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == search.processId && ClassOf(window) == "#32770" && IsWindowVisible(window)) {
    search.box = window;
    return FALSE;
  }
  return TRUE;
}

// The process's visible dialog-class top-level window, or nullptr when the process ends or none
// shows up within the limit.
HWND WaitForMessageBox(const ChildProcess& child) {
  for (int attempt = 0; attempt < 600; ++attempt) {
    BoxSearch search = {child.Id(), nullptr};
    EnumWindows(FindVisibleDialogOf, reinterpret_cast<LPARAM>(&search));
    if (search.box != nullptr) return search.box;
    if (child.WaitForEnd(50)) return nullptr;
  }
  return nullptr;
}

struct Child {
  HWND window;
  std::string className;
  int id;
  LONG_PTR style;
  std::string text;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM parameter) {
  auto& children = *reinterpret_cast<std::vector<Child>*>(parameter);
  children.push_back({window, ClassOf(window), GetDlgCtrlID(window),
                      GetWindowLongPtrA(window, GWL_STYLE), TextOf(window)});
  return TRUE;
}

std::string Describe(const std::vector<Child>& children) {
  std::string description;
  for (const Child& child : children) {
    char line[128];
    std::snprintf(line, sizeof line, "\n  %s id 0x%X style 0x%llX text ", child.className.c_str(),
                  static_cast<unsigned>(child.id), static_cast<unsigned long long>(child.style));
    description += line + child.text;
  }
  return description;
}

// The pixels of a rectangle of the screen, or of an icon drawn on a plain background, as
// 0x00RRGGBB values row by row from the top.
class PixelCanvas {
 public:
  PixelCanvas(int width, int height)
      : width_(width), height_(height), screen_(GetDC(nullptr)),
        memory_(CreateCompatibleDC(screen_)), bitmap_(CreateCompatibleBitmap(screen_, width, height)),
        previous_(SelectObject(memory_, bitmap_)) {}
  ~PixelCanvas() {
    SelectObject(memory_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(memory_);
    ReleaseDC(nullptr, screen_);
  }
  PixelCanvas(const PixelCanvas&) = delete;
  PixelCanvas& operator=(const PixelCanvas&) = delete;

  void CopyScreen(int left, int top) {
    BitBlt(memory_, 0, 0, width_, height_, screen_, left, top, SRCCOPY);
  }
  void DrawIconOn(HICON icon, COLORREF background) {
    const HBRUSH brush = CreateSolidBrush(background);
    const RECT all = {0, 0, width_, height_};
    FillRect(memory_, &all, brush);
    DeleteObject(brush);
    DrawIconEx(memory_, 0, 0, icon, width_, height_, 0, nullptr, DI_NORMAL);
  }
  std::vector<uint32_t> Pixels() {
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width_;
    format.bmiHeader.biHeight = -height_;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(width_) * height_);
    SelectObject(memory_, previous_);  // a bitmap selected into a DC cannot be read
    GetDIBits(memory_, bitmap_, 0, height_, pixels.data(), &format, DIB_RGB_COLORS);
    SelectObject(memory_, bitmap_);
    for (uint32_t& pixel : pixels) pixel &= 0x00FFFFFF;
    return pixels;
  }

 private:
  int width_, height_;
  HDC screen_;
  HDC memory_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
};

// True when the control, as it stands on the screen, shows the icon drawn over its background.
// The box may still be painting when found, so the comparison is repeated for a while.
bool ShowsIcon(HWND control, HICON icon) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    RECT place;
    GetWindowRect(control, &place);
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    PixelCanvas shown(width, height);
    shown.CopyScreen(place.left, place.top);
    const std::vector<uint32_t> shownPixels = shown.Pixels();
    if (shownPixels.empty()) return false;
    const uint32_t corner = shownPixels[0];  // the icon's corners are transparent
    const COLORREF background = RGB((corner >> 16) & 0xFF, (corner >> 8) & 0xFF, corner & 0xFF);
    PixelCanvas drawn(width, height);
    drawn.DrawIconOn(icon, background);
    const std::vector<uint32_t> drawnPixels = drawn.Pixels();
    bool plain = true;
    for (uint32_t pixel : drawnPixels) plain = plain && pixel == corner;
    if (!plain && drawnPixels == shownPixels) return true;
    Sleep(50);
  }
  return false;
}

TEST(FatalError, RunningOutOfMemoryShowsTheReportAndEndsWithMinusOne) {
  ScratchFolder scratch;
  const Text marker = scratch / "exit-routine-ran";
  const uint64_t asked = uint64_t{1} << 62;
  ChildProcess child(ProgramFolder() + "\\out_of_memory.exe",
                     std::to_string(asked) + " " + marker);
  ASSERT_TRUE(child.Started()) << "error " << GetLastError();

  const HWND box = WaitForMessageBox(child);
  ASSERT_NE(box, nullptr) << "no message box; exit code 0x" << std::hex << child.ExitCode();

  char title[64] = {};
  GetWindowTextA(box, title, sizeof title);
  EXPECT_EQ(std::string(title), kFatalTitle);  // 错误
  EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr) << "shown without an owner window";

  std::vector<Child> children;
  EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&children));
  const std::string description = Describe(children);

  // The message text stands in the static control with id 0xFFFF.
  const HWND text = GetDlgItem(box, 0xFFFF);
  ASSERT_NE(text, nullptr) << description;
  EXPECT_EQ(ClassOf(text), "Static");
  // 运行时出错!, an empty line, 错误信息：分配 4611686018427387904 字节内存失败!, an empty line, 0, 0.
  EXPECT_EQ(TextOf(text),
            BuildFatalReport(AllocationFailureMessage(static_cast<size_t>(asked)), 0, 0));

  int icons = 0;
  int buttons = 0;
  HWND okButton = nullptr;
  for (const Child& c : children) {
    if (c.className == "Static" && (c.style & SS_TYPEMASK) == SS_ICON) {
      ++icons;
      DWORD_PTR icon = 0;
      SendMessageTimeoutA(c.window, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 5000, &icon);
      EXPECT_NE(icon, 0u) << "the icon static shows an icon";
      // Icon handles belong to their process; the test compares what the box shows with the
      // error icon as this process draws it.
      EXPECT_TRUE(ShowsIcon(c.window, LoadIconA(nullptr, IDI_ERROR))) << "the error icon";
    }
    if (c.className == "Button" && IsWindowVisible(c.window)) {
      ++buttons;
      okButton = c.window;
    }
  }
  EXPECT_EQ(icons, 1) << description;
  ASSERT_EQ(buttons, 1) << "OK alone" << description;
  EXPECT_EQ(GetDlgCtrlID(okButton), IDOK);

  ASSERT_TRUE(PostMessageA(okButton, BM_CLICK, 0, 0));
  ASSERT_TRUE(child.WaitForEnd(30000)) << "the process ends once OK is pressed";
  EXPECT_EQ(child.ExitCode(), 0xFFFFFFFFu);
  EXPECT_FALSE(PathExists(marker)) << "a fatal end calls no exit routine";
}

TEST(FatalError, AnEventNamingNothingKnownEndsTheProgramWithTheReport) {
  struct Case {
    const char* argument;
    const char* message;
    uint32_t windowId, controlId;
  };
  const Case cases[] = {
      {"window", kMsgEventWindowUnknown, 0x520100FF, 0},
      {"control", kMsgEventControlUnknown, kMainWindow.windowId, 0x16019999},
      {"component", kMsgEventControlInvalid, kSaveDialog.windowId, kSaveDialog.controlId},
  };
  for (const Case& c : cases) {
    ChildProcess child(ProgramFolder() + "\\raise_event_probe.exe", c.argument);
    ASSERT_TRUE(child.Started()) << c.argument;
    const HWND box = WaitForMessageBox(child);
    ASSERT_NE(box, nullptr) << c.argument << ": exit code 0x" << std::hex << child.ExitCode();
    const HWND text = GetDlgItem(box, 0xFFFF);
    ASSERT_NE(text, nullptr) << c.argument;
    EXPECT_EQ(TextOf(text), BuildFatalReport(c.message, c.windowId, c.controlId)) << c.argument;
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(child.WaitForEnd(30000)) << c.argument;
    EXPECT_EQ(child.ExitCode(), 0xFFFFFFFFu) << c.argument;
  }
}

}  // namespace
