// Runs out of memory on purpose, for the test of the fatal report. Command line: the number of
// bytes to ask for, in decimal, then a space and the path of a marker file.
//
// It sets up the program state as note.exe does and registers an exit routine that would create
// the marker file, then asks a new-expression for that many bytes. With a size no heap can give
// (the test asks for 2^62), the replaced operator new ends the program through FatalError; a
// fatal end must call no exit routine, so the marker file must never appear.
#include <windows.h>

#include <cstdlib>

#include "app/program.h"

namespace {

char markerPath[MAX_PATH];

void CreateMarkerFile() {
  const HANDLE file = CreateFileA(markerPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

// Where the block would be kept, so that the compiler cannot drop the allocation as unused.
char* volatile keptBlock = nullptr;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  char* rest = nullptr;
  const unsigned long long bytes = std::strtoull(commandLine, &rest, 10);
  if (rest == commandLine || *rest != ' ') return 2;  // no size given
  lstrcpynA(markerPath, rest + 1, MAX_PATH);

  CreateProgram();
  RegisterExitRoutine(CreateMarkerFile);
  keptBlock = new char[static_cast<size_t>(bytes)];
  // Reached only when the memory was there after all.
  return 3;
}
