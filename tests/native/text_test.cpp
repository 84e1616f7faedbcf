// Conversions between Text, Bytes and integers.
#include <gtest/gtest.h>

#include "storage/text.h"

namespace {

struct IntCase {
  const char* label;
  std::string text;
  int32_t expected;
};

TEST(TextToInt, ReadsTheFirstNumberTheForgivingWay) {
  const IntCase cases[] = {
      {"plain two", "2", 2},
      {"zero", "0", 0},
      {"empty", "", 0},
      {"leading space", " 2", 2},
      {"leading tab and newline", "\t\n 42", 42},
      {"negative", "-7", -7},
      {"plus sign", "+15", 15},
      {"trailing letters ignored", "12abc", 12},
      {"letters only", "abc", 0},
      {"sign without digits", "-", 0},
      {"two signs", "--3", 0},
      {"full-width two", "\xA3\xB2", 2},
      {"full-width minus and digits", "\xA3\xAD\xA3\xB3\xA3\xB4", -34},
      {"ideographic space before digit", "\xA1\xA1" "5", 5},
      {"lone lead byte at the end", "7\xB9", 7},
      {"lone lead byte only", "\xB9", 0},
      {"double-byte letter stops the digits", "3\xCA\xC7" "4", 3},
      {"2^32 + 2 wraps to 2", "4294967298", 2},
      {"2^31 wraps to -2^31", "2147483648", INT32_MIN},
      {"largest int", "2147483647", INT32_MAX},
      {"space inside digits stops", "1 2", 1},
  };
  for (const IntCase& c : cases) {
    EXPECT_EQ(TextToInt(c.text), c.expected) << c.label;
  }
}

TEST(BytesToText, StopsAtTheFirstZeroByte) {
  EXPECT_EQ(BytesToText(Bytes{'A', 0, 'B'}), "A");
  EXPECT_EQ(BytesToText(Bytes{0, 'B'}), "");
  EXPECT_EQ(BytesToText(Bytes{}), "");
  EXPECT_EQ(BytesToText(Bytes{'a', '\r', '\n', 0xCA, 0xC7}), "a\r\n\xCA\xC7");
}

TEST(TextToBytes, KeepsEveryByteWithoutTheTerminator) {
  EXPECT_EQ(TextToBytes("a\r\nb"), (Bytes{'a', '\r', '\n', 'b'}));
  EXPECT_TRUE(TextToBytes("").empty());
}

TEST(JoinTexts, JoinsInArgumentOrder) {
  EXPECT_EQ(JoinTexts({"C:", "\\Data"}), "C:\\Data");
  EXPECT_EQ(JoinTexts({"", ""}), "");
  EXPECT_EQ(JoinTexts({"", "x"}), "x");
}

}  // namespace
