// The folder holding the executable, found by walking its path character by character.
#include <gtest/gtest.h>

#include "storage/note.h"
#include "storage/paths.h"

namespace {

struct DirectoryCase {
  const char* label;
  std::string path;
  bool doubleByte;
  std::string expected;
};

TEST(DirectoryOfPath, FindsTheLastRealSeparator) {
  const DirectoryCase cases[] = {
      {"ordinary folder", "C:\\Program Files\\Note\\note.exe", true, "C:\\Program Files\\Note"},
      {"drive root", "C:\\note.exe", true, "C:"},
      {"no backslash at all", "note.exe", true, ""},
      {"empty path", "", true, ""},
      // 表 is 0xB1 0xED, 十 is 0xCA 0xAE; 表 in some names ends in 0x5C: 0x95 0x5C is a GBK pair.
      {"trail byte 0x5C in the file name", "D:\\notes\\\x95\\.exe", true, "D:\\notes"},
      {"trail byte 0x5C in a folder name", "D:\\a\x95\\b\\note.exe", true, "D:\\a\x95\\b"},
      {"trail byte 0x5C at the end of a folder", "D:\\\x95\\\\note.exe", true, "D:\\\x95\\"},
      {"single-byte code page takes every 0x5C", "D:\\notes\\\x95\\.exe", false, "D:\\notes\\\x95"},
      {"lone lead byte at the end", "D:\\x\\\x95", true, "D:\\x"},
  };
  for (const DirectoryCase& c : cases) {
    EXPECT_EQ(DirectoryOfPath(c.path, c.doubleByte ? IsCodePage936LeadByte : nullptr), c.expected)
        << c.label;
  }
}

TEST(Paths, AreBuiltOnTheRunDirectory) {
  SetRunDirectory("C:");
  EXPECT_EQ(DataDir(), "C:\\Data");
  EXPECT_EQ(NoteFile(), "C:\\Data\\preserve.txt");
  EXPECT_EQ(SettingsFile(), "C:\\config.ini");
  SetRunDirectory("Z:\\tmp\\run");
  EXPECT_EQ(NoteFile(), "Z:\\tmp\\run\\Data\\preserve.txt");
}

TEST(ExportTarget, AppendsTxtOnlyWhenTheNameLacksIt) {
  EXPECT_EQ(ExportTarget("C:\\a"), "C:\\a.txt");
  EXPECT_EQ(ExportTarget("C:\\a.txt"), "C:\\a.txt");
  EXPECT_EQ(ExportTarget("C:\\a.TxT"), "C:\\a.TxT");
  EXPECT_EQ(ExportTarget("C:\\a.text"), "C:\\a.text.txt");
  EXPECT_EQ(ExportTarget("txt"), "txt.txt");
  EXPECT_EQ(ExportTarget(""), ".txt");
}

}  // namespace
