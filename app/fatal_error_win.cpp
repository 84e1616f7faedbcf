#include "app/fatal_error.h"

#include <windows.h>

#include "app/fatal_report.h"
#include "app/program.h"

void FatalError(std::string_view message, uint32_t windowId, uint32_t controlId) {
  // Building the report may itself fail for want of memory; a second report cannot help then.
  static bool reporting = false;
  if (reporting) ExitProcess(0xFFFFFFFF);
  reporting = true;

  ProgramState* program = ExistingProgram();
  if (program != nullptr) ++program->eventHold;  // no event reaches a handler from now on
  const Text report = BuildFatalReport(message, windowId, controlId);
  MessageBoxA(nullptr, report.c_str(), kFatalTitle, MB_ICONERROR);
  if (program != nullptr) {
    program->exitRoutines.clear();  // a fatal end calls none of them
    EndProgram(-1);
  }
  ExitProcess(0xFFFFFFFF);
}
