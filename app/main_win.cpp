// The note program: everything happens in RunProgram; the command line is ignored.
#include <windows.h>

#include "app/start_up.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunProgram(); }
