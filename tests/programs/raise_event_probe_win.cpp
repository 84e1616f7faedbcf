// Raises an event that names something no definition has, for the test of the fatal report.
// Command line: "window" (an unknown window id), "control" (an unknown control of the note
// window) or "component" (the save dialog component, which raises no events).
//
// It starts the program as note.exe does, with the note window loaded, then raises the event;
// the program must end through the fatal report.
#include <windows.h>

#include <cstring>

#include "app/events.h"
#include "app/start_up.h"
#include "storage/paths.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  PrepareProgram();
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  SetRunDirectory(folder);  // the note window's start reads no file of the test's
  LoadFirstWindow(kMainWindow.windowId);
  if (std::strcmp(commandLine, "window") == 0) RaiseEvent(0x520100FF, 0x06010000, 0);
  if (std::strcmp(commandLine, "control") == 0) RaiseEvent(kMainWindow.windowId, 0x16019999, 0);
  if (std::strcmp(commandLine, "component") == 0) RaiseEvent(kSaveDialog.windowId, kSaveDialog.controlId, 0);
  return 3;  // reached only when no fatal report ended the program
}
