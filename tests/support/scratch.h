#pragma once
// Scratch folders and whole-file helpers for the tests that run under Wine.
#include <string>

#include "storage/text.h"

// A new empty folder under the test program's own folder, removed with everything in it when
// the object goes. Its path has no trailing backslash.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const Text& Path() const { return path_; }
  Text operator/(std::string_view name) const { return JoinTexts({path_, "\\", name}); }

 private:
  Text path_;
};

// A scratch folder made the run directory (storage/paths.h) for as long as the object lives.
class RunIn {
 public:
  RunIn();
  ~RunIn();
  RunIn(const RunIn&) = delete;
  RunIn& operator=(const RunIn&) = delete;
  const ScratchFolder& Scratch() const { return scratch_; }

 private:
  ScratchFolder scratch_;
};

// The folder holding the running test program (where note.exe is built too).
Text ProgramFolder();

// The file's bytes read without our own storage code; "<missing>" when it cannot be opened.
std::string FileContents(const Text& path);
// Writes the bytes with plain Win32 calls; true on success.
bool PutFile(const Text& path, std::string_view bytes);
// Names of the entries of a folder, sorted, "." and ".." left out.
std::string FolderListing(const Text& folder);
// Removes a folder and everything in it.
void RemoveTree(const Text& folder);
