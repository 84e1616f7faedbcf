#pragma once
// Events: a window, control or menu item raises one by number, and the handler bound to it in the
// definitions runs at once, on the user-interface thread.
#include <cstdint>

#include "ui/definitions.h"

using Handler = void (*)();

// Ties every handler name to its function; start-up does this once before any window is loaded.
void BindHandlers(const Handler (&handlers)[kHandlerNameCount]);

struct EventResult {
  bool handlerRan;
};

// Runs the handler bound to the event, unless events are held. An unknown window or control,
// or a control of a kind that raises no events, ends the program with the fatal report.
EventResult RaiseEvent(uint32_t windowId, uint32_t controlId, int32_t eventNumber);
