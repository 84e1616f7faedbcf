// The settings file config.ini through the system's profile functions under Wine with code page
// 936. Every case runs in a scratch folder of its own as the run directory, so no case sees a
// file another case wrote.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "storage/files.h"
#include "storage/paths.h"
#include "storage/settings.h"
#include "tests/support/scratch.h"

namespace {

// The file contents the profile functions leave, GBK bytes and CRLF lines.
const std::string kAfterYes =
    "[\xB9\xF6\xB6\xAF\xCC\xF5]\r\n"    // [滚动条]
    "\xCA\xC7=2\r\n"                    // 是=2
    "[\xB9\xF6\xB6\xAF\xCC\xF5" "2]\r\n"  // [滚动条2]
    "\xB7\xF1=\r\n";                    // 否=
const std::string kAfterNo =
    "[\xB9\xF6\xB6\xAF\xCC\xF5" "2]\r\n"  // [滚动条2]
    "\xB7\xF1=0\r\n"                    // 否=0
    "[\xB9\xF6\xB6\xAF\xCC\xF5]\r\n"    // [滚动条]
    "\xCA\xC7=\r\n";                    // 是=
const std::string kAfterYesThenNo =   // each key replaced where it stands
    "[\xB9\xF6\xB6\xAF\xCC\xF5]\r\n"    // [滚动条]
    "\xCA\xC7=\r\n"                     // 是=
    "[\xB9\xF6\xB6\xAF\xCC\xF5" "2]\r\n"  // [滚动条2]
    "\xB7\xF1=0\r\n";                   // 否=0
const std::string kAfterNoThenYes =
    "[\xB9\xF6\xB6\xAF\xCC\xF5" "2]\r\n"  // [滚动条2]
    "\xB7\xF1=\r\n"                     // 否=
    "[\xB9\xF6\xB6\xAF\xCC\xF5]\r\n"    // [滚动条]
    "\xCA\xC7=2\r\n";                   // 是=2

TEST(ReadScrollSetting, IsZeroWithoutTheFileAndCreatesNothing) {
  RunIn run;
  EXPECT_EQ(ReadScrollSetting(), 0);
  EXPECT_FALSE(PathExists(SettingsFile()));
  EXPECT_EQ(FolderListing(run.Scratch().Path()), "");
}

TEST(WriteScrollChoice, LeavesExactlyTheseBytes) {
  struct Case {
    const char* label;
    std::initializer_list<bool> choices;  // in the order the user confirmed them
    const std::string& bytes;
    int32_t read;
  };
  const Case cases[] = {
      {"yes", {true}, kAfterYes, 2},
      {"no", {false}, kAfterNo, 0},
      {"yes, no, yes: no entry doubled", {true, false, true}, kAfterYes, 2},
      {"no, yes", {false, true}, kAfterNoThenYes, 2},
      {"yes, no", {true, false}, kAfterYesThenNo, 0},
      {"yes, yes", {true, true}, kAfterYes, 2},
  };
  for (const Case& c : cases) {
    RunIn run;
    for (bool yes : c.choices) WriteScrollChoice(yes);
    EXPECT_EQ(FileContents(SettingsFile()), c.bytes) << c.label;
    EXPECT_EQ(ReadScrollSetting(), c.read) << c.label;
    EXPECT_EQ(FolderListing(run.Scratch().Path()), "config.ini") << c.label;
  }
}

TEST(ReadScrollSetting, ReadsHandEditedValuesTheForgivingWay) {
  struct Case {
    const char* label;
    std::string file;
    int32_t expected;
  };
  const std::string section = "[\xB9\xF6\xB6\xAF\xCC\xF5]\r\n";  // [滚动条]
  const std::string key = "\xCA\xC7=";                          // 是=
  const Case cases[] = {
      {"leading space", section + key + " 2\r\n", 2},
      {"letters", section + key + "abc\r\n", 0},
      {"full-width two", section + key + "\xA3\xB2\r\n", 2},
      {"three", section + key + "3\r\n", 3},
      {"negative", section + key + "-5\r\n", -5},
      {"trailing letters ignored", section + key + "2abc\r\n", 2},
      {"ideographic space before the digit", section + key + "\xA1\xA1" "2\r\n", 2},
      {"empty value", section + key + "\r\n", 0},
      {"LF line ends", "[\xB9\xF6\xB6\xAF\xCC\xF5]\n\xCA\xC7=2\n", 2},
      {"only the other section", "[\xB9\xF6\xB6\xAF\xCC\xF5" "2]\r\n" + key + "2\r\n", 0},
      {"the key in the section after", section + "x=1\r\n[other]\r\n" + key + "2\r\n", 0},
      {"another key only", section + "\xB7\xF1=2\r\n", 0},  // 否=2
  };
  for (const Case& c : cases) {
    RunIn run;
    ASSERT_TRUE(PutFile(SettingsFile(), c.file)) << c.label;
    EXPECT_EQ(ReadScrollSetting(), c.expected) << c.label;
    EXPECT_EQ(FileContents(SettingsFile()), c.file) << c.label << ": reading changes nothing";
  }
}

TEST(ReadProfileEntry, CutsALongValueTo10239Bytes) {
  RunIn run;
  std::string value;
  for (int i = 0; i < 20000; ++i) value.push_back(static_cast<char>('a' + i % 26));
  ASSERT_TRUE(PutFile(SettingsFile(), "[s]\r\nk=" + value + "\r\n"));
  const Text read = ReadProfileEntry(SettingsFile(), "s", "k");
  EXPECT_EQ(read.size(), 10239u);
  EXPECT_EQ(read, value.substr(0, 10239));
}

TEST(ReadProfileEntry, GivesTheDefaultOnlyWhenItReadsTheFile) {
  RunIn run;
  const Text file = SettingsFile();
  // The section made of spaces is there, so reading it would find "v".
  ASSERT_TRUE(PutFile(file, "[   ]\r\nk=v\r\n[s]\r\nk=value\r\n   =w\r\n"));
  struct Case {
    const char* label;
    Text fileName;
    Text section;
    Text key;
    Text defaultValue;
    Text expected;
  };
  const Case cases[] = {
      {"the entry", file, "s", "k", "dflt", "value"},
      {"leading spaces and control bytes skipped", "\x01 " + file, "\t\x01 s", " \x1F" "k", "",
       "value"},
      {"missing key gives the default", file, "s", "missing", "dflt", "dflt"},
      {"missing key, default omitted", file, "s", "missing", "", ""},
      {"missing section gives the default", file, "missing", "k", "dflt", "dflt"},
      {"missing file gives the default", run.Scratch() / "missing.ini", "s", "k", "dflt", "dflt"},
      {"section of spaces: nothing read, not even the default", file, "   ", "k", "dflt", ""},
      {"section of control bytes only", file, "\x01\x02\x20", "k", "dflt", ""},
      {"empty section", file, "", "k", "dflt", ""},
      {"key of spaces", file, "s", "   ", "dflt", ""},
      {"file name of spaces", "   ", "s", "k", "dflt", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadProfileEntry(c.fileName, c.section, c.key, c.defaultValue), c.expected)
        << c.label;
  }
  EXPECT_EQ(FolderListing(run.Scratch().Path()), "config.ini") << "reading creates no file";
}

TEST(WriteProfileEntry, OmittedValueRemovesTheKeyAndOmittedKeyTheSection) {
  RunIn run;
  const Text file = SettingsFile();
  EXPECT_TRUE(WriteProfileEntry(file, "a", Text("k1"), Text("1")));
  EXPECT_TRUE(WriteProfileEntry(file, "a", Text("k2"), Text("")));
  EXPECT_TRUE(WriteProfileEntry(file, "b", Text("k"), Text("x")));
  EXPECT_EQ(FileContents(file), "[a]\r\nk1=1\r\nk2=\r\n[b]\r\nk=x\r\n");
  EXPECT_TRUE(WriteProfileEntry(file, "a", Text("k1"), std::nullopt));
  EXPECT_EQ(FileContents(file), "[a]\r\nk2=\r\n[b]\r\nk=x\r\n");
  EXPECT_TRUE(WriteProfileEntry(file, "a", std::nullopt, std::nullopt));
  EXPECT_EQ(FileContents(file), "[b]\r\nk=x\r\n");
}

}  // namespace

namespace {

TEST(WriteScrollChoice, LeavesAReadOnlyFileAlone) {
  // Wine running as root would write a read-only file; Windows refuses, and so does the program.
  RunIn run;
  WriteScrollChoice(true);
  ASSERT_TRUE(SetFileAttributesA(SettingsFile().c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(WriteProfileEntry(SettingsFile(), kScrollSection, Text(kScrollKeyYes), Text("0")));
  WriteScrollChoice(false);
  EXPECT_EQ(FileContents(SettingsFile()), kAfterYes);
  EXPECT_EQ(ReadScrollSetting(), 2);
  SetFileAttributesA(SettingsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
