#pragma once
// Driving a running note.exe from another process: its text box, its menu commands, the
// scroll-bar choice of its settings window, and the processes a test started, ended whatever
// happens to the test.
#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <string>

#include "storage/text.h"
#include "tests/support/gui.h"

// The menu commands, posted as WM_COMMAND to the note window.
inline constexpr WPARAM kSettingsCommand = 20002, kExitCommand = 20003, kSaveCommand = 20005;

std::string ClassOf(HWND hwnd);
LONG_PTR StyleOf(HWND hwnd);

// The note window's text box: its only Edit child, or nullptr when there is not exactly one.
HWND NoteBoxOf(HWND window);

// Which scroll bars the box shows, as the scroll-bar setting numbers them: 0 none,
// 1 horizontal, 2 vertical, 3 both.
int ScrollBarsOf(HWND box);

// The scroll-bar setting a stored value gives: below 0 is 0, above 3 is 3.
int ClampedScrollSetting(int32_t value);

// Sends and waits until the window's thread has handled the message; false when it did not
// within the time (the program hangs, died, or sits in a modal loop that does not answer).
bool SendAndWait(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, int milliseconds = 5000);
bool SetTextOf(HWND hwnd, const std::string& text);

// Puts a long text into a box of another process: a WM_SETTEXT of its first lines, then the
// rest appended at the end (EM_REPLACESEL) some lines at a time. Wine refuses a message from
// another process carrying more than about 1 MiB of text (the receiving program's GetMessage
// fails for it and the text never arrives), so each message here carries at most 512 KiB, cut
// after a line break. False when a message did not go through.
bool SetLongTextOf(HWND box, const std::string& text);

bool IsRunning(RunningNote& note);

// The visible note-class window of the process titled 设置, waiting up to the time; nullptr when
// none shows.
HWND SettingsWindowOf(DWORD processId, int milliseconds);

// The Button child with that caption lying lowest in the window.
HWND LowestButton(HWND window, const char* caption);

// Opens the settings window with its menu command, clicks the "是" (yes) or "否" (no) radio
// box, presses the lower "确定" button that applies the scroll-bar choice, and closes the
// settings window again. An empty text when every step went through, otherwise what failed.
std::string ApplyScrollChoiceFromOutside(RunningNote& note, bool yes);

// The note.exe processes a test started, each ended (if still running) when the object goes.
class StartedNotes {
 public:
  StartedNotes() = default;
  ~StartedNotes();
  StartedNotes(const StartedNotes&) = delete;
  StartedNotes& operator=(const StartedNotes&) = delete;

  // note.exe copied into the folder and started there (StartNote), waiting up to the time for
  // its window; kept for the end.
  RunningNote& Start(const Text& folder, int windowMilliseconds = 10000);

 private:
  std::deque<RunningNote> notes_;  // a deque keeps the references handed out valid
};

// Stops the test when note.exe did not start, its window never showed, or the window has not
// exactly one Edit child.
#define ASSERT_SHOWN(note)                                                 \
  ASSERT_NE((note).process.hProcess, nullptr) << "note.exe did not start"; \
  ASSERT_NE((note).window, nullptr) << "the note window never showed";     \
  ASSERT_NE(NoteBoxOf((note).window), nullptr) << "the note window has not exactly one Edit child"

// The program still stands: process alive, note window there and answering, no message box.
void ExpectStillRunning(RunningNote& note);

// Asks the program to close as a user would; it must end with code 0.
void CloseNormally(RunningNote& note);
