#include "storage/note.h"

#include "storage/files.h"
#include "storage/paths.h"

Text LoadNote() { return BytesToText(ReadWholeFile(NoteFile())); }

void SaveNote(const Text& note) {
  CreateFolder(DataDir());  // false whenever Data is already there
  WriteWholeFile(NoteFile(), std::string_view(note));
}

void ExportNote(const Text& fileName, const Text& note) {
  WriteWholeFile(ExportTarget(fileName), std::string_view(note));
}
