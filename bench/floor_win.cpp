// The benchmark's floor: the least a Win32 program can do to show the note's window and keep
// its note. The same 165x178 window at (1200, 5) with the same styles, menu bar and command
// ids, and a multi-line EDIT child with the same styles, font and yellow background. At start
// it reads Data\preserve.txt beside the program with one ReadFile and gives it to the box with
// one WM_SETTEXT; command 20005 writes the box's text back with one WriteFile and a flush. Its
// figures are what note.exe is compared with in bench/run.sh.
#include <windows.h>

#include <memory>

namespace {

constexpr char kFloorClass[] = "NoteFloorWindow";
constexpr int kNoteBoxId = 1;
constexpr UINT kCommandAbout = 20001;
constexpr UINT kCommandSettings = 20002;
constexpr UINT kCommandExit = 20003;
constexpr UINT kCommandSave = 20005;
constexpr UINT kCommandSaveAs = 20006;
constexpr COLORREF kYellow = RGB(255, 255, 0);

HWND noteBox = nullptr;
HBRUSH yellowBrush = nullptr;

// Closes a file handle on every path out of a function.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (IsOpen()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

// The folder of the program with a trailing backslash; the path is ASCII in the benchmark.
void ProgramFolder(char (&folder)[MAX_PATH]) {
  const DWORD length = GetModuleFileNameA(nullptr, folder, MAX_PATH);
  DWORD end = length < MAX_PATH ? length : 0;
  while (end > 0 && folder[end - 1] != '\\') --end;
  folder[end] = '\0';
}

void NotePaths(char (&dataFolder)[MAX_PATH], char (&noteFile)[MAX_PATH]) {
  char folder[MAX_PATH];
  ProgramFolder(folder);
  wsprintfA(dataFolder, "%sData", folder);
  wsprintfA(noteFile, "%sData\\preserve.txt", folder);
}

void LoadNote() {
  char dataFolder[MAX_PATH];
  char noteFile[MAX_PATH];
  NotePaths(dataFolder, noteFile);
  FileHandle file(CreateFileA(noteFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart >= MAXDWORD) return;
  const DWORD length = static_cast<DWORD>(size.QuadPart);
  std::unique_ptr<char[]> text(new char[length + 1]);
  DWORD read = 0;
  if (!ReadFile(file.Get(), text.get(), length, &read, nullptr)) return;
  text[read] = '\0';
  SetWindowTextA(noteBox, text.get());
}

void SaveNote() {
  char dataFolder[MAX_PATH];
  char noteFile[MAX_PATH];
  NotePaths(dataFolder, noteFile);
  CreateDirectoryA(dataFolder, nullptr);  // fails harmlessly when Data is there
  const int length = GetWindowTextLengthA(noteBox);
  std::unique_ptr<char[]> text(new char[static_cast<size_t>(length) + 1]);
  const int copied = length > 0 ? GetWindowTextA(noteBox, text.get(), length + 1) : 0;
  FileHandle file(CreateFileA(noteFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return;
  DWORD written = 0;
  if (copied > 0) WriteFile(file.Get(), text.get(), static_cast<DWORD>(copied), &written, nullptr);
  FlushFileBuffers(file.Get());
}

HMENU BuildMenuBar() {
  HMENU bar = CreateMenu();
  HMENU program = CreatePopupMenu();
  AppendMenuA(program, MF_STRING, kCommandAbout, "\xB9\xD8\xD3\xDA");     // 关于
  AppendMenuA(program, MF_STRING, kCommandSettings, "\xC9\xE8\xD6\xC3");  // 设置
  AppendMenuA(program, MF_STRING, kCommandExit, "\xCD\xCB\xB3\xF6");      // 退出
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(program), "\xB3\xCC\xD0\xF2");  // 程序
  HMENU text = CreatePopupMenu();
  AppendMenuA(text, MF_STRING, kCommandSave, "\xB1\xA3\xB4\xE6");                // 保存
  AppendMenuA(text, MF_STRING, kCommandSaveAs, "\xC1\xED\xB4\xE6\xCE\xAA");      // 另存为
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(text), "\xCE\xC4\xB1\xBE");  // 文本
  return bar;
}

LRESULT CALLBACK FloorProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam == 0 && LOWORD(wParam) == kCommandSave) SaveNote();
      if (lParam == 0 && LOWORD(wParam) == kCommandExit) DestroyWindow(hwnd);
      return 0;  // about, settings and save-as have nothing to show here
    case WM_CTLCOLOREDIT:
      SetBkColor(reinterpret_cast<HDC>(wParam), kYellow);
      SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
      return reinterpret_cast<LRESULT>(yellowBrush);
    case WM_SETFOCUS:
      SetFocus(noteBox);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = FloorProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kFloorClass;
  if (RegisterClassExA(&windowClass) == 0) return 1;
  yellowBrush = CreateSolidBrush(kYellow);

  // The note window's styles: a fixed frame with caption, system menu and minimise box.
  const DWORD style = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  HWND window = CreateWindowExA(WS_EX_APPWINDOW, kFloorClass, "", style, 1200, 5, 165, 178,
                                nullptr, BuildMenuBar(), instance, nullptr);
  if (window == nullptr) return 1;
  const DWORD boxStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | WS_BORDER |
                         ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
  noteBox = CreateWindowExA(0, "EDIT", "", boxStyle, 0, 0, 160, 128, window,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kNoteBoxId)), instance,
                            nullptr);
  if (noteBox == nullptr) return 1;
  SendMessageA(noteBox, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  SendMessageA(noteBox, EM_SETLIMITTEXT, 0, 0);
  // As in note.exe, the note is in the box before the window is first shown.
  LoadNote();
  ShowWindow(window, SW_SHOWNORMAL);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  DeleteObject(yellowBrush);
  return static_cast<int>(message.wParam);
}
