#include "app/program.h"

#include <algorithm>

namespace {
std::optional<ProgramState>& StoredProgram() {
  static std::optional<ProgramState> program;
  return program;
}
}  // namespace

ProgramState& CreateProgram() { return StoredProgram().emplace(); }

ProgramState* ExistingProgram() {
  std::optional<ProgramState>& program = StoredProgram();
  return program ? &*program : nullptr;
}

void RegisterExitRoutine(ExitRoutine routine) {
  std::vector<ExitRoutine>& routines = ExistingProgram()->exitRoutines;
  if (std::find(routines.begin(), routines.end(), routine) == routines.end()) {
    routines.push_back(routine);
  }
}

void RaiseEventHold() { ++ExistingProgram()->eventHold; }

void LowerEventHold() {
  int& hold = ExistingProgram()->eventHold;
  if (hold > 0) --hold;
}
