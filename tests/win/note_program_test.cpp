// The real note.exe, copied into a fresh scratch folder and started there as a user would, then
// driven from outside with window messages: where it stands, what it reads at start, what its
// commands write, its message box and its two modal windows, and the platform's save dialog.
// Every process a test starts is ended by the fixture, also when the test fails.
#include <gtest/gtest.h>
#include <windows.h>
// commctrl.h needs windows.h before it.
#include <commctrl.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/note_commands.h"
#include "tests/support/gui.h"
#include "tests/support/note_driving.h"
#include "tests/support/scratch.h"

namespace {

constexpr WPARAM kAbout = 20001, kSettings = 20002, kExit = 20003, kSave = 20005, kSaveAs = 20006;
// The save dialog's controls as Wine 8 lays out its Explorer-style dialog: the file name is a
// ComboBoxEx32 (cmb13) holding a ComboBox holding an Edit, all three with the id 0x47C.
constexpr int kSaveDialogFileNameBox = 0x47C;
constexpr int kSaveDialogFolderBox = 0x471;  // cmb2: the folder the dialog shows
constexpr int kSaveDialogTypeBox = 0x470;    // cmb1: the file types of the filter
constexpr int kSaveDialogFileList = 0x461;   // lst2: the shell view listing the folder
constexpr int kMessageBoxText = 0xFFFF;      // the message box's text control

const char kSettingsTitle[] = "\xC9\xE8\xD6\xC3";       // 设置
const char kAboutTitle[] = "\xD0\xC5\xCF\xA2\xA3\xBA";  // 信息：
const char kTxtFilterName[] = "Txt\xCE\xC4\xB1\xBE";    // Txt文本

// config.ini with the scroll-bar entry, in GBK bytes with CRLF lines as the profile functions
// write it.
std::string ScrollSettingFile(const std::string& value) {
  const std::string section = "[\xB9\xF6\xB6\xAF\xCC\xF5]\r\n";  // [滚动条]
  const std::string key = "\xCA\xC7=";                           // 是=
  return section + key + value + "\r\n";
}

// The section of the "no" choice, as the settings window writes it beside the "yes" one.
const std::string kNoSectionLine = std::string("[\xB9\xF6\xB6\xAF\xCC\xF5") + "2]\r\n";  // [滚动条2]
const std::string kNoKey = "\xB7\xF1=";                                                  // 否=

// Two lines in GBK with CRLF breaks, an empty line and a trailing break.
const std::string kGbkNote =
    "\xC4\xE3\xBA\xC3\r\n"               // 你好
    "\xB5\xDA\xB6\xFE\xD0\xD0 line\r\n"  // 第二行 line
    "\r\n"                               // an empty line
    "\xD6\xD0\xCE\xC4\r\n";              // 中文

RECT RectOf(HWND hwnd) {
  RECT rect = {};
  GetWindowRect(hwnd, &rect);
  return rect;
}

std::string Describe(const RECT& rect) {
  return "(" + std::to_string(rect.left) + "," + std::to_string(rect.top) + ")-(" +
         std::to_string(rect.right) + "," + std::to_string(rect.bottom) + ")";
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

// Every window below the parent, children of children included.
std::vector<HWND> DescendantsOf(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The first window below the parent with that class and control id, or nullptr.
HWND DescendantWith(HWND parent, const char* className, int id) {
  for (HWND hwnd : DescendantsOf(parent)) {
    if (ClassOf(hwnd) == className && GetDlgCtrlID(hwnd) == id) return hwnd;
  }
  return nullptr;
}

// A visible top-level window of the process with that class other than the one given.
HWND OtherProcessWindow(DWORD processId, const char* className, HWND other, int milliseconds = 5000) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND hwnd : ProcessWindows(processId, className)) {
          if (hwnd != other) found = hwnd;
        }
        return found != nullptr;
      },
      milliseconds);
  return found;
}

bool IsGone(HWND hwnd) {
  return WaitUntil([&] { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); });
}

// Each test's scratch folder and the programs it started, ended in TearDown whatever happened.
class NoteProgram : public ::testing::Test {
 protected:
  void TearDown() override {
    for (RunningNote& note : notes_) StopNote(note);
  }

