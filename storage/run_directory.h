#pragma once
// Finds the folder of the executable once at start-up and makes it the current folder.
void DetermineRunDirectory();

// Whether the byte starts a double-byte character in the ANSI code page.
bool IsAnsiLeadByte(unsigned char byte);
