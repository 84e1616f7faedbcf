#pragma once
// The life of the process: start-up, the first window, the loop and the end.
#include <cstdint>

// Start-up up to the first window: error mode, OLE, the run directory made current, the hidden
// owner, the definitions checked and their handlers bound, the exit routine registered.
void PrepareProgram();

// Loads the first window; a failure ends the program with the fatal report.
void LoadFirstWindow(uint32_t windowId);

// The whole life: PrepareProgram, LoadFirstWindow of the note window, the loop, the end.
int RunProgram();