  // note.exe started in the folder, kept for TearDown to end.
  RunningNote& Start(const Text& folder, const std::string& arguments = "") {
    notes_.push_back(StartNote(folder, arguments));
    if (notes_.back().process.hProcess == nullptr) {
      startFailure_ =
          "error " + std::to_string(GetLastError()) + ", the folder holds: " + FolderListing(folder);
    }
    return notes_.back();
  }
  RunningNote& Start() { return Start(folder_.Path()); }

  ScratchFolder folder_;
  std::deque<RunningNote> notes_;  // a deque keeps the references handed out valid
  std::string startFailure_;       // why the last start failed, for the message
};

// As ASSERT_SHOWN, with the reason the start failed.
#define ASSERT_STARTED(note)                                                                    \
  ASSERT_NE((note).process.hProcess, nullptr) << "note.exe did not start: " << startFailure_; \
  ASSERT_NE((note).window, nullptr) << "the note window never showed";                        \
  ASSERT_NE(NoteBoxOf((note).window), nullptr) << "the note window has not exactly one Edit child"

// ---------------------------------------------------------------------------------------------
// First run and the ways to end it

TEST_F(NoteProgram, FirstRunStandsAt1200By5WithAPlainWrappingBox) {
  RunningNote& note = Start();
  ASSERT_STARTED(note);
  const RECT rect = RectOf(note.window);
  EXPECT_EQ(Describe(rect), Describe(RECT{1200, 5, 1200 + 165, 5 + 178}));
  EXPECT_EQ(WindowTextOf(note.window), "");
  const LONG_PTR boxStyle = StyleOf(NoteBoxOf(note.window));
  EXPECT_EQ(boxStyle & (WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL), 0) << std::hex << boxStyle;
  EXPECT_EQ(WindowTextOf(NoteBoxOf(note.window)), "");
  EXPECT_EQ(FolderListing(folder_.Path()), "note.exe") << "starting creates nothing";
}

