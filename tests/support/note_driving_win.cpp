#include "tests/support/note_driving.h"

namespace {

const char kSettingsTitle[] = "\xC9\xE8\xD6\xC3";  // 设置
const char kYesCaption[] = "\xCA\xC7";             // 是
const char kNoCaption[] = "\xB7\xF1";              // 否
const char kOkCaption[] = "\xC8\xB7\xB6\xA8";      // 确定

}  // namespace

// The visible note-class window of the process titled 设置, waiting up to the time.
HWND SettingsWindowOf(DWORD processId, int milliseconds) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND hwnd : ProcessWindows(processId, "NoteWindow")) {
          if (WindowTextOf(hwnd) == kSettingsTitle) found = hwnd;
        }
        return found != nullptr;
      },
      milliseconds);
  return found;
}

// The Button child with that caption lying lowest in the window.
HWND LowestButton(HWND window, const char* caption) {
  HWND lowest = nullptr;
  LONG lowestTop = LONG_MIN;
  for (HWND child : ChildrenOf(window)) {
    if (ClassOf(child) != "Button" || WindowTextOf(child) != caption) continue;
    RECT rect;
    GetWindowRect(child, &rect);
    if (rect.top > lowestTop) {
      lowest = child;
      lowestTop = rect.top;
    }
  }
  return lowest;
}

std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

LONG_PTR StyleOf(HWND hwnd) { return GetWindowLongPtrA(hwnd, GWL_STYLE); }

HWND NoteBoxOf(HWND window) {
  HWND box = nullptr;
  int count = 0;
  for (HWND child : ChildrenOf(window)) {
    if (ClassOf(child) == "Edit") {
      box = child;
      ++count;
    }
  }
  return count == 1 ? box : nullptr;
}

int ScrollBarsOf(HWND box) {
  const LONG_PTR style = StyleOf(box);
  return ((style & WS_HSCROLL) != 0 ? 1 : 0) + ((style & WS_VSCROLL) != 0 ? 2 : 0);
}

int ClampedScrollSetting(int32_t value) { return value < 0 ? 0 : value > 3 ? 3 : value; }

bool SendAndWait(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, int milliseconds) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_NORMAL, static_cast<UINT>(milliseconds),
                             &result) != 0;
}

bool SetTextOf(HWND hwnd, const std::string& text) {
  return SendAndWait(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), 60000);
}

bool SetLongTextOf(HWND box, const std::string& text) {
  constexpr size_t kPiece = 512 * 1024;
  size_t done = 0;
  do {
    size_t end = text.size();
    if (end - done > kPiece) {
      const size_t lineEnd = text.rfind('\n', done + kPiece - 1);
      end = lineEnd != std::string::npos && lineEnd >= done ? lineEnd + 1 : done + kPiece;
    }
    const std::string piece = text.substr(done, end - done);
    if (done == 0) {
      if (!SetTextOf(box, piece)) return false;
    } else {
      const LRESULT length = SendMessageA(box, WM_GETTEXTLENGTH, 0, 0);
      if (!SendAndWait(box, EM_SETSEL, static_cast<WPARAM>(length), length)) return false;
      if (!SendAndWait(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(piece.c_str()), 60000)) return false;
    }
    done = end;
  } while (done < text.size());
  return true;
}

bool IsRunning(RunningNote& note) { return WaitForExit(note, 0) == STILL_ACTIVE; }

std::string ApplyScrollChoiceFromOutside(RunningNote& note, bool yes) {
  if (!PostMessageA(note.window, WM_COMMAND, kSettingsCommand, 0)) return "the settings command was not posted";
  HWND settings = SettingsWindowOf(note.process.dwProcessId, 5000);
  if (settings == nullptr) return "no settings window came up";
  HWND radio = LowestButton(settings, yes ? kYesCaption : kNoCaption);
  HWND apply = LowestButton(settings, kOkCaption);
  if (radio == nullptr) return "the settings window has no radio box for the choice";
  if (apply == nullptr) return "the settings window has no button to apply the choice";
  // Handled in the settings window's modal loop, one after the other.
  if (!SendAndWait(radio, BM_CLICK)) return "the radio box did not take the click";
  if (SendMessageA(radio, BM_GETCHECK, 0, 0) != BST_CHECKED) return "the radio box is not checked";
  if (!SendAndWait(apply, BM_CLICK)) return "the apply button did not take the click";
  if (!PostMessageA(settings, WM_CLOSE, 0, 0)) return "the settings window was not asked to close";
  if (!WaitUntil([&] { return !IsWindow(settings) || !IsWindowVisible(settings); })) {
    return "the settings window did not close";
  }
  if (!SendAndWait(note.window, WM_NULL)) return "the note window does not answer after the settings window";
  return "";
}

StartedNotes::~StartedNotes() {
  for (RunningNote& note : notes_) StopNote(note);
}

RunningNote& StartedNotes::Start(const Text& folder, int windowMilliseconds) {
  notes_.push_back(StartNote(folder));
  RunningNote& note = notes_.back();
  if (note.process.hProcess != nullptr && note.window == nullptr && windowMilliseconds > 10000) {
    note.window = FindProcessWindow(note.process.dwProcessId, "NoteWindow", windowMilliseconds - 10000);
  }
  return note;
}

void ExpectStillRunning(RunningNote& note) {
  EXPECT_TRUE(IsRunning(note)) << "the program ended";
  EXPECT_TRUE(IsWindow(note.window) && IsWindowVisible(note.window)) << "the note window is gone";
  EXPECT_TRUE(SendAndWait(note.window, WM_NULL)) << "the note window does not answer";
  EXPECT_TRUE(ProcessWindows(note.process.dwProcessId, "#32770").empty()) << "something was reported";
}

void CloseNormally(RunningNote& note) {
  ASSERT_TRUE(PostMessageA(note.window, WM_CLOSE, 0, 0));
  EXPECT_EQ(WaitForExit(note), 0u) << "the program did not end normally";
}
