// Faults met by the real note.exe while it saves, driven from outside in a fresh scratch folder
// for each case: a read-only or locked note file, the process killed in the middle of saving a
// large note, and a read-only or locked config.ini when the scroll-bar choice is applied.
//
// Wine running as root ignores the read-only attribute for writes and replacements; the
// program honours FILE_ATTRIBUTE_READONLY itself, and these tests check that it does. Sharing
// is enforced by Wine as by Windows, so the locked cases test the platform's refusal.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/gui.h"
#include "tests/support/note_driving.h"
#include "tests/support/scratch.h"

namespace {

const std::string kOldNote =
    "\xBE\xC9\xB5\xC4\xB1\xE3\xCC\xF5\r\n"  // 旧的便条
    "old note, line two\r\n";
const std::string kNewNote =
    "\xD0\xC2\xB5\xC4\r\n"  // 新的
    "new text after the fault\r\n";

// config.ini in GBK bytes with CRLF lines as the profile functions write them.
const std::string kScrollSection = "[\xB9\xF6\xB6\xAF\xCC\xF5]\r\n";      // [滚动条]
const std::string kScrollSectionNo = "[\xB9\xF6\xB6\xAF\xCC\xF5" "2]\r\n";  // [滚动条2]
const std::string kYesKey = "\xCA\xC7=";                                   // 是=
const std::string kNoKey = "\xB7\xF1=";                                    // 否=
const std::string kAfterNo = kScrollSection + kYesKey + "\r\n" + kScrollSectionNo + kNoKey + "0\r\n";
const std::string kAfterYes = kScrollSection + kYesKey + "2\r\n" + kScrollSectionNo + kNoKey + "\r\n";

// A fault the test puts on a file while the program runs, and takes away again.
enum class Fault { ReadOnlyAttribute, HeldShareRead, HeldShareReadWrite, HeldNoSharing };

const char* NameOf(Fault fault) {
  switch (fault) {
    case Fault::ReadOnlyAttribute: return "read-only attribute";
    case Fault::HeldShareRead: return "held open by another process, sharing reading";
    case Fault::HeldShareReadWrite: return "held open by another process, sharing reading and writing";
    case Fault::HeldNoSharing: return "held open by another process, sharing nothing";
  }
  return "?";
}

// Puts the fault on the file for as long as the object lives.
class FileFault {
 public:
  FileFault(const Text& path, Fault fault) : path_(path), fault_(fault) {
    if (fault == Fault::ReadOnlyAttribute) {
      applied_ = SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY) != FALSE;
      return;
    }
    const DWORD share = fault == Fault::HeldShareRead        ? FILE_SHARE_READ
                        : fault == Fault::HeldShareReadWrite ? FILE_SHARE_READ | FILE_SHARE_WRITE
                                                             : 0;
    handle_ = CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    applied_ = handle_ != INVALID_HANDLE_VALUE;
  }
  ~FileFault() { Remove(); }
  FileFault(const FileFault&) = delete;
  FileFault& operator=(const FileFault&) = delete;

  bool Applied() const { return applied_; }

  // The file's bytes as they stand, read through the held handle when there is one (a file
  // held without sharing cannot be opened a second time).
  std::string Contents() const {
    if (handle_ == INVALID_HANDLE_VALUE) return FileContents(path_);
    SetFilePointer(handle_, 0, nullptr, FILE_BEGIN);
    std::string contents;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(handle_, buffer, sizeof buffer, &read, nullptr) && read > 0) contents.append(buffer, read);
    return contents;
  }

  void Remove() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    if (fault_ == Fault::ReadOnlyAttribute && applied_) SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    applied_ = false;
  }

 private:
  Text path_;
  Fault fault_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  bool applied_ = false;
};


// The size of the note saved while the program is killed.
constexpr size_t kLargeNoteSize = 2u << 20;

// Polls the folder as fast as it can until an entry other than the one named is in it; false
// when none came within the time.
bool WaitUntilEntryAppears(const Text& folder, const std::string& known, int milliseconds) {
  const Text pattern = folder + "\\*";
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  do {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    bool other = false;
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = found.cFileName;
        other = other || (name != "." && name != ".." && name != known);
      } while (!other && FindNextFileA(search, &found));
      FindClose(search);
    }
    if (other) return true;
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
  return false;
}