TEST_F(NoteProgram, EveryWayOfClosingEndsWithCode0AndWritesNothing) {
  struct Case {
    const char* name;
    UINT message;
    WPARAM wParam;
    bool typeFirst;  // text put into the box before closing
  };
  const Case cases[] = {
      {"system menu close", WM_SYSCOMMAND, SC_CLOSE, false},
      {"system menu close after typing", WM_SYSCOMMAND, SC_CLOSE, true},
      {"close request", WM_CLOSE, 0, true},
      {"the exit command", WM_COMMAND, kExit, false},
      {"the exit command after typing", WM_COMMAND, kExit, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    RunningNote& note = Start(folder.Path());
    ASSERT_STARTED(note);
    if (c.typeFirst) {
      ASSERT_TRUE(SetTextOf(NoteBoxOf(note.window), "typed\r\n" + kGbkNote));
    }
    ASSERT_TRUE(PostMessageA(note.window, c.message, c.wParam, 0));
    EXPECT_EQ(WaitForExit(note), 0u);
    EXPECT_EQ(FolderListing(folder.Path()), "note.exe");
  }
}

// ---------------------------------------------------------------------------------------------
// What the program reads at start

TEST_F(NoteProgram, StoredScrollBarChoiceSetsTheBoxAtTheFirstShow) {
  struct Case {
    const char* name;
    std::optional<std::string> settings;  // config.ini's bytes; none: no file
    bool vertical, horizontal, noWrap;
  };
  const Case cases[] = {
      {"no file", std::nullopt, false, false, false},
      {"0: none", ScrollSettingFile("0"), false, false, false},
      {"1: horizontal", ScrollSettingFile("1"), false, true, true},
      {"2: vertical", ScrollSettingFile("2"), true, false, false},
      {"3: both", ScrollSettingFile("3"), true, true, true},
      {"hand-edited ' 2'", ScrollSettingFile(" 2"), true, false, false},
      {"as the settings window writes a yes", ScrollSettingFile("2") + kNoSectionLine + kNoKey + "\r\n", true,
       false, false},
      {"as the settings window writes a no", ScrollSettingFile("") + kNoSectionLine + kNoKey + "0\r\n", false,
       false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    if (c.settings) {
      ASSERT_TRUE(PutFile(folder / "config.ini", *c.settings));
    }
    RunningNote& note = Start(folder.Path());
    ASSERT_STARTED(note);
    const LONG_PTR style = StyleOf(NoteBoxOf(note.window));
    EXPECT_EQ((style & WS_VSCROLL) != 0, c.vertical) << std::hex << style;
    EXPECT_EQ((style & WS_HSCROLL) != 0, c.horizontal) << std::hex << style;
    EXPECT_EQ((style & ES_AUTOHSCROLL) != 0, c.noWrap) << std::hex << style;
    EXPECT_EQ(Describe(RectOf(note.window)), Describe(RECT{1200, 5, 1365, 183}));
    StopNote(note);
    if (c.settings) {
      EXPECT_EQ(FileContents(folder / "config.ini"), *c.settings) << "reading changes nothing";
    }
  }
}

TEST_F(NoteProgram, SavedNoteIsRestoredUpToItsFirstZeroByte) {
  enum class Data { Folder, File };  // what stands at Data beside the program
  struct Case {
    const char* name;
    Data data;
    std::optional<std::string> note;  // Data\preserve.txt's bytes; none: no file
    std::string shown;
  };
  const Case cases[] = {
      {"GBK lines with CRLF", Data::Folder, kGbkNote, kGbkNote},
      {"a zero byte ends it", Data::Folder, std::string("A\0B", 3), "A"},
      {"an empty note", Data::Folder, "", ""},
      {"Data without preserve.txt", Data::Folder, std::nullopt, ""},
      {"a file named Data", Data::File, std::nullopt, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    if (c.data == Data::File) {
      ASSERT_TRUE(PutFile(folder / "Data", "not a folder"));
    } else {
      ASSERT_TRUE(CreateDirectoryA((folder / "Data").c_str(), nullptr));
    }
    if (c.note) {
      ASSERT_TRUE(PutFile(folder / "Data\\preserve.txt", *c.note));
    }
    RunningNote& note = Start(folder.Path());
    ASSERT_STARTED(note);
    const std::string listingAtStart = FolderListing(folder.Path());
    EXPECT_EQ(WindowTextOf(NoteBoxOf(note.window)), c.shown);
    StopNote(note);
    EXPECT_EQ(FolderListing(folder.Path()), listingAtStart);
    if (c.note) {
      EXPECT_EQ(FileContents(folder / "Data\\preserve.txt"), *c.note) << "loading changes nothing";
    }
  }
}

// ---------------------------------------------------------------------------------------------
// 保存

TEST_F(NoteProgram, SaveWritesExactlyTheBoxsBytesToPreserveTxt) {
  struct Case {
    const char* name;
    std::optional<std::string> noteAtStart;         // Data\preserve.txt at start; none: no Data
    std::vector<std::optional<std::string>> saves;  // text put into the box before each save;
                                                    // none: save what the box holds
    std::string saved;
  };
  const Case cases[] = {
      {"Data created when missing", std::nullopt, {kGbkNote}, kGbkNote},
      {"an empty box", std::nullopt, {""}, ""},
      {"an empty box over a note", kGbkNote, {""}, ""},
      {"a shorter note replaces a longer one whole", std::string(3000, 'L') + "\r\n", {"short"}, "short"},
      {"a second save replaces the first", std::nullopt, {"first, the longer text\r\n", "2nd"}, "2nd"},
      {"a restored note saved again is unchanged", kGbkNote, {std::nullopt}, kGbkNote},
      {"a restored note saved twice is unchanged",
       "x\r\n\xD6\xD0",
       {std::nullopt, std::nullopt},
       "x\r\n\xD6\xD0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    if (c.noteAtStart) {
      ASSERT_TRUE(CreateDirectoryA((folder / "Data").c_str(), nullptr));
      ASSERT_TRUE(PutFile(folder / "Data\\preserve.txt", *c.noteAtStart));
    }
    RunningNote& note = Start(folder.Path());
    ASSERT_STARTED(note);
    HWND box = NoteBoxOf(note.window);
    for (const std::optional<std::string>& text : c.saves) {
      if (text) {
        ASSERT_TRUE(SetTextOf(box, *text));
      }
      ASSERT_TRUE(SendAndWait(note.window, WM_COMMAND, kSave)) << "the save did not come back";
      EXPECT_EQ(FileContents(folder / "Data\\preserve.txt"), text ? *text : WindowTextOf(box));
    }
    EXPECT_EQ(FileContents(folder / "Data\\preserve.txt"), c.saved);
    EXPECT_EQ(FolderListing(folder / "Data"), "preserve.txt") << "nothing else is left in Data";
    EXPECT_EQ(FolderListing(folder.Path()), "Data note.exe");
    EXPECT_TRUE(IsRunning(note));
    EXPECT_TRUE(ProcessWindows(note.process.dwProcessId, "#32770").empty()) << "no message came up";
    StopNote(note);
  }
}

TEST_F(NoteProgram, SaveWithAFileNamedDataWritesNothingAndKeepsRunning) {
  ASSERT_TRUE(PutFile(folder_ / "Data", "a file, not a folder"));
  RunningNote& note = Start();
  ASSERT_STARTED(note);
  HWND box = NoteBoxOf(note.window);
  EXPECT_EQ(WindowTextOf(box), "");
  ASSERT_TRUE(SetTextOf(box, kGbkNote));
  ASSERT_TRUE(SendAndWait(note.window, WM_COMMAND, kSave)) << "the save did not come back";
  EXPECT_EQ(FolderListing(folder_.Path()), "Data note.exe");
  EXPECT_EQ(FileContents(folder_ / "Data"), "a file, not a folder");
  EXPECT_TRUE(IsRunning(note));
  EXPECT_TRUE(IsWindowEnabled(note.window));
  EXPECT_TRUE(ProcessWindows(note.process.dwProcessId, "#32770").empty()) << "no message came up";
  EXPECT_EQ(WindowTextOf(box), kGbkNote);
  ASSERT_TRUE(PostMessageA(note.window, WM_CLOSE, 0, 0));
  EXPECT_EQ(WaitForExit(note), 0u);
}

// ---------------------------------------------------------------------------------------------
// 关于 and 设置

TEST_F(NoteProgram, AboutShowsATaskModalMessageBoxWithTheTextAndOneOkButton) {
  RunningNote& note = Start();
  ASSERT_STARTED(note);
  ASSERT_TRUE(PostMessageA(note.window, WM_COMMAND, kAbout, 0));
  HWND box = FindProcessWindow(note.process.dwProcessId, "#32770");
  ASSERT_NE(box, nullptr) << "no message box came up";
  EXPECT_EQ(WindowTextOf(box), kAboutTitle);
  EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr) << "the box has no owner, not the note window";
  HWND text = GetDlgItem(box, kMessageBoxText);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(ClassOf(text), "Static");
  EXPECT_EQ(WindowTextOf(text), kAboutText);
  std::vector<HWND> buttons;
  for (HWND child : ChildrenOf(box)) {
    if (ClassOf(child) == "Button" && IsWindowVisible(child)) buttons.push_back(child);
  }
  ASSERT_EQ(buttons.size(), 1u);
  EXPECT_EQ(GetDlgCtrlID(buttons[0]), IDOK);
  EXPECT_FALSE(IsWindowEnabled(note.window)) << "task modal: the note window waits";

  ASSERT_TRUE(PostMessageA(buttons[0], BM_CLICK, 0, 0));
  EXPECT_TRUE(IsGone(box));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(note.window) != FALSE; }));
  EXPECT_TRUE(SendAndWait(note.window, WM_NULL)) << "the note window answers again";
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == note.window; }))
      << "typing goes on in the note window";
  EXPECT_TRUE(IsRunning(note));
  EXPECT_EQ(FolderListing(folder_.Path()), "note.exe");
}

