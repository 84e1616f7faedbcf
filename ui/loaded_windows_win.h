#pragma once
// The live windows built from the definitions: one slot per definition, holding the system
// window, its controls' child windows and the current values of all of them.
#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "ui/definitions.h"
#include "ui/property_values.h"

struct LoadedControl {
  const ControlDefinition* definition = nullptr;
  size_t index = 0;      // in stored order; the child's Win32 id is ChildControlId(index)
  HWND hwnd = nullptr;   // none for menu items and the dialog component
  CurrentValues values;
  HBRUSH backgroundBrush = nullptr;  // text box: a solid brush of its background colour
  bool ignoreChanges = false;        // text box: its own change notifications are not events
};

struct LoadedWindow {
  const WindowDefinition* definition = nullptr;
  HWND hwnd = nullptr;
  CurrentValues values;
  std::vector<LoadedControl> controls;  // parallel to definition->controls
  bool destroyRequested = false;
  std::vector<std::pair<HWND, bool>> modalRecord;  // windows this load disabled, with their state
  HWND lastFocus = nullptr;  // the control that had the focus when the window was deactivated
};

// The window loaded from the definition with that id whose system window exists, or nullptr.
LoadedWindow* FindLoadedWindow(uint32_t windowId);
// The loaded window whose system window is hwnd, or nullptr.
LoadedWindow* LoadedWindowOf(HWND hwnd);
// The control with that id in the window, or nullptr.
LoadedControl* FindLoadedControl(LoadedWindow& window, uint32_t controlId);
// The control whose child window is hwnd, or nullptr.
LoadedControl* LoadedControlOf(LoadedWindow& window, HWND hwnd);

// Makes a fresh record for the definition (current values from the stored ones) and returns it;
// the slot's previous record, if any, is dropped.
LoadedWindow& NewLoadedWindow(const WindowDefinition& definition);
// Drops the record of the window whose system window was hwnd: its definition is back to its
// stored values for the next load.
void DropLoadedWindow(HWND hwnd);

// True when any definition has a window built from it that still exists.
bool AnyWindowAlive();

// The text a control shows: the text box's text, a label's text, a button's or radio box's
// caption; empty for the other kinds.
Text CaptionOf(const LoadedControl& control);

// Every loaded window, for walks over all of them.
std::vector<LoadedWindow*> AllLoadedWindows();
