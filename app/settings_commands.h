#pragma once
// The handlers of the settings window.

void SettingsCreated();     // nothing to prepare: the window opens on black and unchecked
void ApplyColour();         // the picker's colour becomes the note's background
void ApplyScrollChoice();   // the checked radio box sets the note's scroll bar and is stored
