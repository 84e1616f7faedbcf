// Measures one run of a note program (note.exe or the floor) from outside, in a folder of its
// own, and prints one line per measurement: "NAME VALUE UNIT".
//
//   launcher.exe start PROGRAM CLASS   start, end and peak working set of a plain start
//   launcher.exe big PROGRAM CLASS     with a 10 MiB note in Data\preserve.txt: its load, its
//                                      save (command 20005), end and peak working set
//
// start:  CreateProcess until the program's top-level window of CLASS is first visible.
// end:    PostMessage(WM_CLOSE) until the process handle is signalled.
// peak:   PROCESS_MEMORY_COUNTERS.PeakWorkingSetSize of the process: the largest value read
//         just before the close, at every step of the wait for the end, and after it.
// load10: CreateProcess until the window is visible and its edit holds all the note's bytes.
// save10: command 20005 posted until Data\preserve.txt (removed just before) has the note's
//         size and last bytes and can be opened; its whole content is checked afterwards.
// Every wait polls at 1 ms steps and is timed with QueryPerformanceCounter. The launcher makes
// Data\preserve.txt itself; PROGRAM must be a copy in a fresh folder.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr size_t kBigNoteBytes = 10u * 1024u * 1024u;
constexpr UINT kCommandSave = 20005;
constexpr double kGiveUpSeconds = 180.0;

// Closes a handle on every path out of a function.
class Handle {
 public:
  explicit Handle(HANDLE handle = nullptr) : handle_(handle) {}
  ~Handle() { Reset(nullptr); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE Get() const { return handle_; }
  bool IsOpen() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  void Reset(HANDLE handle) {
    if (IsOpen()) CloseHandle(handle_);
    handle_ = handle;
  }

 private:
  HANDLE handle_;
};

double Seconds() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / frequency;
}

void Report(const char* name, double value, const char* unit) {
  std::printf("%s %.3f %s\n", name, value, unit);
  std::fflush(stdout);
}

// The program being measured, ended when the launcher gives up.
HANDLE measuredProcess = nullptr;

[[noreturn]] void Fail(const char* what) {
  std::printf("error %s (%lu)\n", what, GetLastError());
  if (measuredProcess != nullptr) TerminateProcess(measuredProcess, 3);
  std::fflush(stdout);
  ExitProcess(2);
}

// ASCII lines of 22 characters and CRLF, exactly kBigNoteBytes long. A line this short fits
// the 160-pixel box without wrapping: wrapped lines cost Wine's edit control several times as
// much (30 characters a line took the floor 44 s instead of 14 s), which would stretch every
// run without telling note.exe and the floor further apart.
std::string BigNote() {
  std::string note;
  note.reserve(kBigNoteBytes + 32);
  char line[32];
  for (unsigned number = 1; note.size() < kBigNoteBytes; ++number) {
    std::snprintf(line, sizeof line, "%08u fox %09u\r\n", number, (number * 2654435761u) % 1000000000u);
    note.append(line, 24);
  }
  note.resize(kBigNoteBytes);
  return note;
}

bool PutFile(const std::string& path, const std::string& bytes) {
  Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return false;
  DWORD written = 0;
  return WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

struct WindowSearch {
  DWORD processId;
  const char* className;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM parameter) {
  WindowSearch& search = *reinterpret_cast<WindowSearch*>(parameter);
  DWORD processId = 0;
  GetWindowThreadProcessId(hwnd, &processId);
  if (processId != search.processId || !IsWindowVisible(hwnd)) return TRUE;
  char className[64];
  if (GetClassNameA(hwnd, className, sizeof className) == 0) return TRUE;
  if (std::strcmp(className, search.className) != 0) return TRUE;
  search.found = hwnd;
  return FALSE;
}

// The process's visible top-level window of the class, or nullptr.
HWND VisibleWindow(DWORD processId, const char* className) {
  WindowSearch search{processId, className, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK MatchEdit(HWND hwnd, LPARAM parameter) {
  char className[64];
  if (GetClassNameA(hwnd, className, sizeof className) == 0) return TRUE;
  const char* name = std::strrchr(className, '!');  // a versioned class name ends in "!Edit"
  if (lstrcmpiA(name != nullptr ? name + 1 : className, "Edit") != 0) return TRUE;
  *reinterpret_cast<HWND*>(parameter) = hwnd;
  return FALSE;
}

HWND EditOf(HWND window) {
  HWND edit = nullptr;
  EnumChildWindows(window, MatchEdit, reinterpret_cast<LPARAM>(&edit));
  return edit;
}

struct Started {
  PROCESS_INFORMATION process;
  HWND window;
  double seconds;  // from CreateProcess to the window's first visibility
};

Started StartAndWait(const std::string& program, const std::string& folder, const char* className) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  Started started = {};
  std::string commandLine = "\"" + program + "\"";
  const double begin = Seconds();
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &started.process)) {
    Fail("CreateProcess");
  }
  measuredProcess = started.process.hProcess;
  while ((started.window = VisibleWindow(started.process.dwProcessId, className)) == nullptr) {
    if (WaitForSingleObject(started.process.hProcess, 1) == WAIT_OBJECT_0) Fail("program ended before its window showed");
    if (Seconds() - begin > kGiveUpSeconds) Fail("no window");
  }
  started.seconds = Seconds() - begin;
  return started;
}

