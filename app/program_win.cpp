#include <windows.h>
#include <ole2.h>

#include "app/program.h"

void EndProgram(int /*exitCode*/) {
  ProgramState* program = ExistingProgram();
  if (program == nullptr) return;
  ++program->eventHold;
  // The routines are called from a copy: a routine may register another, which then waits.
  const std::vector<ExitRoutine> routines = program->exitRoutines;
  for (ExitRoutine routine : routines) routine();
  program->exitRoutines.clear();
  if (program->hiddenOwner != nullptr) {
    DestroyWindow(static_cast<HWND>(program->hiddenOwner));
    program->hiddenOwner = nullptr;
  }
  if (program->oleInitialised) {
    OleUninitialize();
    program->oleInitialised = false;
  }
}