TEST_F(NoteProgram, SettingsOpensModallyCentredOnTheScreen) {
  RunningNote& note = Start();
  ASSERT_STARTED(note);
  ASSERT_TRUE(PostMessageA(note.window, WM_COMMAND, kSettings, 0));
  HWND settings = OtherProcessWindow(note.process.dwProcessId, "NoteWindow", note.window);
  ASSERT_NE(settings, nullptr) << "no settings window came up";
  EXPECT_EQ(WindowTextOf(settings), kSettingsTitle);
  const int left = (GetSystemMetrics(SM_CXSCREEN) - 148) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - 143) / 2;
  EXPECT_EQ(Describe(RectOf(settings)), Describe(RECT{left, top, left + 148, top + 143}));
  EXPECT_EQ(left, (1600 - 148) / 2) << "the session's desktop is 1600x900";
  EXPECT_FALSE(IsWindowEnabled(note.window)) << "modal: the note window waits";

  ASSERT_TRUE(PostMessageA(settings, WM_CLOSE, 0, 0));
  EXPECT_TRUE(IsGone(settings));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(note.window) != FALSE; }));
  EXPECT_TRUE(SendAndWait(note.window, WM_NULL));
  EXPECT_TRUE(IsRunning(note));
  EXPECT_TRUE(IsWindowVisible(note.window));
}

