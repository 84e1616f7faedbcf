// The four file operations against the real file system under Wine: existence, folder
// creation, whole-file reads and the replace-or-leave-alone whole-file write.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "storage/files.h"
#include "tests/support/scratch.h"

namespace {

std::string AsString(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Another handle on a file, held for the length of one case and closed on every way out.
class OtherHandle {
 public:
  OtherHandle(const Text& path, DWORD access, DWORD share)
      : handle_(CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~OtherHandle() {
    if (IsOpen()) CloseHandle(handle_);
  }
  OtherHandle(const OtherHandle&) = delete;
  OtherHandle& operator=(const OtherHandle&) = delete;
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

// A byte string holding every byte value, zero included, several times over.
std::string EveryByteValue(size_t repeats) {
  std::string bytes;
  for (size_t r = 0; r < repeats; ++r) {
    for (int value = 0; value < 256; ++value) bytes.push_back(static_cast<char>(value));
  }
  return bytes;
}

// ---- PathExists ------------------------------------------------------------------------------

TEST(PathExists, FindsFoldersAndFilesButNotMissingOrEmptyPaths) {
  ScratchFolder scratch;
  ASSERT_TRUE(CreateDirectoryA((scratch / "folder").c_str(), nullptr));
  ASSERT_TRUE(PutFile(scratch / "plain.txt", "x"));
  ASSERT_TRUE(PutFile(scratch / "empty.txt", ""));

  struct Case {
    const char* label;
    Text path;
    bool expected;
  };
  const Case cases[] = {
      {"the scratch folder itself, no trailing backslash", scratch.Path(), true},
      {"a folder inside it, no trailing backslash", scratch / "folder", true},
      {"a plain file", scratch / "plain.txt", true},
      {"a file of length 0", scratch / "empty.txt", true},
      {"a missing name", scratch / "missing.txt", false},
      {"a name inside a missing folder", scratch / "missing\\plain.txt", false},
      {"the empty path", "", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PathExists(c.path), c.expected) << c.label << ": " << c.path;
  }
}

// ---- CreateFolder ----------------------------------------------------------------------------

TEST(CreateFolder, IsTrueOnlyForTheCallThatCreatesIt) {
  ScratchFolder scratch;
  const Text folder = scratch / "Data";
  EXPECT_TRUE(CreateFolder(folder));
  EXPECT_TRUE(PathExists(folder));
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_FALSE(CreateFolder(folder)) << "the second call finds it there";
  EXPECT_EQ(FolderListing(scratch.Path()), "Data");
}

TEST(CreateFolder, RefusesWhatItCannotCreate) {
  ScratchFolder scratch;
  ASSERT_TRUE(PutFile(scratch / "plain", "x"));
  struct Case {
    const char* label;
    Text path;
  };
  const Case cases[] = {
      {"parent folder missing: only the last component is created", scratch / "a\\b"},
      {"a plain file already has the name", scratch / "plain"},
      {"the empty path", ""},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(CreateFolder(c.path)) << c.label;
    EXPECT_EQ(FolderListing(scratch.Path()), "plain") << c.label;
    EXPECT_EQ(FileContents(scratch / "plain"), "x") << c.label;
  }
}

// ---- ReadWholeFile ---------------------------------------------------------------------------

TEST(ReadWholeFile, GivesTheWholeFileOrNothing) {
  struct Case {
    const char* label;
    bool create;  // put `contents` into the file first
    std::string contents;
    std::string expected;
  };
  const Case cases[] = {
      {"missing file", false, "", ""},
      {"empty file", true, "", ""},
      {"zero bytes inside come back whole", true, std::string("A\0B\0\0C", 6),
       std::string("A\0B\0\0C", 6)},
      {"CRLF and GBK bytes", true, "\xCA\xC7\r\n\xB7\xF1\r\n", "\xCA\xC7\r\n\xB7\xF1\r\n"},  // 是 否
      {"every byte value, 1 MiB", true, EveryByteValue(4096), EveryByteValue(4096)},
  };
  for (const Case& c : cases) {
    ScratchFolder scratch;
    const Text path = scratch / "file.bin";
    if (c.create) {
      ASSERT_TRUE(PutFile(path, c.contents)) << c.label;
    }
    EXPECT_EQ(AsString(ReadWholeFile(path)), c.expected) << c.label;
    EXPECT_EQ(FileContents(path), c.create ? c.contents : "<missing>") << c.label << ": untouched";
  }
}

TEST(ReadWholeFile, EmptyPathAndFolderGiveNoBytes) {
  ScratchFolder scratch;
  EXPECT_TRUE(ReadWholeFile("").empty());
  EXPECT_TRUE(ReadWholeFile(scratch.Path()).empty());
}

TEST(ReadWholeFile, SharesTheFileWithReadersButNotWithWriters) {
  ScratchFolder scratch;
  const Text path = scratch / "held.txt";
  ASSERT_TRUE(PutFile(path, "held bytes"));
  {
    // The other handle itself would allow anything; the refusal comes from our open denying
    // writers while the file is open for writing elsewhere.
    OtherHandle writer(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    ASSERT_TRUE(writer.IsOpen());
    EXPECT_TRUE(ReadWholeFile(path).empty()) << "held open for writing by another handle";
  }
  {
    OtherHandle reader(path, GENERIC_READ, FILE_SHARE_READ);
    ASSERT_TRUE(reader.IsOpen());
    EXPECT_EQ(AsString(ReadWholeFile(path)), "held bytes") << "held open for reading only";
  }
  EXPECT_EQ(AsString(ReadWholeFile(path)), "held bytes") << "after the other handles closed";
}

// ---- WriteWholeFile --------------------------------------------------------------------------

TEST(WriteWholeFile, WritesExactlyTheGivenBytes) {
  const Bytes hello = TextToBytes("hello");
  const Bytes crlf = TextToBytes("\r\n");
  const Bytes gbk = TextToBytes("\xB9\xF6\xB6\xAF\xCC\xF5");  // 滚动条
  const Bytes zeros = TextToBytes(std::string_view("\0x\0", 3));
  const Bytes nothing;
  const Bytes every = TextToBytes(EveryByteValue(64));
  struct Case {
    const char* label;
    const char* existing;  // the file's contents before the write, nullptr for no file
    std::initializer_list<const Bytes*> data;
    std::string expected;
  };
  const Case cases[] = {
      {"creates a new file", nullptr, {&hello}, "hello"},
      {"replaces a longer file whole, no tail left", "0123456789abcdefghij", {&hello}, "hello"},
      {"replaces a shorter file", "x", {&every}, EveryByteValue(64)},
      {"the pieces one after the other", nullptr, {&hello, &crlf, &gbk, &zeros},
       std::string("hello\r\n\xB9\xF6\xB6\xAF\xCC\xF5\0x\0", 16)},
      {"an empty piece writes nothing", "old", {&nothing, &hello, &nothing}, "hello"},
      {"only an empty piece: length 0", "old contents", {&nothing}, ""},
      {"no pieces at all: length 0", nullptr, {}, ""},
  };
  for (const Case& c : cases) {
    ScratchFolder scratch;
    const Text path = scratch / "target.txt";
    if (c.existing != nullptr) {
      ASSERT_TRUE(PutFile(path, c.existing)) << c.label;
    }
    EXPECT_TRUE(WriteWholeFile(path, c.data)) << c.label;
    EXPECT_EQ(FileContents(path), c.expected) << c.label;
    EXPECT_EQ(FolderListing(scratch.Path()), "target.txt") << c.label << ": no temporary file left";
  }
}

// How a refused write is set up: the file is already there with "old bytes"; then, according to
// the case, it is made read-only or held open by another handle.
enum class Obstacle { None, ReadOnly, HeldShareRead, HeldShareReadWrite, HeldForReading };

TEST(WriteWholeFile, RefusesAndLeavesTheTargetByteIdentical) {
  struct Case {
    const char* label;
    Obstacle obstacle;
  };
  // Wine running as root would let a read-only file be replaced; the refusal comes from
  // WriteWholeFile honouring FILE_ATTRIBUTE_READONLY itself, as Windows does.
  const Case cases[] = {
      {"read-only attribute set", Obstacle::ReadOnly},
      {"held open for writing, shared for reading only", Obstacle::HeldShareRead},
      {"held open for writing, shared for reading and writing", Obstacle::HeldShareReadWrite},
      {"held open for reading, shared for reading only", Obstacle::HeldForReading},
  };
  const std::string old = std::string("old bytes\r\n\xB7\xF1\0tail", 18);
  const Bytes replacement = TextToBytes("new");
  for (const Case& c : cases) {
    ScratchFolder scratch;
    const Text path = scratch / "target.txt";
    ASSERT_TRUE(PutFile(path, old)) << c.label;
    DWORD access = 0;
    DWORD share = 0;
    switch (c.obstacle) {
      case Obstacle::HeldShareRead: access = GENERIC_WRITE; share = FILE_SHARE_READ; break;
      case Obstacle::HeldShareReadWrite:
        access = GENERIC_WRITE;
        share = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
      case Obstacle::HeldForReading: access = GENERIC_READ; share = FILE_SHARE_READ; break;
      case Obstacle::ReadOnly:
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY)) << c.label;
        break;
      case Obstacle::None: break;
    }
    {
      const bool hold = access != 0;
      OtherHandle other(hold ? path : Text(), access, share);
      ASSERT_EQ(other.IsOpen(), hold) << c.label;
      EXPECT_FALSE(WriteWholeFile(path, {&replacement})) << c.label;
    }
    EXPECT_EQ(FileContents(path), old) << c.label << ": bytes unchanged";
    EXPECT_EQ(FolderListing(scratch.Path()), "target.txt") << c.label << ": no temporary file left";
    if (c.obstacle == Obstacle::ReadOnly) {
      EXPECT_NE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY, 0u) << c.label;
    }
  }
}

TEST(WriteWholeFile, RefusesPathsWithNowhereToWrite) {
  const Bytes bytes = TextToBytes("new");
  struct Case {
    const char* label;
    const char* name;  // inside the scratch folder; "" for the empty path itself
    const char* listingAfter;
  };
  const Case cases[] = {
      {"the empty path", "", ""},
      {"a missing folder", "missing\\target.txt", ""},
      {"a folder of that name", "folder", "folder"},
  };
  for (const Case& c : cases) {
    ScratchFolder scratch;
    if (std::string_view(c.listingAfter) == "folder") {
      ASSERT_TRUE(CreateDirectoryA((scratch / "folder").c_str(), nullptr));
    }
    // The scratch folder is the current folder, so that a temporary file made from the empty
    // path would show up in its listing.
    char previous[MAX_PATH];
    ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, previous), 0u);
    ASSERT_TRUE(SetCurrentDirectoryA(scratch.Path().c_str()));
    const Text path = *c.name != '\0' ? scratch / c.name : Text();
    EXPECT_FALSE(WriteWholeFile(path, {&bytes})) << c.label;
    EXPECT_EQ(FolderListing(scratch.Path()), c.listingAfter) << c.label << ": nothing created";
    EXPECT_TRUE(SetCurrentDirectoryA(previous));
  }
}

}  // namespace

namespace {

TEST(WriteWholeFile, ClearsAwayTemporariesAKilledSaveLeftButNotOneInUse) {
  ScratchFolder scratch;
  const Text target = scratch / "note.txt";
  ASSERT_TRUE(PutFile(scratch / "note.txt.1a2b-1.tmp", "half a note"));
  ASSERT_TRUE(PutFile(scratch / "note.txt.1a2b-2.tmp", ""));
  ASSERT_TRUE(PutFile(scratch / "other.txt.1a2b-1.tmp", "another file's"));
  // A save in progress elsewhere holds its temporary open without sharing.
  const Text inUse = scratch / "note.txt.77-1.tmp";
  HANDLE held = CreateFileA(inUse.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const Bytes bytes = TextToBytes("new");
  EXPECT_TRUE(WriteWholeFile(target, {&bytes}));
  CloseHandle(held);
  EXPECT_EQ(FileContents(target), "new");
  EXPECT_EQ(FolderListing(scratch.Path()), "note.txt note.txt.77-1.tmp other.txt.1a2b-1.tmp");
}

}  // namespace
