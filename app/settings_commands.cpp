#include "app/settings_commands.h"

#include "storage/settings.h"
#include "ui/properties.h"

void SettingsCreated() {}

void ApplyColour() {
  WriteProperty(kNoteBox, prop::kEditBackColour, ReadProperty(kColourPicker, prop::kPickerColour).integer);
}

void ApplyScrollChoice() {
  // Two tests, each made whatever the first gave; the radio boxes form one group, so at most
  // one succeeds, and with neither checked nothing changes.
  if (ReadProperty(kYesRadio, prop::kRadioChecked).integer != 0) {
    WriteProperty(kNoteBox, prop::kEditScrollBars, 2);
    WriteScrollChoice(true);
  }
  if (ReadProperty(kNoRadio, prop::kRadioChecked).integer != 0) {
    WriteProperty(kNoteBox, prop::kEditScrollBars, 0);
    WriteScrollChoice(false);
  }
}