// ---------------------------------------------------------------------------------------------
// 另存为 through the platform's save dialog

// The save dialog the command opens, once it shows.
HWND OpenSaveDialog(RunningNote& note) {
  if (!PostMessageA(note.window, WM_COMMAND, kSaveAs, 0)) return nullptr;
  return FindProcessWindow(note.process.dwProcessId, "#32770");
}

// The edit the dialog takes the file name from.
HWND FileNameEditOf(HWND dialog) { return DescendantWith(dialog, "Edit", kSaveDialogFileNameBox); }

int ListedItemCount(HWND dialog) {
  HWND view = GetDlgItem(dialog, kSaveDialogFileList);
  HWND list = view != nullptr ? FindWindowExA(view, nullptr, "SysListView32", nullptr) : nullptr;
  return list != nullptr ? static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) : -1;
}

std::string LastComponent(const Text& path) { return path.substr(path.find_last_of('\\') + 1); }

TEST_F(NoteProgram, SaveAsWritesTheNoteToTheConfirmedFile) {
  struct Case {
    const char* name;
    std::vector<const char*> existing;  // files in the folder beforehand, each holding "old"
    const char* typed;
    bool asksToReplace;  // answered Yes
    const char* written;
    const char* listing;  // the folder afterwards
  };
  const Case cases[] = {
      {"a new name without extension", {}, "out", false, "out.txt", "note.exe out.txt"},
      {"a new name ending in upper-case .TXT", {}, "Loud.TXT", false, "Loud.TXT", "Loud.TXT note.exe"},
      {"a new name with another extension", {}, "out.text", false, "out.text.txt", "note.exe out.text.txt"},
      {"an existing name with .txt", {"x.txt", "y.ini"}, "x.txt", true, "x.txt", "note.exe x.txt y.ini"},
      {"an existing name typed without .txt", {"x.txt"}, "x", true, "x.txt", "note.exe x.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    for (const char* name : c.existing) ASSERT_TRUE(PutFile(folder / name, "old"));
    RunningNote& note = Start(folder.Path());
    ASSERT_STARTED(note);
    const std::string text = std::string(c.name) + "\r\n" + kGbkNote;
    ASSERT_TRUE(SetTextOf(NoteBoxOf(note.window), text));

    HWND dialog = OpenSaveDialog(note);
    ASSERT_NE(dialog, nullptr) << "no save dialog came up";
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), note.window) << "started from the active note window";
    EXPECT_FALSE(IsWindowEnabled(note.window));
    // It opens in the program's folder, offers the one filter, and lists only .txt files.
    EXPECT_EQ(WindowTextOf(GetDlgItem(dialog, kSaveDialogFolderBox)), LastComponent(folder.Path()));
    HWND types = GetDlgItem(dialog, kSaveDialogTypeBox);
    EXPECT_EQ(WindowTextOf(types), kTxtFilterName);
    EXPECT_EQ(SendMessageA(types, CB_GETCOUNT, 0, 0), 1);
    int textFiles = 0;
    for (const char* name : c.existing) textFiles += std::string(name).ends_with(".txt");
    EXPECT_TRUE(WaitUntil([&] { return ListedItemCount(dialog) == textFiles; }))
        << ListedItemCount(dialog) << " listed, " << textFiles << " .txt files";

    HWND nameEdit = FileNameEditOf(dialog);
    ASSERT_NE(nameEdit, nullptr) << "the dialog has no file name edit";
    ASSERT_TRUE(SetTextOf(nameEdit, c.typed));
    ASSERT_TRUE(PostMessageA(dialog, WM_COMMAND, IDOK, 0));
    if (c.asksToReplace) {
      HWND question = OtherProcessWindow(note.process.dwProcessId, "#32770", dialog);
      if (question != nullptr) {
        EXPECT_NE(GetDlgItem(question, IDYES), nullptr);
        EXPECT_EQ(FileContents(folder / c.written), "old") << "nothing is written while it asks";
        ASSERT_TRUE(PostMessageA(question, WM_COMMAND, IDYES, 0));
        EXPECT_TRUE(IsGone(question));
      } else {
        ADD_FAILURE() << "the dialog did not ask before replacing " << c.written
                      << "; it holds now: " << FileContents(folder / c.written);
      }
    }
    ASSERT_TRUE(IsGone(dialog)) << "the dialog did not close";
    ASSERT_TRUE(SendAndWait(note.window, WM_NULL)) << "the command did not finish";
    EXPECT_TRUE(IsWindowEnabled(note.window));
    EXPECT_EQ(FileContents(folder / c.written), text);
    EXPECT_EQ(FolderListing(folder.Path()), c.listing);
    EXPECT_TRUE(ProcessWindows(note.process.dwProcessId, "#32770").empty());
    EXPECT_TRUE(IsRunning(note));
    StopNote(note);
  }
}

