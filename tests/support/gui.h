#pragma once
// Driving real windows from tests: pumping the program's own message handling, pressing keys,
// reading screen pixels, and starting note.exe as a user would.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "storage/text.h"

// Handles waiting messages through the program's own key filter and dispatch for about the
// given time, then until the queue is empty.
void PumpFor(int milliseconds);

// Presses and releases a key with SendInput, with Shift or Alt held when asked; the keys are
// handled by whatever loop turns next.
void PressKey(WORD virtualKey, bool shift = false, bool alt = false);
// Types the characters (ASCII) with SendInput, then pumps.
void TypeText(const std::string& text);

// Moves the mouse pointer to a screen point with SendInput and waits until it stays there: under
// Wine on Xvfb the X server's echo of an earlier move can arrive later and put the pointer back,
// so a move counts as done once the pointer has stayed at its target for a quarter of a second.
// False when it never settles.
bool MoveMouseTo(int x, int y);
// Moves there, then presses and releases the left button; the messages are pumped.
void ClickAt(int x, int y);

// The colour on the screen at a point.
COLORREF ScreenPixel(int x, int y);

// Runs the steps one after another from a timer while some modal loop of the program turns,
// about every interval milliseconds. Each step returns false to run again on the next tick.
class TimedSteps {
 public:
  explicit TimedSteps(std::vector<std::function<bool()>> steps, int interval = 60);
  ~TimedSteps();
  bool Finished() const;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
};

// A note.exe started in a folder of its own.
struct RunningNote {
  PROCESS_INFORMATION process{};
  HWND window = nullptr;  // its note window, once visible
};

// Copies note.exe into the folder and starts it there with the command line's arguments;
// waits until its note window is visible (window stays null when it never shows).
RunningNote StartNote(const Text& folder, const std::string& arguments = "");
// The exit code once the process has ended, or STILL_ACTIVE after the time.
DWORD WaitForExit(RunningNote& note, int milliseconds = 10000);
// Ends the process if it still runs and closes its handles.
void StopNote(RunningNote& note);

// A visible top-level window of the process with that class ("#32770" for dialogs and message
// boxes), waiting up to the time; nullptr when none appears.
HWND FindProcessWindow(DWORD processId, const char* className, int milliseconds = 5000);
// Every visible top-level window of the process with that class, in z-order, as they stand now.
std::vector<HWND> ProcessWindows(DWORD processId, const char* className);
// Polls the condition about every 20 ms until it holds or the time has passed; its last result.
bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 5000);
// The text of a window (WM_GETTEXT), across processes.
std::string WindowTextOf(HWND hwnd);
// The child windows of a window, in z-order.
std::vector<HWND> ChildrenOf(HWND parent);
