#include "app/events.h"

#include "app/fatal_error.h"
#include "app/fatal_messages.h"
#include "app/program.h"

namespace {

Handler boundHandlers[kHandlerNameCount] = {};

Handler HandlerFor(std::span<const EventBinding> events, int32_t eventNumber) {
  for (const EventBinding& binding : events) {
    if (binding.event == eventNumber) return boundHandlers[static_cast<int>(binding.handler)];
  }
  return nullptr;
}

}  // namespace

void BindHandlers(const Handler (&handlers)[kHandlerNameCount]) {
  for (int i = 0; i < kHandlerNameCount; ++i) boundHandlers[i] = handlers[i];
}

EventResult RaiseEvent(uint32_t windowId, uint32_t controlId, int32_t eventNumber) {
  const ProgramState* program = ExistingProgram();
  if (program != nullptr && program->eventHold > 0) return {false};
  const WindowDefinition* window = FindWindowDefinition(windowId);
  if (window == nullptr) FatalError(kMsgEventWindowUnknown, windowId, 0);

  Handler handler = nullptr;
  if (controlId == window->ownControlId) {
    handler = HandlerFor(window->events, eventNumber);
  } else {
    const ControlDefinition* control = FindControlDefinition(*window, controlId);
    if (control == nullptr) FatalError(kMsgEventControlUnknown, windowId, controlId);
    if (control->type == ControlType::CommonDlg) {
      FatalError(kMsgEventControlInvalid, windowId, controlId);  // it raises no events
    }
    if (control->type == ControlType::MenuItem) {
      // A menu item has one event, being chosen.
      handler = control->events.empty() ? nullptr
                                        : boundHandlers[static_cast<int>(control->events[0].handler)];
    } else {
      handler = HandlerFor(control->events, eventNumber);
    }
  }
  if (handler == nullptr) return {false};
  handler();
  return {true};
}
