#include "storage/note.h"

#include "storage/files.h"
#include "storage/paths.h"

Text LoadNote() { return BytesToText(ReadWholeFile(NoteFile())); }

void SaveNote(const Text& note) {
  CreateFolder(DataDir());  // false whenever Data is already there
  const Bytes bytes = TextToBytes(note);
  WriteWholeFile(NoteFile(), {&bytes});
}

void ExportNote(const Text& fileName, const Text& note) {
  const Bytes bytes = TextToBytes(note);
  WriteWholeFile(ExportTarget(fileName), {&bytes});
}