// Waits until the program's thread has handled everything sent before.
void WaitIdle(HWND window) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(kGiveUpSeconds * 1000), &result);
}

// The process's peak working set so far, or 0 when it cannot be read. Under Wine the counters
// of a process that has ended are gone as soon as the server has seen it go, so the peak is
// also sampled while the process is still there.
SIZE_T PeakWorkingSet(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return 0;
  return counters.PeakWorkingSetSize;
}

// Closes the window and reports the end and the peak working set: the largest of the peak read
// before the close, at every 1 ms step of the wait, and after the exit when Windows still has it.
void EndAndReport(const Started& started, const char* endName, const char* peakName) {
  const HANDLE process = started.process.hProcess;
  SIZE_T peak = PeakWorkingSet(process);
  const double begin = Seconds();
  if (!PostMessageA(started.window, WM_CLOSE, 0, 0)) Fail("PostMessage WM_CLOSE");
  while (WaitForSingleObject(process, 1) != WAIT_OBJECT_0) {
    const SIZE_T now = PeakWorkingSet(process);
    if (now > peak) peak = now;
    if (Seconds() - begin > kGiveUpSeconds) Fail("the program did not end");
  }
  Report(endName, (Seconds() - begin) * 1000.0, "ms");
  measuredProcess = nullptr;
  const SIZE_T afterExit = PeakWorkingSet(process);
  if (afterExit > peak) peak = afterExit;
  if (peak == 0) Fail("GetProcessMemoryInfo");
  Report(peakName, static_cast<double>(peak) / 1024.0, "KiB");
  CloseHandle(started.process.hThread);
  CloseHandle(process);
}

void RunStart(const std::string& program, const std::string& folder, const char* className) {
  const Started started = StartAndWait(program, folder, className);
  Report("start", started.seconds * 1000.0, "ms");
  WaitIdle(started.window);
  EndAndReport(started, "end", "peak");
}

// The file's bytes from offset on, or "" when it cannot be opened or read now.
std::string ReadTail(const std::string& path, size_t offset) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return std::string();
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.Get(), &size) || static_cast<size_t>(size.QuadPart) <= offset) return std::string();
  std::string bytes(static_cast<size_t>(size.QuadPart) - offset, '\0');
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(offset);
  DWORD read = 0;
  if (!SetFilePointerEx(file.Get(), position, nullptr, FILE_BEGIN) ||
      !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
    return std::string();
  }
  bytes.resize(read);
  return bytes;
}

uint64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return UINT64_MAX;
  return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void RunBig(const std::string& program, const std::string& folder, const char* className) {
  const std::string note = BigNote();
  const std::string dataFolder = folder + "\\Data";
  const std::string noteFile = dataFolder + "\\preserve.txt";
  CreateDirectoryA(dataFolder.c_str(), nullptr);
  if (!PutFile(noteFile, note)) Fail("writing the 10 MiB note");

  // The load: the window is visible and its box holds every byte of the note.
  const double begin = Seconds();
  Started started = StartAndWait(program, folder, className);
  HWND edit = nullptr;
  for (;;) {
    if (edit == nullptr) edit = EditOf(started.window);
    DWORD_PTR length = 0;
    if (edit != nullptr &&
        SendMessageTimeoutA(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 1000, &length) &&
        length == note.size()) {
      break;
    }
    if (Seconds() - begin > kGiveUpSeconds) Fail("the note did not arrive in the box");
    Sleep(1);
  }
  Report("load10", (Seconds() - begin) * 1000.0, "ms");
  WaitIdle(started.window);
  Sleep(200);  // painting after the first show settles
  WaitIdle(started.window);

  // The save: the file is removed first so that only the new one can satisfy the wait.
  if (!DeleteFileA(noteFile.c_str())) Fail("removing the note before the save");
  const size_t tail = note.size() - 4096;
  const double saveBegin = Seconds();
  if (!PostMessageA(started.window, WM_COMMAND, kCommandSave, 0)) Fail("PostMessage save");
  for (;;) {
    if (FileSize(noteFile) == note.size() && ReadTail(noteFile, tail) == note.substr(tail)) break;
    if (Seconds() - saveBegin > kGiveUpSeconds) Fail("the saved note did not appear");
    Sleep(1);
  }
  Report("save10", (Seconds() - saveBegin) * 1000.0, "ms");
  WaitIdle(started.window);
  if (ReadTail(noteFile, 0) != note) Fail("the saved note differs from the loaded one");
  EndAndReport(started, "end10", "peak10");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::printf("usage: launcher start|big PROGRAM CLASS\n");
    return 2;
  }
  const std::string scenario = argv[1];
  std::string program = argv[2];
  for (char& c : program) {
    if (c == '/') c = '\\';
  }
  const size_t slash = program.find_last_of('\\');
  if (slash == std::string::npos) Fail("PROGRAM needs a folder");
  const std::string folder = program.substr(0, slash);
  if (scenario == "start") {
    RunStart(program, folder, argv[3]);
  } else if (scenario == "big") {
    RunBig(program, folder, argv[3]);
  } else {
    std::printf("unknown scenario %s\n", scenario.c_str());
    return 2;
  }
  return 0;
}
