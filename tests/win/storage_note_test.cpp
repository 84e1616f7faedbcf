// The note in Data\preserve.txt beside the executable, and its exports, against the real file
// system under Wine. Each test runs in a scratch folder of its own as the run directory.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "storage/files.h"
#include "storage/note.h"
#include "storage/paths.h"
#include "tests/support/scratch.h"

namespace {

// "第一行\r\n第二行" with a trailing CRLF: the note keeps its line breaks as they are.
const std::string kGbkNote =
    "\xB5\xDA\xD2\xBB\xD0\xD0\r\n\xB5\xDA\xB6\xFE\xD0\xD0\r\n";  // 第一行\r\n第二行\r\n

TEST(LoadNote, IsEmptyWithoutData) {
  RunIn run;
  EXPECT_EQ(LoadNote(), "");
  EXPECT_EQ(FolderListing(run.Scratch().Path()), "") << "loading creates nothing";
}

TEST(SaveNote, CreatesDataAndWritesTheExactBytes) {
  RunIn run;
  SaveNote(kGbkNote);
  EXPECT_TRUE(PathExists(DataDir()));
  EXPECT_EQ(FolderListing(run.Scratch().Path()), "Data");
  EXPECT_EQ(FolderListing(DataDir()), "preserve.txt");
  EXPECT_EQ(FileContents(run.Scratch() / "Data\\preserve.txt"), kGbkNote)
      << "no byte-order mark, no terminator, no line break added";
  EXPECT_EQ(LoadNote(), kGbkNote);
}

TEST(SaveNote, StoresTheEmptyNoteAsAFileOfLengthZero) {
  RunIn run;
  SaveNote("");
  EXPECT_EQ(FileContents(NoteFile()), "");
  EXPECT_EQ(LoadNote(), "");
}

TEST(SaveNote, ReplacesTheOldNoteWhole) {
  RunIn run;
  SaveNote("a much longer first note\r\nwith two lines");
  SaveNote("short");  // Data is there now: its creation fails and the write goes on
  EXPECT_EQ(FileContents(NoteFile()), "short");
  EXPECT_EQ(LoadNote(), "short");
  EXPECT_EQ(FolderListing(DataDir()), "preserve.txt");
}

TEST(LoadNote, StopsAtTheFirstZeroByte) {
  struct Case {
    const char* label;
    std::string stored;
    std::string expected;
  };
  const Case cases[] = {
      {"A, zero, B", std::string("A\0B", 3), "A"},
      {"zero first", std::string("\0AB", 3), ""},
      {"empty file", "", ""},
      {"GBK and CRLF without zero", kGbkNote, kGbkNote},
  };
  for (const Case& c : cases) {
    RunIn run;
    ASSERT_TRUE(CreateDirectoryA(DataDir().c_str(), nullptr)) << c.label;
    ASSERT_TRUE(PutFile(NoteFile(), c.stored)) << c.label;
    EXPECT_EQ(LoadNote(), c.expected) << c.label;
  }
}

TEST(Note, APlainFileNamedDataStopsBothWays) {
  RunIn run;
  const Text data = run.Scratch() / "Data";
  ASSERT_TRUE(PutFile(data, "not a folder"));
  EXPECT_TRUE(PathExists(DataDir())) << "a plain file counts as present";
  SaveNote("note");
  EXPECT_EQ(FolderListing(run.Scratch().Path()), "Data") << "nothing written beside it";
  EXPECT_EQ(FileContents(data), "not a folder");
  EXPECT_EQ(LoadNote(), "");
}

TEST(SaveNote, AFailedSaveKeepsTheOldNote) {
  struct Case {
    const char* label;
    bool readOnly;  // otherwise held open by another handle that shares reading only
  };
  const Case cases[] = {
      {"preserve.txt read-only (refused by WriteWholeFile itself: Wine as root would allow it)",
       true},
      {"preserve.txt held open for writing elsewhere", false},
  };
  for (const Case& c : cases) {
    RunIn run;
    SaveNote(kGbkNote);
    ASSERT_EQ(FileContents(NoteFile()), kGbkNote) << c.label;
    HANDLE other = INVALID_HANDLE_VALUE;
    if (c.readOnly) {
      ASSERT_TRUE(SetFileAttributesA(NoteFile().c_str(), FILE_ATTRIBUTE_READONLY)) << c.label;
    } else {
      other = CreateFileA(NoteFile().c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
      ASSERT_NE(other, INVALID_HANDLE_VALUE) << c.label;
    }
    SaveNote("the new note");
    if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
    EXPECT_EQ(FileContents(NoteFile()), kGbkNote) << c.label << ": old note byte-identical";
    EXPECT_EQ(FolderListing(DataDir()), "preserve.txt") << c.label << ": no temporary file left";
    EXPECT_EQ(LoadNote(), kGbkNote) << c.label;
  }
}

TEST(ExportNote, AppendsTxtOnlyWhenTheNameLacksIt) {
  struct Case {
    const char* given;
    const char* written;
  };
  const Case cases[] = {
      {"x", "x.txt"},
      {"x.txt", "x.txt"},
      {"X.TXT", "X.TXT"},
      {"x.Txt", "x.Txt"},
      {"x.text", "x.text.txt"},
      {"\xB1\xCA\xBC\xC7", "\xB1\xCA\xBC\xC7.txt"},  // 笔记
  };
  for (const Case& c : cases) {
    RunIn run;
    ExportNote(run.Scratch() / c.given, kGbkNote);
    EXPECT_EQ(FolderListing(run.Scratch().Path()), c.written) << c.given;
    EXPECT_EQ(FileContents(run.Scratch() / c.written), kGbkNote) << c.given;
  }
}

TEST(ExportNote, ReplacesAnExistingFileAndResolvesBareNamesInTheCurrentFolder) {
  RunIn run;
  char previous[MAX_PATH];
  ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, previous), 0u);
  ASSERT_TRUE(SetCurrentDirectoryA(run.Scratch().Path().c_str()));
  ASSERT_TRUE(PutFile(run.Scratch() / "bare.txt", "an older and longer export"));
  ExportNote("bare", "new");
  ExportNote("", "");
  EXPECT_TRUE(SetCurrentDirectoryA(previous));
  EXPECT_EQ(FolderListing(run.Scratch().Path()), ".txt bare.txt");
  EXPECT_EQ(FileContents(run.Scratch() / "bare.txt"), "new");
  EXPECT_EQ(FileContents(run.Scratch() / ".txt"), "");
}

}  // namespace