TEST_F(NoteProgram, SaveAsWritesNothingWhenTheDialogIsCancelled) {
  struct Case {
    const char* name;
    bool typeName;        // a name typed into the dialog first
    bool declineReplace;  // an existing name confirmed, the question answered No, then cancel
  };
  const Case cases[] = {
      {"cancelled at once", false, false},
      {"cancelled after typing a name", true, false},
      {"replace declined, then cancelled", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    ASSERT_TRUE(PutFile(folder / "x.txt", "old"));
    RunningNote& note = Start(folder.Path());
    ASSERT_STARTED(note);
    ASSERT_TRUE(SetTextOf(NoteBoxOf(note.window), kGbkNote));
    const std::string listing = FolderListing(folder.Path());

    HWND dialog = OpenSaveDialog(note);
    ASSERT_NE(dialog, nullptr) << "no save dialog came up";
    if (c.typeName) {
      HWND nameEdit = FileNameEditOf(dialog);
      ASSERT_NE(nameEdit, nullptr);
      ASSERT_TRUE(SetTextOf(nameEdit, c.declineReplace ? "x.txt" : "never"));
    }
    if (c.declineReplace) {
      ASSERT_TRUE(PostMessageA(dialog, WM_COMMAND, IDOK, 0));
      HWND question = OtherProcessWindow(note.process.dwProcessId, "#32770", dialog);
      ASSERT_NE(question, nullptr) << "the dialog did not ask before replacing";
      ASSERT_TRUE(PostMessageA(question, WM_COMMAND, IDNO, 0));
      EXPECT_TRUE(IsGone(question));
      EXPECT_TRUE(IsWindowVisible(dialog)) << "a No goes back to the dialog";
    }
    ASSERT_TRUE(PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0));
    ASSERT_TRUE(IsGone(dialog)) << "the dialog did not close";
    ASSERT_TRUE(SendAndWait(note.window, WM_NULL)) << "the command did not finish";
    EXPECT_EQ(FolderListing(folder.Path()), listing);
    EXPECT_EQ(FileContents(folder / "x.txt"), "old");
    EXPECT_TRUE(IsRunning(note));
    StopNote(note);
  }
}

