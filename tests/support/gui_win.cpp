#include "tests/support/gui.h"

#include "app/message_loop_win.h"
#include "tests/support/scratch.h"

namespace {
std::vector<std::function<bool()>>* pendingSteps = nullptr;
size_t nextStep = 0;
UINT_PTR stepTimer = 0;

void SendKey(WORD virtualKey, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}
}  // namespace

void PumpFor(int milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  do {
    DispatchWaitingMessages();
    Sleep(5);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
  DispatchWaitingMessages();
}

void PressKey(WORD virtualKey, bool shift, bool alt) {
  if (shift) SendKey(VK_SHIFT, false);
  if (alt) SendKey(VK_MENU, false);
  SendKey(virtualKey, false);
  SendKey(virtualKey, true);
  if (alt) SendKey(VK_MENU, true);
  if (shift) SendKey(VK_SHIFT, true);
}

void TypeText(const std::string& text) {
  for (char c : text) {
    const SHORT scan = VkKeyScanA(c);
    const bool shift = (scan & 0x100) != 0;
    if (shift) SendKey(VK_SHIFT, false);
    SendKey(static_cast<WORD>(scan & 0xFF), false);
    SendKey(static_cast<WORD>(scan & 0xFF), true);
    if (shift) SendKey(VK_SHIFT, true);
  }
  PumpFor(50);
}

namespace {
void SendMouse(DWORD flags, int x = 0, int y = 0) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    // The middle of the pixel in the 0..65535 range that absolute input spans.
    input.mi.dx = static_cast<LONG>((x * 65536LL + 32768) / GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = static_cast<LONG>((y * 65536LL + 32768) / GetSystemMetrics(SM_CYSCREEN));
  }
  SendInput(1, &input, sizeof input);
}
bool CursorIsAt(int x, int y) {
  POINT at = {};
  GetCursorPos(&at);
  return at.x == x && at.y == y;
}
}  // namespace

bool MoveMouseTo(int x, int y) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
    bool stayed = true;
    for (int round = 0; round < 25 && stayed; ++round) {
      DispatchWaitingMessages();
      Sleep(10);
      stayed = CursorIsAt(x, y);
    }
    if (stayed) return true;
  }
  return false;
}

void ClickAt(int x, int y) {
  MoveMouseTo(x, y);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  PumpFor(30);
  SendMouse(MOUSEEVENTF_LEFTUP);
  PumpFor(30);
}

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return colour;
}

TimedSteps::TimedSteps(std::vector<std::function<bool()>> steps, int interval) {
  pendingSteps = new std::vector<std::function<bool()>>(std::move(steps));
  nextStep = 0;
  stepTimer = SetTimer(nullptr, 0, static_cast<UINT>(interval), Tick);
}

TimedSteps::~TimedSteps() {
  if (stepTimer != 0) KillTimer(nullptr, stepTimer);
  stepTimer = 0;
  delete pendingSteps;
  pendingSteps = nullptr;
}

bool TimedSteps::Finished() const { return pendingSteps == nullptr || nextStep >= pendingSteps->size(); }

void CALLBACK TimedSteps::Tick(HWND, UINT, UINT_PTR, DWORD) {
  static bool running = false;  // a step that turns a loop itself must not be re-entered
  if (running || pendingSteps == nullptr || nextStep >= pendingSteps->size()) return;
  running = true;
  if ((*pendingSteps)[nextStep]()) ++nextStep;
  running = false;
}

RunningNote StartNote(const Text& folder, const std::string& arguments) {
  RunningNote note;
  const Text program = folder + "\\note.exe";
  CopyFileA((ProgramFolder() + "\\note.exe").c_str(), program.c_str(), FALSE);
  std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &note.process)) {
    return note;
  }
  WaitForInputIdle(note.process.hProcess, 5000);
  note.window = FindProcessWindow(note.process.dwProcessId, "NoteWindow", 10000);
  return note;
}

DWORD WaitForExit(RunningNote& note, int milliseconds) {
  if (note.process.hProcess == nullptr) return STILL_ACTIVE;
  WaitForSingleObject(note.process.hProcess, static_cast<DWORD>(milliseconds));
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(note.process.hProcess, &code);
  return code;
}

void StopNote(RunningNote& note) {
  if (note.process.hProcess == nullptr) return;
  if (WaitForExit(note, 0) == STILL_ACTIVE) {
    TerminateProcess(note.process.hProcess, 1);
    WaitForSingleObject(note.process.hProcess, 5000);
  }
  CloseHandle(note.process.hThread);
  CloseHandle(note.process.hProcess);
  note.process = {};
}

namespace {
struct WindowSearch {
  DWORD processId;
  const char* className;
  std::vector<HWND> found;
};
BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  char className[64] = {};
  GetClassNameA(hwnd, className, sizeof className);
  if (owner == search->processId && IsWindowVisible(hwnd) && lstrcmpA(className, search->className) == 0) {
    search->found.push_back(hwnd);
  }
  return TRUE;
}
BOOL CALLBACK CollectChild(HWND hwnd, LPARAM context) {
  auto* children = reinterpret_cast<std::vector<HWND>*>(context);
  if (GetParent(hwnd) == children->front()) children->push_back(hwnd);
  return TRUE;
}
}  // namespace

HWND FindProcessWindow(DWORD processId, const char* className, int milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  do {
    const std::vector<HWND> found = ProcessWindows(processId, className);
    if (!found.empty()) return found.front();
    Sleep(20);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
  return nullptr;
}

std::vector<HWND> ProcessWindows(DWORD processId, const char* className) {
  WindowSearch search{processId, className, {}};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool WaitUntil(const std::function<bool()>& condition, int milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  while (!condition()) {
    if (static_cast<LONG>(end - GetTickCount()) <= 0) return condition();
    Sleep(20);
  }
  return true;
}

std::string WindowTextOf(HWND hwnd) {
  const LRESULT length = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const LRESULT copied = SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return text;
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children{parent};
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
  children.erase(children.begin());
  return children;
}
