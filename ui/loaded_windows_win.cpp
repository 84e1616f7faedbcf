#include "ui/loaded_windows_win.h"

namespace {

// One slot per window definition, in the definitions' order.
std::vector<std::unique_ptr<LoadedWindow>>& Slots() {
  static std::vector<std::unique_ptr<LoadedWindow>> slots(WindowDefinitions().size());
  return slots;
}

size_t SlotOf(const WindowDefinition& definition) {
  return static_cast<size_t>(&definition - WindowDefinitions().data());
}

void ReleaseControlResources(LoadedWindow& window) {
  for (LoadedControl& control : window.controls) {
    if (control.backgroundBrush != nullptr) DeleteObject(control.backgroundBrush);
    control.backgroundBrush = nullptr;
  }
}

}  // namespace

LoadedWindow* FindLoadedWindow(uint32_t windowId) {
  for (const std::unique_ptr<LoadedWindow>& slot : Slots()) {
    if (slot && slot->definition->id == windowId && slot->hwnd != nullptr && IsWindow(slot->hwnd)) {
      return slot.get();
    }
  }
  return nullptr;
}

LoadedWindow* LoadedWindowOf(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  for (const std::unique_ptr<LoadedWindow>& slot : Slots()) {
    if (slot && slot->hwnd == hwnd) return slot.get();
  }
  return nullptr;
}

LoadedControl* FindLoadedControl(LoadedWindow& window, uint32_t controlId) {
  for (LoadedControl& control : window.controls) {
    if (control.definition->id == controlId) return &control;
  }
  return nullptr;
}

LoadedControl* LoadedControlOf(LoadedWindow& window, HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  for (LoadedControl& control : window.controls) {
    if (control.hwnd == hwnd) return &control;
  }
  return nullptr;
}

LoadedWindow& NewLoadedWindow(const WindowDefinition& definition) {
  std::unique_ptr<LoadedWindow>& slot = Slots()[SlotOf(definition)];
  if (slot) ReleaseControlResources(*slot);
  slot = std::make_unique<LoadedWindow>();
  slot->definition = &definition;
  slot->values = CurrentValues::From(definition.properties);
  slot->controls.resize(definition.controls.size());
  for (size_t i = 0; i < definition.controls.size(); ++i) {
    slot->controls[i].definition = &definition.controls[i];
    slot->controls[i].index = i;
    slot->controls[i].values = CurrentValues::From(definition.controls[i].properties);
  }
  return *slot;
}

void DropLoadedWindow(HWND hwnd) {
  for (std::unique_ptr<LoadedWindow>& slot : Slots()) {
    if (slot && slot->hwnd == hwnd) {
      ReleaseControlResources(*slot);
      slot.reset();
    }
  }
}

bool AnyWindowAlive() {
  for (const std::unique_ptr<LoadedWindow>& slot : Slots()) {
    if (slot && slot->hwnd != nullptr && IsWindow(slot->hwnd)) return true;
  }
  return false;
}

std::vector<LoadedWindow*> AllLoadedWindows() {
  std::vector<LoadedWindow*> windows;
  for (const std::unique_ptr<LoadedWindow>& slot : Slots()) {
    if (slot) windows.push_back(slot.get());
  }
  return windows;
}

Text CaptionOf(const LoadedControl& control) {
  switch (control.definition->type) {
    case ControlType::EditBox: return control.values.TextOf(prop::kEditText);
    case ControlType::Label: return control.values.TextOf(prop::kLabelText);
    case ControlType::Button: return control.values.TextOf(prop::kButtonCaption);
    case ControlType::RadioBox: return control.values.TextOf(prop::kRadioCaption);
    default: return Text();
  }
}