// ---------------------------------------------------------------------------------------------
// Copies and arguments

TEST_F(NoteProgram, TwoCopiesInOneFolderRunIndependently) {
  ASSERT_TRUE(CreateDirectoryA((folder_ / "Data").c_str(), nullptr));
  ASSERT_TRUE(PutFile(folder_ / "Data\\preserve.txt", kGbkNote));
  RunningNote& first = Start();
  ASSERT_STARTED(first);
  RunningNote& second = Start();
  ASSERT_STARTED(second);
  ASSERT_NE(first.window, second.window);
  EXPECT_NE(first.process.dwProcessId, second.process.dwProcessId);
  EXPECT_EQ(WindowTextOf(NoteBoxOf(first.window)), kGbkNote);
  EXPECT_EQ(WindowTextOf(NoteBoxOf(second.window)), kGbkNote);
  EXPECT_EQ(RectOf(first.window).left, 1200);
  EXPECT_EQ(RectOf(second.window).left, 1200);

  ASSERT_TRUE(SetTextOf(NoteBoxOf(first.window), "typed in the first"));
  ASSERT_TRUE(PostMessageA(first.window, WM_SYSCOMMAND, SC_CLOSE, 0));
  EXPECT_EQ(WaitForExit(first), 0u);
  EXPECT_TRUE(IsRunning(second));
  ASSERT_TRUE(IsWindow(second.window));
  EXPECT_EQ(WindowTextOf(NoteBoxOf(second.window)), kGbkNote) << "the first's text stays its own";
  ASSERT_TRUE(SetTextOf(NoteBoxOf(second.window), "from the second"));
  ASSERT_TRUE(SendAndWait(second.window, WM_COMMAND, kSave));
  EXPECT_EQ(FileContents(folder_ / "Data\\preserve.txt"), "from the second");
  ASSERT_TRUE(PostMessageA(second.window, WM_COMMAND, kExit, 0));
  EXPECT_EQ(WaitForExit(second), 0u);
}

TEST_F(NoteProgram, CommandLineArgumentsAreIgnored) {
  const char* const argumentLists[] = {"", "foo /bar", "config.ini", "/?"};
  for (const char* arguments : argumentLists) {
    SCOPED_TRACE(std::string("arguments: \"") + arguments + "\"");
    ScratchFolder folder;
    ASSERT_TRUE(PutFile(folder / "config.ini", ScrollSettingFile("2")));
    ASSERT_TRUE(CreateDirectoryA((folder / "Data").c_str(), nullptr));
    ASSERT_TRUE(PutFile(folder / "Data\\preserve.txt", kGbkNote));
    RunningNote& note = Start(folder.Path(), arguments);
    ASSERT_STARTED(note);
    HWND box = NoteBoxOf(note.window);
    EXPECT_EQ(Describe(RectOf(note.window)), Describe(RECT{1200, 5, 1365, 183}));
    EXPECT_EQ(StyleOf(box) & (WS_VSCROLL | WS_HSCROLL), WS_VSCROLL);
    EXPECT_EQ(WindowTextOf(box), kGbkNote);
    ASSERT_TRUE(SetTextOf(box, "saved"));
    ASSERT_TRUE(SendAndWait(note.window, WM_COMMAND, kSave));
    EXPECT_EQ(FileContents(folder / "Data\\preserve.txt"), "saved");
    ASSERT_TRUE(PostMessageA(note.window, WM_SYSCOMMAND, SC_CLOSE, 0));
    EXPECT_EQ(WaitForExit(note), 0u);
    EXPECT_EQ(FolderListing(folder.Path()), "Data config.ini note.exe");
  }
}

// ---------------------------------------------------------------------------------------------
// A screen too small for (1200, 5)

struct ClassSearch {
  const char* className;
  HWND found;
};

BOOL CALLBACK MatchClass(HWND hwnd, LPARAM context) {
  auto* search = reinterpret_cast<ClassSearch*>(context);
  if (ClassOf(hwnd) != search->className) return TRUE;
  search->found = hwnd;
  return FALSE;
}

