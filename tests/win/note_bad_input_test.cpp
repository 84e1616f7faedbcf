// The real note.exe started on files it did not write: a very large note, notes with zero
// bytes and invalid double-byte sequences, config.ini of random bytes, an endless value, in
// UTF-16 or UTF-8 with a byte-order mark, with its section repeated, and a plain file where the
// Data folder belongs. Each case runs in a fresh scratch folder; the program must start, show
// what it can, keep running, and never damage the note already saved.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "storage/paths.h"
#include "storage/settings.h"
#include "storage/text.h"
#include "tests/support/gui.h"
#include "tests/support/note_driving.h"
#include "tests/support/scratch.h"

namespace {

// Two GBK lines with CRLF breaks.
const std::string kSavedNote =
    "\xB1\xA3\xB4\xE6\xB5\xC4\xB1\xE3\xCC\xF5\r\n"  // 保存的便条
    "saved before the start\r\n";

const std::string kScrollSection = "[\xB9\xF6\xB6\xAF\xCC\xF5]\r\n";  // [滚动条]
const std::string kYesKey = "\xCA\xC7=";                               // 是=


// Bytes from a fixed seed, every value 0 to 255 among them.
std::string RandomBytes(size_t size, uint32_t seed) {
  std::string bytes(size, '\0');
  for (char& byte : bytes) {
    seed = seed * 1664525u + 1013904223u;
    byte = static_cast<char>(seed >> 24);
  }
  return bytes;
}

std::string Printable(const std::string& bytes) {
  std::string shown;
  for (unsigned char byte : bytes) {
    if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
      shown += static_cast<char>(byte);
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      shown += escape;
    }
  }
  return shown;
}

std::string Utf16WithBom(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>((unit >> 8) & 0xFF);
  }
  return bytes;
}

// ---------------------------------------------------------------------------------------------
// preserve.txt

