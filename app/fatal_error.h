#pragma once
// The one failure report of the program: a message box, then the end of the process with
// exit code -1. Used for running out of memory, for a window or control that is not there, and
// for damaged window definitions.
#include <cstdint>
#include <string_view>

[[noreturn]] void FatalError(std::string_view message, uint32_t windowId, uint32_t controlId);
