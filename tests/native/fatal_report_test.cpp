// The text of the fatal report, byte for byte. The expected texts are spelled out here from
// their own escapes, not taken from the program's constants.
#include <gtest/gtest.h>

#include <string>

#include "app/fatal_report.h"

namespace {

const std::string kHead = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n";     // 运行时出错!
const std::string kMessageLead = "\r\n\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";  // 错误信息：
const std::string kControlNotFound =  // 未找到所指定的窗口组件
    "\r\n\xCE\xB4\xD5\xD2\xB5\xBD\xCB\xF9\xD6\xB8\xB6\xA8\xB5\xC4\xB4\xB0\xBF\xDA\xD7\xE9\xBC\xFE";
const std::string kWindowNotFound =  // 未找到所指定的窗口
    "\r\n\xCE\xB4\xD5\xD2\xB5\xBD\xCB\xF9\xD6\xB8\xB6\xA8\xB5\xC4\xB4\xB0\xBF\xDA";
const std::string kNoName = "\r\n\"\"";  // both windows have empty names

struct ReportCase {
  const char* label;
  std::string message;
  uint32_t windowId;
  uint32_t controlId;
  std::string expected;
};

TEST(BuildFatalReport, WritesItsLinesInOrder) {
  const ReportCase cases[] = {
      {"empty message: no message line", "", 0, 0, kHead + "\r\n0, 0\r\n"},
      {"message present", "abc", 0, 0, kHead + kMessageLead + "abc\r\n" + "\r\n0, 0\r\n"},
      {"GBK message", "\xB7\xF1", 0, 0,  // 否
       kHead + kMessageLead + "\xB7\xF1\r\n" + "\r\n0, 0\r\n"},
      {"window id 0 with a control: no name lines", "", 0, 0x16010002,
       kHead + "\r\n0, 369164290\r\n"},
      {"main window, control 0: the window's own control", "", 0x52010001, 0,
       kHead + "\r\n1375797249, 0" + kNoName + kNoName + "\r\n"},
      {"main window, its own control id", "", 0x52010001, 0x06010000,
       kHead + "\r\n1375797249, 100728832" + kNoName + kNoName + "\r\n"},
      {"main window, the note box", "m", 0x52010001, 0x16010002,
       kHead + kMessageLead + "m\r\n" + "\r\n1375797249, 369164290" + kNoName +
           "\r\n\"\xB1\xE0\xBC\xAD\xBF\xF2" "1\"\r\n"},  // "编辑框1"
      {"main window, a menu item is not named", "", 0x52010001, 0x26010006,
       kHead + "\r\n1375797249, 637599750" + kNoName + kControlNotFound + "\r\n"},
      {"main window, an unknown control", "", 0x52010001, 0x12345678,
       kHead + "\r\n1375797249, 305419896" + kNoName + kControlNotFound + "\r\n"},
      {"main window, a control of the settings window", "", 0x52010001, 0x16010017,
       kHead + "\r\n1375797249, 369164311" + kNoName + kControlNotFound + "\r\n"},
      {"settings window, the yes radio box", "", 0x5201000D, 0x16010017,
       kHead + "\r\n1375797261, 369164311" + kNoName +
           "\r\n\"\xB5\xA5\xD1\xA1\xBF\xF2" "1\"\r\n"},  // "单选框1"
      {"settings window, its own control id", "", 0x5201000D, 0x0601000C,
       kHead + "\r\n1375797261, 100728844" + kNoName + kNoName + "\r\n"},
      {"window-form id no definition has", "", 0x520100FF, 0,
       kHead + "\r\n1375797503, 0" + kWindowNotFound + "\r\n"},
      {"window-form id with other high bits", "", 0x12010001, 0x16010002,
       kHead + "\r\n302055425, 369164290" + kWindowNotFound + "\r\n"},
      {"bare window form 0x02000000", "", 0x02000000, 0,
       kHead + "\r\n33554432, 0" + kWindowNotFound + "\r\n"},
      {"ids written signed, not a window id", "", 0x80000001, 0xFFFFFFFF,
       kHead + "\r\n-2147483647, -1\r\n"},
      {"negative window-form id", "", 0xF2010001, 0x80000000,
       kHead + "\r\n-234815487, -2147483648" + kWindowNotFound + "\r\n"},
      {"a control id where the window id belongs", "", 0x16010002, 0,
       kHead + "\r\n369164290, 0\r\n"},
  };
  for (const ReportCase& c : cases) {
    EXPECT_EQ(BuildFatalReport(c.message, c.windowId, c.controlId), c.expected) << c.label;
  }
}

TEST(AllocationFailureMessage, NamesTheBytesAskedFor) {
  struct Case {
    size_t bytes;
    std::string expected;
  };
  const std::string lead = "\xB7\xD6\xC5\xE4 ";                                  // 分配
  const std::string tail = " \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!";  // 字节内存失败!
  const Case cases[] = {
      {1000, lead + "1000" + tail},
      {0, lead + "0" + tail},
      {size_t(1) << 46, lead + "70368744177664" + tail},
      {size_t(0x80000000u), lead + "2147483648" + tail},  // not written as a negative count
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AllocationFailureMessage(c.bytes), c.expected) << c.bytes;
  }
}

TEST(BuildFatalReport, ReportsAFailedAllocationOfOneThousandBytes) {
  // Line by line: 运行时出错!, an empty line, 错误信息：分配 1000 字节内存失败!, an empty line, 0, 0.
  EXPECT_EQ(BuildFatalReport(AllocationFailureMessage(1000), 0, 0),
            "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n"
            "\r\n"
            "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA"
            "\xB7\xD6\xC5\xE4 1000 \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!\r\n"
            "\r\n"
            "0, 0\r\n");
}

}  // namespace