// A top-level window of that class on the named desktop (shown or not), or nullptr.
HWND DesktopWindowOf(const Text& desktopName, const char* className) {
  HDESK desktop = OpenDesktopA(desktopName.c_str(), 0, FALSE, DESKTOP_ENUMERATE | DESKTOP_READOBJECTS);
  if (desktop == nullptr) return nullptr;
  ClassSearch search{className, nullptr};
  EnumDesktopWindows(desktop, MatchClass, reinterpret_cast<LPARAM>(&search));
  CloseDesktop(desktop);
  return search.found;
}

// Ends a process if it still runs, by its handle, and closes the handle.
void EndProcess(HANDLE process) {
  if (process == nullptr) return;
  if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
  }
  CloseHandle(process);
}

// note.exe started through Wine's explorer on a virtual desktop of its own. Whatever it started
// is ended when the object goes: the note found on that desktop, then the explorer.
class NoteOnOwnDesktop {
 public:
  NoteOnOwnDesktop(const Text& folder, const Text& desktopName, const char* size) : desktop_(desktopName) {
    std::string commandLine =
        "explorer.exe /desktop=" + desktopName + "," + size + " \"" + folder + "\\note.exe\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                       &startup, &started)) {
      CloseHandle(started.hThread);
      explorer_ = started.hProcess;
    }
  }
  ~NoteOnOwnDesktop() {
    if (note_ == nullptr) FindNote(0);
    EndProcess(note_);
    EndProcess(explorer_);
  }
  NoteOnOwnDesktop(const NoteOnOwnDesktop&) = delete;
  NoteOnOwnDesktop& operator=(const NoteOnOwnDesktop&) = delete;

  bool Started() const { return explorer_ != nullptr; }
  // Waits until the note window stands visible on the desktop, nullptr when it does not; the
  // process of a window found at all is kept to be ended.
  // A window of another desktop is tested with its style: IsWindowVisible looks at this
  // process's desktop.
  HWND FindNote(int milliseconds) {
    HWND window = nullptr;
    const bool shown = WaitUntil(
        [&] {
          window = DesktopWindowOf(desktop_, "NoteWindow");
          return window != nullptr && (StyleOf(window) & WS_VISIBLE) != 0;
        },
        milliseconds);
    if (window != nullptr && note_ == nullptr) {
      DWORD processId = 0;
      GetWindowThreadProcessId(window, &processId);
      note_ = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    }
    return shown ? window : nullptr;
  }
  HANDLE NoteProcess() const { return note_; }

 private:
  Text desktop_;
  HANDLE explorer_ = nullptr;
  HANDLE note_ = nullptr;
};

TEST_F(NoteProgram, OnA1024By768ScreenTheWindowIsMovedInsideJustEnough) {
  ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\note.exe").c_str(), (folder_ / "note.exe").c_str(), FALSE));
  // A name of this run's own: a desktop left by an interrupted run is not reused.
  const Text desktopName = "NoteSmall" + std::to_string(GetCurrentProcessId());
  NoteOnOwnDesktop run(folder_.Path(), desktopName, "1024x768");
  ASSERT_TRUE(run.Started()) << "explorer.exe did not start";
  HWND window = run.FindNote(15000);
  ASSERT_NE(window, nullptr) << "no note window on the small desktop";
  ASSERT_NE(run.NoteProcess(), nullptr);

  const RECT rect = RectOf(window);
  EXPECT_EQ(rect.right - rect.left, 165);
  EXPECT_EQ(rect.bottom - rect.top, 178);
  EXPECT_GE(rect.left, 0);
  EXPECT_LE(rect.bottom, 768);
  EXPECT_EQ(rect.right, 1024) << "moved left just enough: " << Describe(rect);
  EXPECT_EQ(rect.top, 5) << "the top already lies inside: " << Describe(rect);

  ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
  ASSERT_EQ(WaitForSingleObject(run.NoteProcess(), 10000), WAIT_OBJECT_0);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(run.NoteProcess(), &code);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(FolderListing(folder_.Path()), "note.exe");
}

}  // namespace
