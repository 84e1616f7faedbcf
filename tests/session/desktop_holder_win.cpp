// Keeps Wine's virtual desktop alive while a series of GUI tests runs: Wine ends the desktop
// when no program is left on it, and the next program would wait for a new one. The holder
// owns one hidden window, writes the ready file named on its command line once that window
// exists, and then waits until it is ended.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "NoteTestDesktopHolder";
  RegisterClassA(&windowClass);
  CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPED, 0, 0, 1, 1, nullptr, nullptr,
                  instance, nullptr);
  HANDLE ready = CreateFileA(commandLine, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
