// Every GBK text the program holds as byte escapes, checked against its UTF-8 original converted
// here with the C library's iconv: a wrong or mistyped escape shows up as a mismatch.
#include <gtest/gtest.h>
#include <iconv.h>

#include <string>
#include <vector>

#include "app/fatal_messages.h"
#include "app/fatal_report.h"
#include "storage/settings.h"
#include "ui/definitions.h"

namespace {

// The UTF-8 text in GBK bytes; "<no conversion>" when iconv refuses it.
std::string Utf8ToGbk(const std::string& utf8) {
  const iconv_t converter = iconv_open("GBK", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return "<no converter>";
  std::string in = utf8;
  std::string out(in.size() * 2 + 1, '\0');
  char* inPointer = in.data();
  size_t inLeft = in.size();
  char* outPointer = out.data();
  size_t outLeft = out.size();
  const size_t result = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
  iconv_close(converter);
  if (result == static_cast<size_t>(-1) || inLeft != 0) return "<no conversion>";
  out.resize(out.size() - outLeft);
  return out;
}

bool HasDoubleByte(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

struct TextCase {
  std::string constant;
  const char* utf8;
};

TEST(GbkTexts, ConverterWorks) {
  EXPECT_EQ(Utf8ToGbk("\xE8\xAE\xBE\xE7\xBD\xAE"), "\xC9\xE8\xD6\xC3");  // 设置, spelled both ways
  EXPECT_EQ(Utf8ToGbk("abc\r\n"), "abc\r\n");
}

TEST(GbkTexts, SettingsFileNamesAndFatalReportTextsMatchTheirOriginals) {
  const TextCase cases[] = {
      {kScrollSection, "滚动条"},
      {kScrollSectionNo, "滚动条2"},
      {kScrollKeyYes, "是"},
      {kScrollKeyNo, "否"},
      {kFatalTitle, "错误"},
      {kMsgAllocationFailed, "分配 %d 字节内存失败!"},
      {kMsgDefinitionsUnreadable, "载入窗口模板数据段出错!"},
      {kMsgFirstWindowFailed, "载入启动窗口失败"},
      {kMsgEventWindowUnknown, "未找到引发事件的窗口"},
      {kMsgEventControlUnknown, "未找到引发事件的窗口组件"},
      {kMsgEventControlInvalid, "引发事件的窗口组件无效"},
      {kMsgWindowNotLoaded, "未载入欲访问窗口组件所在的窗口"},
      {kMsgReadControlMissing, "读取组件属性时发现指定窗口尚未载入"},
      {kMsgWriteControlMissing, "修改组件属性时发现指定窗口尚未载入"},
      {kMsgTargetMissing, "指定窗口或窗口组件不存在或尚未载入"},
      // The report's own lines, reached through whole reports.
      {AllocationFailureMessage(1000), "分配 1000 字节内存失败!"},
      {BuildFatalReport("x", 0, 0), "运行时出错!\r\n\r\n错误信息：x\r\n\r\n0, 0\r\n"},
      {BuildFatalReport("", 0x520100FF, 0), "运行时出错!\r\n\r\n1375797503, 0\r\n未找到所指定的窗口\r\n"},
      {BuildFatalReport("", 0x52010001, 0x26010006),
       "运行时出错!\r\n\r\n1375797249, 637599750\r\n\"\"\r\n未找到所指定的窗口组件\r\n"},
      {BuildFatalReport("", 0x52010001, 0x16010002),
       "运行时出错!\r\n\r\n1375797249, 369164290\r\n\"\"\r\n\"编辑框1\"\r\n"},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(c.constant, Utf8ToGbk(c.utf8)) << c.utf8;
  }
}

// A text of the window definitions: a name (property -1) or a text property of a window
// (control id 0) or of one of its controls.
struct DefinitionText {
  uint32_t windowId;
  uint32_t controlId;
  int32_t property;
  const char* utf8;
};
constexpr int32_t kName = -1;

const DefinitionText kDefinitionTexts[] = {
    {0x52010001, 0, kName, ""},
    {0x52010001, 0, prop::kWindowTitle, ""},
    {0x52010001, 0x16010031, kName, "通用对话框1"},
    {0x52010001, 0x16010031, prop::kDialogFilter, "Txt文本|*.txt"},
    {0x52010001, 0x16010002, kName, "编辑框1"},
    {0x52010001, 0x26010005, kName, "程序"},
    {0x52010001, 0x26010005, prop::kMenuCaption, "程序"},
    {0x52010001, 0x26010006, kName, "关于"},
    {0x52010001, 0x26010006, prop::kMenuCaption, "关于"},
    {0x52010001, 0x2601000A, kName, "设置"},
    {0x52010001, 0x2601000A, prop::kMenuCaption, "设置"},
    {0x52010001, 0x26010007, kName, "退出"},
    {0x52010001, 0x26010007, prop::kMenuCaption, "退出"},
    {0x52010001, 0x2601002C, kName, "文本"},
    {0x52010001, 0x2601002C, prop::kMenuCaption, "文本"},
    {0x52010001, 0x2601002D, kName, "保存"},
    {0x52010001, 0x2601002D, prop::kMenuCaption, "保存"},
    {0x52010001, 0x2601002E, kName, "另存为"},
    {0x52010001, 0x2601002E, prop::kMenuCaption, "另存为"},
    {0x5201000D, 0, kName, ""},
    {0x5201000D, 0, prop::kWindowTitle, "设置"},
    {0x5201000D, 0x16010019, kName, "按钮2"},
    {0x5201000D, 0x16010019, prop::kButtonCaption, "确定"},
    {0x5201000D, 0x16010012, kName, "按钮1"},
    {0x5201000D, 0x16010012, prop::kButtonCaption, "确定"},
    {0x5201000D, 0x16010018, kName, "单选框2"},
    {0x5201000D, 0x16010018, prop::kRadioCaption, "否"},
    {0x5201000D, 0x16010017, kName, "单选框1"},
    {0x5201000D, 0x16010017, prop::kRadioCaption, "是"},
    {0x5201000D, 0x16010016, kName, "标签2"},
    {0x5201000D, 0x16010016, prop::kLabelText, "标签是否要滚动条"},
    {0x5201000D, 0x16010015, kName, "颜色选择器1"},
    {0x5201000D, 0x1601000E, kName, "标签1"},
    {0x5201000D, 0x1601000E, prop::kLabelText, "标签颜色"},
};

// The definition's bytes for a row; "<missing>" when the window or control is not there.
std::string DefinitionBytes(const DefinitionText& row) {
  const WindowDefinition* window = FindWindowDefinition(row.windowId);
  if (window == nullptr) return "<missing window>";
  if (row.controlId == 0) {
    return row.property == kName ? window->name : TextProperty(window->properties, row.property);
  }
  const ControlDefinition* control = FindControlDefinition(*window, row.controlId);
  if (control == nullptr) return "<missing control>";
  return row.property == kName ? control->name : TextProperty(control->properties, row.property);
}

bool HasRow(uint32_t windowId, uint32_t controlId, int32_t property) {
  for (const DefinitionText& row : kDefinitionTexts) {
    if (row.windowId == windowId && row.controlId == controlId && row.property == property) {
      return true;
    }
  }
  return false;
}

TEST(GbkTexts, WindowDefinitionTextsMatchTheirOriginals) {
  for (const DefinitionText& row : kDefinitionTexts) {
    EXPECT_EQ(DefinitionBytes(row), Utf8ToGbk(row.utf8))
        << std::hex << row.windowId << " " << row.controlId << " property " << std::dec
        << row.property << ": " << row.utf8;
  }
}

// Every name and text property holding double-byte characters has its row above, so a text
// added to the definitions without one is noticed here.
TEST(GbkTexts, EveryDoubleByteDefinitionTextIsChecked) {
  const auto checkProperties = [](uint32_t windowId, uint32_t controlId,
                                  std::span<const PropertyValue> properties) {
    for (const PropertyValue& property : properties) {
      if (property.text != nullptr && HasDoubleByte(property.text)) {
        EXPECT_TRUE(HasRow(windowId, controlId, property.number))
            << std::hex << windowId << " " << controlId << " property " << std::dec
            << property.number;
      }
    }
  };
  for (const WindowDefinition& window : WindowDefinitions()) {
    if (HasDoubleByte(window.name)) {
      EXPECT_TRUE(HasRow(window.id, 0, kName)) << std::hex << window.id;
    }
    checkProperties(window.id, 0, window.properties);
    for (const ControlDefinition& control : window.controls) {
      if (HasDoubleByte(control.name)) {
        EXPECT_TRUE(HasRow(window.id, control.id, kName)) << std::hex << window.id << " " << control.id;
      }
      checkProperties(window.id, control.id, control.properties);
    }
  }
}

}  // namespace
