#pragma once
// The note itself: its bare bytes in Data\preserve.txt beside the executable, and exports of
// the same bytes to a file the user names.
#include "storage/text.h"

// The saved note, up to its first zero byte; a missing, unreadable or empty file gives "".
Text LoadNote();

// Creates Data when it is missing and replaces preserve.txt with the note's bytes.
void SaveNote(const Text& note);

// Writes the note's bytes to ExportTarget(fileName) (storage/paths.h).
void ExportNote(const Text& fileName, const Text& note);