TEST(NoteBadInput, TenMebibyteNoteIsShownWholeAndSavedBackByteForByte) {
  ScratchFolder folder;
  StartedNotes started;
  std::string note;
  for (unsigned line = 0; note.size() < (10u << 20); ++line) {
    note += "line " + std::to_string(line) + " of a very long note, ASCII only\r\n";
  }
  ASSERT_TRUE(CreateDirectoryA((folder / "Data").c_str(), nullptr));
  ASSERT_TRUE(PutFile(folder / "Data\\preserve.txt", note));

  // Without config.ini the box wraps its lines, which Wine's edit control does slowly.
  const DWORD began = GetTickCount();
  RunningNote& running = started.Start(folder.Path(), 240000);
  const DWORD shownAfter = GetTickCount() - began;
  ASSERT_SHOWN(running);
  std::printf("[ info ] the window with the %zu-byte note showed after %lu ms\n", note.size(), shownAfter);
  HWND box = NoteBoxOf(running.window);
  EXPECT_EQ(ScrollBarsOf(box), 0);
  EXPECT_EQ(SendMessageA(box, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(note.size()));
  EXPECT_TRUE(FileContents(folder / "Data\\preserve.txt") == note) << "starting changed the note";

  // The box's whole text is too large for one message between processes under Wine; the
  // program's own save reads it and writes it back.
  ASSERT_TRUE(SendAndWait(running.window, WM_COMMAND, kSaveCommand, 0, 120000)) << "the save did not come back";
  EXPECT_TRUE(FileContents(folder / "Data\\preserve.txt") == note) << "the saved note differs";
  EXPECT_EQ(FolderListing(folder / "Data"), "preserve.txt");
  ExpectStillRunning(running);
  CloseNormally(running);
}

TEST(NoteBadInput, NotesWithZeroBytesAndInvalidDoubleByteSequencesAreShownAndSavedAsTheBoxHoldsThem) {
  struct Case {
    const char* name;
    std::string bytes;                 // preserve.txt at start
    std::optional<std::string> shown;  // what the box holds, where it is known beforehand
  };
  // Wine's code page 936 conversion shows an incomplete double-byte character as '?'.
  const std::string binaryTail = RandomBytes(4096, 7);
  const Case cases[] = {
      {"binary bytes after a zero", std::string("ctl\x01\x02\x1F\x7F\tGBK \xC4\xE3\r\n", 16) + '\0' + binaryTail,
       std::string("ctl\x01\x02\x1F\x7F\tGBK \xC4\xE3\r\n", 16)},
      {"a zero first", std::string(1, '\0') + "after the zero", ""},
      {"random bytes", RandomBytes(4096, 11), std::nullopt},
      {"a lead byte at the end", "text\r\n\xC4", "text\r\n?"},
      {"lead bytes before line breaks", "a\xC4\r\nb\xB1\r\n\xFE\r\n", std::nullopt},
      {"lead bytes before control bytes", "x\xC4\x01y\xB1\tz\x81\x1F", std::nullopt},
      {"lead bytes before digits", "\x81" "0\xC4" "9 end", std::nullopt},
      {"a lead byte before a zero", std::string("ok\xC4", 3) + '\0' + "rest", "ok?"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    StartedNotes started;
    const Text noteFile = folder / "Data\\preserve.txt";
    ASSERT_TRUE(CreateDirectoryA((folder / "Data").c_str(), nullptr));
    ASSERT_TRUE(PutFile(noteFile, c.bytes));
    RunningNote& note = started.Start(folder.Path());
    ASSERT_SHOWN(note);
    HWND box = NoteBoxOf(note.window);
    const std::string shown = WindowTextOf(box);
    const std::string beforeZero = c.bytes.substr(0, c.bytes.find('\0'));
    if (c.shown) {
      EXPECT_EQ(Printable(shown), Printable(*c.shown));
    } else {
      EXPECT_LE(shown.size(), beforeZero.size()) << "the box holds more than the bytes before the first zero";
    }
    std::printf("[ info ] %s: %zu bytes before the first zero, the box holds %zu: %s\n", c.name, beforeZero.size(),
                shown.size(), shown == beforeZero ? "the same bytes" : Printable(shown).substr(0, 120).c_str());
    EXPECT_EQ(FileContents(noteFile), c.bytes) << "starting changed the note";

    ASSERT_TRUE(SendAndWait(note.window, WM_COMMAND, kSaveCommand)) << "the save did not come back";
    EXPECT_EQ(Printable(FileContents(noteFile)), Printable(shown)) << "the save wrote other bytes than the box holds";
    EXPECT_EQ(FolderListing(folder / "Data"), "preserve.txt");
    ExpectStillRunning(note);
    CloseNormally(note);
  }
}

TEST(NoteBadInput, PlainFileNamedDataShowsAnEmptyBoxAndSaveWritesNothing) {
  ScratchFolder folder;
  StartedNotes started;
  const std::string dataFile = "a file where the Data folder belongs\r\n";
  ASSERT_TRUE(PutFile(folder / "Data", dataFile));
  RunningNote& note = started.Start(folder.Path());
  ASSERT_SHOWN(note);
  HWND box = NoteBoxOf(note.window);
  EXPECT_EQ(WindowTextOf(box), "");
  for (const std::string& text : {std::string(""), kSavedNote}) {
    ASSERT_TRUE(SetTextOf(box, text));
    ASSERT_TRUE(SendAndWait(note.window, WM_COMMAND, kSaveCommand)) << "the save did not come back";
    EXPECT_EQ(FileContents(folder / "Data"), dataFile);
    EXPECT_EQ(FolderListing(folder.Path()), "Data note.exe");
    ExpectStillRunning(note);
    EXPECT_EQ(WindowTextOf(box), text) << "the box keeps what was typed";
  }
  CloseNormally(note);
  EXPECT_EQ(FileContents(folder / "Data"), dataFile);
}

// ---------------------------------------------------------------------------------------------
// config.ini

TEST(NoteBadInput, OddConfigIniStartsWithTheScrollSettingTheProfileReaderGives) {
  struct Case {
    const char* name;
    std::string settings;                 // config.ini's bytes
    std::optional<std::string> longValue;  // a value too long to read whole: its first 10239
                                           // bytes decide
  };
  const std::string nines = "2" + std::string(19999, '9');
  const std::string negative = "-" + std::string(19999, '9');
  const std::string zerosThenTwo = std::string(19999, '0') + "2";
  const std::string threeThenZeros = "3" + std::string(19999, '0');
  const std::wstring unicodeEntry = L"[\u6EDA\u52A8\u6761]\r\n\u662F=2\r\n";  // [滚动条] 是=2
  const Case cases[] = {
      {"random bytes", RandomBytes(4096, 3), std::nullopt},
      {"random bytes under the section", kScrollSection + RandomBytes(2048, 5), std::nullopt},
      {"20,000 bytes: 2 and 9s", kScrollSection + kYesKey + nines + "\r\n", nines},
      {"20,000 bytes: minus and 9s", kScrollSection + kYesKey + negative + "\r\n", negative},
      {"20,000 bytes: 0s and a final 2", kScrollSection + kYesKey + zerosThenTwo + "\r\n", zerosThenTwo},
      {"20,000 bytes: 3 and 0s", kScrollSection + kYesKey + threeThenZeros + "\r\n", threeThenZeros},
      {"UTF-16 with a byte-order mark", Utf16WithBom(unicodeEntry), std::nullopt},
      {"UTF-8 with a byte-order mark",
       "\xEF\xBB\xBF[\xE6\xBB\x9A\xE5\x8A\xA8\xE6\x9D\xA1]\r\n\xE6\x98\xAF=2\r\n",  // [滚动条] 是=2
       std::nullopt},
      {"the section twice, 1 then 2", kScrollSection + kYesKey + "1\r\n" + kScrollSection + kYesKey + "2\r\n",
       std::nullopt},
      {"the section twice, 2 then 1", kScrollSection + kYesKey + "2\r\n" + kScrollSection + kYesKey + "1\r\n",
       std::nullopt},
      {"the key twice, 3 then 2", kScrollSection + kYesKey + "3\r\n" + kYesKey + "2\r\n", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    StartedNotes started;
    const Text noteFile = folder / "Data\\preserve.txt";
    ASSERT_TRUE(PutFile(folder / "config.ini", c.settings));
    ASSERT_TRUE(CreateDirectoryA((folder / "Data").c_str(), nullptr));
    ASSERT_TRUE(PutFile(noteFile, kSavedNote));

    // What the program's own reading gives on this file, here in the test's process.
    SetRunDirectory(folder.Path());
    const int32_t stored = ReadScrollSetting();
    if (c.longValue) {
      EXPECT_EQ(stored, TextToInt(c.longValue->substr(0, 10239))) << "the first 10239 bytes decide";
    }
    std::printf("[ info ] %s: the profile reader gives %d\n", c.name, stored);

    RunningNote& note = started.Start(folder.Path());
    ASSERT_SHOWN(note);
    HWND box = NoteBoxOf(note.window);
    EXPECT_EQ(ScrollBarsOf(box), ClampedScrollSetting(stored)) << std::hex << StyleOf(box);
    EXPECT_EQ(WindowTextOf(box), kSavedNote);
    ASSERT_TRUE(SendAndWait(note.window, WM_COMMAND, kSaveCommand)) << "the save did not come back";
    EXPECT_EQ(FileContents(noteFile), kSavedNote);
    ExpectStillRunning(note);
    CloseNormally(note);
    EXPECT_EQ(FileContents(folder / "config.ini"), c.settings) << "config.ini changed";
    EXPECT_EQ(FolderListing(folder / "Data"), "preserve.txt");
  }
}

}  // namespace
