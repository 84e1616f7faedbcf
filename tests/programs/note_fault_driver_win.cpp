// Drives note.exe from outside, as a user would, in a folder a test script has made hard to
// write (tests/program/*_test.sh, which need Linux root to mount), and checks what it sees.
// Command line: MODE FOLDER (a Windows path), MODE being
//   read-only-folder  FOLDER, mounted read-only, holds note.exe, config.ini (the "no" choice)
//                     and Data\preserve.txt. 保存 and the scroll-bar choice 是 change no file,
//                     and the program keeps running and closes normally.
//   full-disk         FOLDER holds note.exe; FOLDER\Data is a full file system holding
//                     preserve.txt and a file named filler. 保存 of a 200,000-byte note leaves
//                     preserve.txt whole and no temporary file behind; with the filler deleted,
//                     a second 保存 writes the note exactly.
// Prints one line per check; the exit code is the number of failed checks, 100 when the
// command line is wrong. note.exe is ended by its handle on every way out.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/note_driving.h"
#include "tests/support/scratch.h"

namespace {

const char kYesCaption[] = "\xCA\xC7";         // 是
const char kOkCaption[] = "\xC8\xB7\xB6\xA8";  // 确定

int failures = 0;

void Check(bool held, const std::string& what) {
  std::printf("%s %s\n", held ? "ok  " : "FAIL", what.c_str());
  std::fflush(stdout);
  if (!held) ++failures;
}

// note.exe started in the folder, ended by its handle when the object goes.
class Note {
 public:
  explicit Note(const std::string& folder) {
    const std::string program = folder + "\\note.exe";
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process_)) {
      process_ = {};
      return;
    }
    WaitForInputIdle(process_.hProcess, 5000);
    WaitUntil([&] { return !ProcessWindows(process_.dwProcessId, "NoteWindow").empty(); }, 15000);
    const std::vector<HWND> windows = ProcessWindows(process_.dwProcessId, "NoteWindow");
    window_ = windows.empty() ? nullptr : windows.front();
  }
  ~Note() {
    if (process_.hProcess == nullptr) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  Note(const Note&) = delete;
  Note& operator=(const Note&) = delete;

  HWND Window() const { return window_; }
  HWND Box() const { return window_ != nullptr ? NoteBoxOf(window_) : nullptr; }
  bool Running() const {
    return process_.hProcess != nullptr && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
  }
  // Running, its window there and answering, and no message box up.
  bool Standing() const {
    return Running() && IsWindow(window_) && IsWindowVisible(window_) && SendAndWait(window_, WM_NULL) &&
           ProcessWindows(process_.dwProcessId, "#32770").empty();
  }
  bool Save() const { return SendAndWait(window_, WM_COMMAND, kSaveCommand, 0, 10000); }

  // Opens the settings window, clicks 是 and the lower 确定 that applies the scroll-bar choice,
  // and closes the settings window; false when a step did not go through.
  bool ChooseVerticalScrollBar() const {
    if (!PostMessageA(window_, WM_COMMAND, kSettingsCommand, 0)) return false;
    HWND settings = SettingsWindowOf(process_.dwProcessId, 5000);
    if (settings == nullptr) return false;
    HWND yes = LowestButton(settings, kYesCaption);
    HWND apply = LowestButton(settings, kOkCaption);
    if (yes == nullptr || apply == nullptr) return false;
    if (!SendAndWait(yes, BM_CLICK) || SendMessageA(yes, BM_GETCHECK, 0, 0) != BST_CHECKED) return false;
    if (!SendAndWait(apply, BM_CLICK)) return false;
    PostMessageA(settings, WM_CLOSE, 0, 0);
    return WaitUntil([&] { return !IsWindow(settings) || !IsWindowVisible(settings); }, 5000) &&
           SendAndWait(window_, WM_NULL);
  }

  // Asks it to close; its exit code, or STILL_ACTIVE when it did not end.
  DWORD Close() const {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    WaitForSingleObject(process_.hProcess, 10000);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

bool HasVerticalScrollBar(HWND box) { return (GetWindowLongPtrA(box, GWL_STYLE) & WS_VSCROLL) != 0; }

std::string Lines(size_t size) {
  std::string text;
  for (unsigned line = 0; text.size() < size; ++line) {
    text += "line " + std::to_string(line) + " of the note saved on a full disk\r\n";
  }
  text.resize(size);
  return text;
}

void ReadOnlyFolder(const std::string& folder) {
  const std::string noteFile = folder + "\\Data\\preserve.txt";
  const std::string settingsFile = folder + "\\config.ini";
  const std::string oldNote = FileContents(noteFile);
  const std::string settings = FileContents(settingsFile);
  const std::string listing = FolderListing(folder);
  Check(oldNote != "<missing>" && settings != "<missing>", "the folder holds a note and config.ini");

  Note note(folder);
  Check(note.Box() != nullptr, "note.exe started and shows its window");
  if (note.Box() == nullptr) return;
  Check(WindowTextOf(note.Box()) == oldNote, "the box shows the saved note");
  Check(!HasVerticalScrollBar(note.Box()), "config.ini's no choice: no vertical scroll bar");

  const std::string typed = "typed into a note in a read-only folder\r\n";
  Check(SendAndWait(note.Box(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str())), "the box takes new text");
  Check(note.Save(), "the save came back");
  Check(FileContents(noteFile) == oldNote, "preserve.txt is unchanged after the save");
  Check(FolderListing(folder + "\\Data") == "preserve.txt", "Data holds only preserve.txt");
  Check(note.Standing(), "the program keeps running after the save");

  Check(note.ChooseVerticalScrollBar(), "the scroll-bar choice 是 was applied through the settings window");
  Check(note.Box() != nullptr && HasVerticalScrollBar(note.Box()), "the box shows the vertical scroll bar anyway");
  Check(note.Box() != nullptr && WindowTextOf(note.Box()) == typed, "the box keeps the typed text");
  Check(FileContents(settingsFile) == settings, "config.ini is unchanged");
  Check(note.Standing(), "the program keeps running after the choice");

  Check(note.Close() == 0, "the program closes with code 0");
  Check(FolderListing(folder) == listing, "the folder holds what it held: " + FolderListing(folder));
  Check(FileContents(noteFile) == oldNote, "preserve.txt is still unchanged");
}

void FullDisk(const std::string& folder) {
  const std::string data = folder + "\\Data";
  const std::string noteFile = data + "\\preserve.txt";
  const std::string oldNote = FileContents(noteFile);
  Check(oldNote != "<missing>", "Data holds a note");
  Check(FolderListing(data) == "filler preserve.txt", "Data holds the filler and the note");

  Note note(folder);
  Check(note.Box() != nullptr, "note.exe started and shows its window");
  if (note.Box() == nullptr) return;
  Check(WindowTextOf(note.Box()) == oldNote, "the box shows the saved note");

  const std::string newNote = Lines(200000);
  Check(SendAndWait(note.Box(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(newNote.c_str())),
        "the box takes a 200,000-byte note");
  Check(note.Save(), "the save on the full disk came back");
  Check(FileContents(noteFile) == oldNote, "preserve.txt is unchanged after the save");
  Check(FolderListing(data) == "filler preserve.txt", "no temporary file is left: " + FolderListing(data));
  Check(note.Standing(), "the program keeps running");

  Check(DeleteFileA((data + "\\filler").c_str()) != FALSE, "the filler is deleted");
  Check(note.Save(), "the second save came back");
  Check(FileContents(noteFile) == newNote, "the second save wrote the note exactly");
  Check(FolderListing(data) == "preserve.txt", "Data holds only preserve.txt: " + FolderListing(data));
  Check(note.Standing(), "the program keeps running");
  Check(note.Close() == 0, "the program closes with code 0");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::printf("usage: note_fault_driver read-only-folder|full-disk FOLDER\n");
    return 100;
  }
  const std::string mode = argv[1];
  const std::string folder = argv[2];
  if (mode == "read-only-folder") {
    ReadOnlyFolder(folder);
  } else if (mode == "full-disk") {
    FullDisk(folder);
  } else {
    std::printf("unknown mode %s\n", mode.c_str());
    return 100;
  }
  std::printf("%d check(s) failed\n", failures);
  return failures;
}
