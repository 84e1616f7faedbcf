#pragma once
// The program-wide state: one instance from start-up to the end of the process, read and
// written only on the user-interface thread.
#include <cstdint>
#include <optional>
#include <vector>

using ExitRoutine = void (*)();

struct ProgramState {
  int eventHold = 0;          // events reach handlers only while this is 0
  bool loopStarted = false;   // a quit request is posted only once the loop runs
  std::optional<uint32_t> modalWindow;  // the window whose modal loop is turning
  std::vector<ExitRoutine> exitRoutines;  // each at most once, in order of registration
  uint32_t userInterfaceThread = 0;
  bool oleInitialised = false;
  void* hiddenOwner = nullptr;  // HWND of the invisible owner window
};

// Creates the state at start-up; ExistingProgram gives nullptr before that.
ProgramState& CreateProgram();
ProgramState* ExistingProgram();

void RegisterExitRoutine(ExitRoutine routine);
void RaiseEventHold();
void LowerEventHold();  // never below 0

// Raises the hold for good, calls the exit routines in order and empties them, and releases
// what start-up acquired.
void EndProgram(int exitCode);