// A note of ASCII lines with CRLF breaks, about the size asked, each line numbered so that a
// piece of one note cannot pass for another.
std::string LinesNote(char mark, size_t size) {
  std::string note;
  note.reserve(size + 64);
  for (unsigned line = 0; note.size() < size; ++line) {
    note += mark;
    note += " line " + std::to_string(line) + " of the note, some words to fill it up\r\n";
  }
  return note;
}

// ---------------------------------------------------------------------------------------------
// 保存 against a read-only or locked preserve.txt

TEST(NoteFaults, SaveLeavesAReadOnlyOrLockedNoteWholeAndSucceedsOnceTheFaultIsGone) {
  const Fault faults[] = {Fault::ReadOnlyAttribute, Fault::HeldShareRead, Fault::HeldShareReadWrite,
                          Fault::HeldNoSharing};
  for (const Fault fault : faults) {
    SCOPED_TRACE(NameOf(fault));
    ScratchFolder folder;
    StartedNotes started;
    const Text noteFile = folder / "Data\\preserve.txt";
    ASSERT_TRUE(CreateDirectoryA((folder / "Data").c_str(), nullptr));
    ASSERT_TRUE(PutFile(noteFile, kOldNote));
    RunningNote& note = started.Start(folder.Path());
    ASSERT_SHOWN(note);
    EXPECT_EQ(WindowTextOf(NoteBoxOf(note.window)), kOldNote);

    FileFault put(noteFile, fault);
    ASSERT_TRUE(put.Applied()) << GetLastError();
    ASSERT_TRUE(SetTextOf(NoteBoxOf(note.window), kNewNote));
    ASSERT_TRUE(SendAndWait(note.window, WM_COMMAND, kSaveCommand)) << "the save did not come back";
    EXPECT_EQ(put.Contents(), kOldNote) << "the old note changed";
    EXPECT_EQ(FolderListing(folder / "Data"), "preserve.txt") << "a temporary file was left";
    ExpectStillRunning(note);
    EXPECT_EQ(WindowTextOf(NoteBoxOf(note.window)), kNewNote) << "the box keeps what was typed";

    put.Remove();
    EXPECT_EQ(FileContents(noteFile), kOldNote);
    ASSERT_TRUE(SendAndWait(note.window, WM_COMMAND, kSaveCommand)) << "the second save did not come back";
    EXPECT_EQ(FileContents(noteFile), kNewNote);
    EXPECT_EQ(FolderListing(folder / "Data"), "preserve.txt");
    ExpectStillRunning(note);
    CloseNormally(note);
  }
}

// ---------------------------------------------------------------------------------------------
// The program killed while it saves a large note

