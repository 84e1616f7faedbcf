// Loading a window: built hidden with events held, its created event before the first show,
// shown by its position property, and for a modal load the other windows disabled.
#include "app/events.h"
#include "app/fatal_error.h"
#include "app/fatal_messages.h"
#include "app/message_loop_win.h"
#include "app/program.h"
#include "app/start_up.h"
#include "app/window_procedure_win.h"
#include "ui/layout.h"
#include "ui/window_builder_win.h"
#include "ui/window_commands.h"

namespace {

int ShowCommand(const WindowDefinition& definition) {
  switch (InitialShowState(definition)) {
    case ShowState::Maximised: return SW_SHOWMAXIMIZED;
    case ShowState::Minimised: return SW_SHOWMINIMIZED;
    default: return SW_SHOWNORMAL;
  }
}

HWND OwnerFor(const WindowDefinition& definition, HWND parent, bool modal) {
  if (parent != nullptr) return parent;
  if (modal || IntegerProperty(definition.properties, prop::kShownInTaskbar, 1) == 0) {
    return static_cast<HWND>(ExistingProgram()->hiddenOwner);
  }
  return nullptr;
}

// Every other loaded window that exists and was loaded without a parent is disabled; its
// previous state is kept with the modal window.
void DisableOtherWindows(uint32_t modalId) {
  LoadedWindow* modal = FindLoadedWindow(modalId);
  if (modal == nullptr) return;
  for (LoadedWindow* other : AllLoadedWindows()) {
    if (other == modal || other->hwnd == nullptr || !IsWindow(other->hwnd)) continue;
    HWND owner = GetWindow(other->hwnd, GW_OWNER);
    if (owner != nullptr && owner != ExistingProgram()->hiddenOwner) continue;  // has a parent
    modal->modalRecord.emplace_back(other->hwnd, IsWindowEnabled(other->hwnd) != FALSE);
    EnableWindow(other->hwnd, FALSE);
  }
}

// The loading steps; false when the window cannot be built.
bool LoadWindowSteps(const WindowDefinition& definition, HWND parent, bool modal) {
  DispatchWaitingMessages();
  RaiseEventHold();
  LoadedWindow& window = NewLoadedWindow(definition);
  const bool built = BuildWindow(window, OwnerFor(definition, parent, modal));
  if (!built && window.hwnd != nullptr) DestroyWindow(window.hwnd);
  DispatchWaitingMessages();
  LowerEventHold();
  if (!built) return false;

  const uint32_t id = definition.id;
  const uint32_t ownId = definition.ownControlId;
  RaiseEvent(id, ownId, event::kWindowCreated);
  if (FindLoadedWindow(id) != nullptr) RaiseEvent(id, ownId, event::kWindowLoaded);
  if (FindLoadedWindow(id) != nullptr) RaiseEvent(id, ownId, event::kWindowShown);
  LoadedWindow* live = FindLoadedWindow(id);
  if (live != nullptr && definition.visible) ShowWindow(live->hwnd, ShowCommand(definition));
  if (modal) DisableOtherWindows(id);
  return true;
}

}  // namespace

void LoadFirstWindow(uint32_t windowId) {
  const WindowDefinition* definition = FindWindowDefinition(windowId);
  if (definition == nullptr || !LoadWindowSteps(*definition, nullptr, false)) {
    FatalError(kMsgFirstWindowFailed, windowId, 0);
  }
}

bool LoadWindow(uint32_t windowId, std::optional<ControlRef> parent, bool modal) {
  HWND parentWindow = nullptr;
  if (parent) {
    LoadedWindow* parentRecord = FindLoadedWindow(parent->windowId);
    if (parentRecord == nullptr) return false;
    parentWindow = parentRecord->hwnd;
  }
  const WindowDefinition* definition = FindWindowDefinition(windowId);
  if (definition == nullptr) return false;
  if (LoadedWindow* loaded = FindLoadedWindow(windowId)) {
    if (loaded->destroyRequested) {
      DestroyOnRequest(*loaded);
    } else {
      if (IsIconic(loaded->hwnd)) {
        ShowWindow(loaded->hwnd, SW_RESTORE);
      } else {
        SetActiveWindow(loaded->hwnd);
      }
      return true;
    }
  }
  if (modal) {
    parentWindow = nullptr;
  } else if (parentWindow != nullptr && !IsWindow(parentWindow)) {
    return false;
  }
  if (!LoadWindowSteps(*definition, parentWindow, modal)) return false;
  if (modal && definition->visible && FindLoadedWindow(windowId) != nullptr) RunModalLoop(windowId);
  return true;
}