TEST(NoteFaults, KillWhileSavingLeavesTheOldOrTheNewNoteWhole) {
  // The new note is put into the box piece by piece (SetLongTextOf): Wine carries no single
  // message of that size between processes. The box does not wrap (the setting 3), which Wine's
  // edit control does slowly for a note this large; the save is what is watched here.
  const std::string oldNote = LinesNote('O', 64u << 10);
  const std::string newNote = LinesNote('N', kLargeNoteSize);
  // When the kill comes: some time after 保存 was posted, or some time after the temporary
  // file the save writes first has appeared in Data (the earlier moments meet the program
  // still reading the box's text).
  enum class From { Posted, TemporaryAppeared };
  struct Case {
    const char* name;
    std::optional<From> from;  // none: no kill, the save runs to its end
    int delay;                 // milliseconds
  };
  const Case cases[] = {
      {"not killed", std::nullopt, 0},
      {"killed 0 ms after 保存 was posted", From::Posted, 0},
      {"killed 20 ms after 保存 was posted", From::Posted, 20},
      {"killed 100 ms after 保存 was posted", From::Posted, 100},
      {"killed as the temporary file appears", From::TemporaryAppeared, 0},
      {"killed 1 ms after the temporary file appeared", From::TemporaryAppeared, 1},
      {"killed 3 ms after the temporary file appeared", From::TemporaryAppeared, 3},
      {"killed 10 ms after the temporary file appeared", From::TemporaryAppeared, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    StartedNotes started;
    const Text noteFile = folder / "Data\\preserve.txt";
    ASSERT_TRUE(PutFile(folder / "config.ini", kScrollSection + kYesKey + "3\r\n"));
    ASSERT_TRUE(CreateDirectoryA((folder / "Data").c_str(), nullptr));
    ASSERT_TRUE(PutFile(noteFile, oldNote));

    RunningNote& note = started.Start(folder.Path());
    ASSERT_SHOWN(note);
    HWND box = NoteBoxOf(note.window);
    ASSERT_EQ(ScrollBarsOf(box), 3);
    DWORD began = GetTickCount();
    ASSERT_TRUE(SetLongTextOf(box, newNote)) << "the box did not take the note";
    const DWORD fillTime = GetTickCount() - began;
    ASSERT_EQ(SendMessageA(box, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(newNote.size()));

    began = GetTickCount();
    const char* seen = "not watched";  // the temporary file
    if (c.from) {
      ASSERT_TRUE(PostMessageA(note.window, WM_COMMAND, kSaveCommand, 0));
      if (*c.from == From::TemporaryAppeared) {
        seen = WaitUntilEntryAppears(folder / "Data", "preserve.txt", 5000) ? "seen" : "never seen";
      }
      if (c.delay > 0) Sleep(static_cast<DWORD>(c.delay));
      ASSERT_TRUE(TerminateProcess(note.process.hProcess, 9));
      ASSERT_EQ(WaitForSingleObject(note.process.hProcess, 10000), WAIT_OBJECT_0);
    } else {
      ASSERT_TRUE(SendAndWait(note.window, WM_COMMAND, kSaveCommand, 0, 60000)) << "the save did not come back";
    }
    const DWORD saveTime = GetTickCount() - began;

    const std::string saved = FileContents(noteFile);
    const char* outcome = saved == oldNote ? "the old note" : saved == newNote ? "the new note" : nullptr;
    EXPECT_NE(outcome, nullptr) << "preserve.txt holds " << saved.size() << " bytes, neither note whole";
    if (!c.from) {
      EXPECT_TRUE(saved == newNote) << "an uninterrupted save writes the new note";
      EXPECT_EQ(FolderListing(folder / "Data"), "preserve.txt");
    }
    const std::string left = FolderListing(folder / "Data");
    std::printf("[ info ] %s: %s after %lu ms (box filled in %lu ms, temporary file %s); Data holds: %s\n",
                c.name, outcome != nullptr ? outcome : "NEITHER", saveTime, fillTime, seen, left.c_str());
    if (left == "preserve.txt" || outcome == nullptr) continue;

    // A temporary file left by the killed save stands in the way of nothing: the next start
    // shows the note that survived, and a save writes it again.
    std::printf("[ info ]   the temporary file left holds %zu of the %zu bytes\n",
                FileContents(folder / ("Data\\" + left.substr(left.find(' ') + 1))).size(), newNote.size());
    RunningNote& again = started.Start(folder.Path());
    ASSERT_SHOWN(again);
    EXPECT_EQ(SendMessageA(NoteBoxOf(again.window), WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(saved.size()));
    ASSERT_TRUE(SendAndWait(again.window, WM_COMMAND, kSaveCommand, 0, 60000));
    EXPECT_TRUE(FileContents(noteFile) == saved) << "the surviving note changed";
    const std::string after = FolderListing(folder / "Data");
    EXPECT_TRUE(after == left || after == "preserve.txt") << "the save left a file of its own: " << after;
    CloseNormally(again);
  }
}

// ---------------------------------------------------------------------------------------------
// Applying the scroll-bar choice against a read-only or locked config.ini

TEST(NoteFaults, ScrollChoiceAppliesWhileConfigIniCannotBeWrittenAndTheFileDecidesTheNextStart) {
  struct Case {
    const char* name;
    std::string settings;  // config.ini's bytes
    int stored;            // the scroll setting the file holds
  };
  const Case cases[] = {
      {"as written after a no", kAfterNo, 0},
      {"an empty file", "", 0},
      {"holding 1, horizontal", kScrollSection + kYesKey + "1\r\n", 1},
  };
  const Fault faults[] = {Fault::ReadOnlyAttribute, Fault::HeldNoSharing};
  for (const Fault fault : faults) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(NameOf(fault)) + ", config.ini " + c.name);
      ScratchFolder folder;
      StartedNotes started;
      const Text settingsFile = folder / "config.ini";
      ASSERT_TRUE(PutFile(settingsFile, c.settings));
      ASSERT_TRUE(CreateDirectoryA((folder / "Data").c_str(), nullptr));
      ASSERT_TRUE(PutFile(folder / "Data\\preserve.txt", kOldNote));
      RunningNote& note = started.Start(folder.Path());
      ASSERT_SHOWN(note);
      EXPECT_EQ(ScrollBarsOf(NoteBoxOf(note.window)), c.stored);

      {
        FileFault put(settingsFile, fault);
        ASSERT_TRUE(put.Applied()) << GetLastError();
        const std::string failed = ApplyScrollChoiceFromOutside(note, true);
        ASSERT_EQ(failed, "");
        ASSERT_NE(NoteBoxOf(note.window), nullptr);
        EXPECT_EQ(ScrollBarsOf(NoteBoxOf(note.window)), 2) << "the box takes the choice anyway";
        EXPECT_EQ(WindowTextOf(NoteBoxOf(note.window)), kOldNote);
        EXPECT_EQ(put.Contents(), c.settings) << "config.ini changed";
        ExpectStillRunning(note);
      }
      EXPECT_EQ(FileContents(settingsFile), c.settings);
      CloseNormally(note);
      EXPECT_EQ(FileContents(settingsFile), c.settings) << "closing wrote config.ini";

      RunningNote& again = started.Start(folder.Path());
      ASSERT_SHOWN(again);
      EXPECT_EQ(ScrollBarsOf(NoteBoxOf(again.window)), c.stored) << "the next start follows the file";
      EXPECT_EQ(WindowTextOf(NoteBoxOf(again.window)), kOldNote);
      EXPECT_EQ(FileContents(folder / "Data\\preserve.txt"), kOldNote);
      EXPECT_EQ(FolderListing(folder.Path()), "Data config.ini note.exe");
      CloseNormally(again);
    }
  }
}

// The same steps with nothing in the way write the choice: the faults above are what kept
// config.ini unchanged.
TEST(NoteFaults, ScrollChoiceIsWrittenWhenNothingIsInTheWay) {
  ScratchFolder folder;
  StartedNotes started;
  ASSERT_TRUE(PutFile(folder / "config.ini", kAfterNo));
  RunningNote& note = started.Start(folder.Path());
  ASSERT_SHOWN(note);
  ASSERT_EQ(ApplyScrollChoiceFromOutside(note, true), "");
  EXPECT_EQ(ScrollBarsOf(NoteBoxOf(note.window)), 2);
  EXPECT_EQ(FileContents(folder / "config.ini"), kAfterYes);
  CloseNormally(note);
  RunningNote& again = started.Start(folder.Path());
  ASSERT_SHOWN(again);
  EXPECT_EQ(ScrollBarsOf(NoteBoxOf(again.window)), 2);
  CloseNormally(again);
}

}  // namespace

namespace {

TEST(NoteFaults, AMessageTooLargeToDeliverLosesNothing) {
  // Wine cannot carry 2 MiB of text from another process; the program's loop must go on and
  // keep what the box holds.
  ScratchFolder folder;
  StartedNotes notes;
  RunningNote& note = notes.Start(folder.Path());
  ASSERT_NE(note.window, nullptr);
  HWND box = NoteBoxOf(note.window);
  ASSERT_TRUE(SetTextOf(box, "kept"));
  const std::string tooLarge(2 * 1024 * 1024, 'x');
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(tooLarge.c_str()), SMTO_ABORTIFHUNG,
                      1000, &ignored);
  ASSERT_TRUE(SendAndWait(note.window, WM_NULL)) << "the program still answers";
  EXPECT_TRUE(IsRunning(note));
  EXPECT_EQ(WindowTextOf(box), "kept");
  ASSERT_TRUE(PostMessageA(note.window, WM_COMMAND, kSaveCommand, 0));
  EXPECT_TRUE(WaitUntil([&] { return FileContents(folder / "Data\\preserve.txt") == "kept"; }));
}

}  // namespace
