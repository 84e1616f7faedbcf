// The kinds of property values and what a write makes of them; the dialog and message box
// conversions; the arithmetic of moving windows.
#include <gtest/gtest.h>

#include "storage/paths.h"
#include "ui/dialog_rules.h"
#include "ui/property_values.h"
#include "ui/win32_values.h"

namespace {

TEST(PropertyValues, WrittenValuesFollowTheirKind) {
  struct Case {
    ControlType type;
    int32_t number;
    int32_t written;
    int32_t stored;
  };
  const Case cases[] = {
      {ControlType::EditBox, prop::kEditScrollBars, 2, 2},
      {ControlType::EditBox, prop::kEditScrollBars, 7, 3},
      {ControlType::EditBox, prop::kEditScrollBars, -5, 0},
      {ControlType::EditBox, prop::kEditMultiLine, 42, 1},
      {ControlType::EditBox, prop::kEditBackColour, static_cast<int32_t>(0xFF000000), static_cast<int32_t>(0xFF000000)},
      {ControlType::RadioBox, prop::kRadioChecked, -1, 1},
      {ControlType::RadioBox, prop::kRadioChecked, 0, 0},
      {ControlType::ColorPicker, prop::kPickerAllowTransparent, 9, 1},
      {ControlType::ColorPicker, prop::kPickerColour, 0x000000FF, 0x000000FF},
      {ControlType::CommonDlg, prop::kDialogKind, 9, 3},
      {ControlType::CommonDlg, prop::kDialogKind, -2, 0},
      {ControlType::CommonDlg, prop::kDialogFilterIndex, -4, 0},
      {ControlType::CommonDlg, prop::kDialogFilterIndex, 4, 4},
      {ControlType::CommonDlg, prop::kDialogOverwritePrompt, 5, 1},
  };
  for (const Case& c : cases) {
    const PropertyKind kind = KindOf(c.type, c.number);
    EXPECT_EQ(ClampForControl(c.type, c.number, kind, ConvertWritten(kind, c.written)), c.stored)
        << static_cast<int>(c.type) << " " << c.number << " " << c.written;
  }
  EXPECT_TRUE(KindOf(ControlType::EditBox, prop::kEditText).live);
  EXPECT_TRUE(KindOf(ControlType::RadioBox, prop::kRadioChecked).live);
  EXPECT_FALSE(KindOf(ControlType::EditBox, prop::kEditScrollBars).live);
  EXPECT_EQ(KindOf(ControlType::CommonDlg, prop::kDialogFileName).kind, ValueKind::TextValue);
}

TEST(CurrentValues, StartFromTheDefinitionAndChangeOnlyThemselves) {
  const WindowDefinition& main = *FindWindowDefinition(kMainWindow.windowId);
  const ControlDefinition& box = *FindControlDefinition(main, kNoteBox.controlId);
  CurrentValues values = CurrentValues::From(box.properties);
  EXPECT_EQ(values.Integer(prop::kEditBackColour), 0x0000FFFF);
  EXPECT_EQ(values.TextOf(prop::kEditText), "");
  values.Set(prop::kEditText, Value::OfText("abc"));
  values.Set(prop::kEditScrollBars, Value::Of(2));
  EXPECT_EQ(values.TextOf(prop::kEditText), "abc");
  EXPECT_EQ(values.Integer(prop::kEditScrollBars), 2);
  EXPECT_EQ(CurrentValues::From(box.properties).Integer(prop::kEditScrollBars), 0)
      << "the stored definition is untouched";
}

TEST(DialogFilter, PairsSeparatedByZeroBytes) {
  using namespace std::string_literals;
  struct Case {
    std::string filter;
    std::string expected;
  };
  const Case cases[] = {
      {"Txt\xCE\xC4\xB1\xBE|*.txt", "Txt\xCE\xC4\xB1\xBE\0*.txt\0\0"s},
      {"A|*.a|B|*.b||", "A\0*.a\0B\0*.b\0\0"s},
      {"A|*.a  \r\n", "A\0*.a\0\0"s},
      {"", ""},
      {"   ", ""},
      {"|", "\0\0\0"s},
      // 0x7C can be the second byte of a double-byte character: it is no separator there.
      {"\x81|x|*.x", "\x81|x\0*.x\0\0"s},
      // Nor does such a "|" count towards the closing pair, and a lone lead byte at the end
      // does not take the closing pair's first "|" as its trail byte.
      {"A|*.\x81||", "A\0*.\x81|\0\0\0"s},
      {"A|*.a\x81", "A\0*.a\x81\0\0"s},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DialogFilter(c.filter, IsCodePage936LeadByte), c.expected) << c.filter;
  }
  EXPECT_EQ(DialogFilter("\x81|x", nullptr), "\x81\0x\0\0"s) << "single-byte code page";
}

TEST(DialogFlags, AlwaysExplorerSizingAndNoReadOnlyBox) {
  using namespace win32;
  const uint32_t always = kOfnHideReadOnly | kOfnExplorer | kOfnEnableSizing;
  EXPECT_EQ(DialogFlags({false, false, false, false, false}), always);
  EXPECT_EQ(DialogFlags({false, true, true, true, false}),
            always | kOfnFileMustExist | kOfnOverwritePrompt | kOfnPathMustExist);
  EXPECT_EQ(DialogFlags({true, false, false, false, true}), always | kOfnCreatePrompt | kOfnNoChangeDir);
  EXPECT_EQ(DialogFilterIndex(true, 5), 0u);
  EXPECT_EQ(DialogFilterIndex(false, 0), 1u);
}

TEST(MessageBoxes, TaskModalUnlessSystemModalAndAnswersShifted) {
  EXPECT_EQ(MessageBoxStyle(0), 0x2000u);
  EXPECT_EQ(MessageBoxStyle(0x1000), 0x1000u);
  EXPECT_EQ(MessageBoxStyle(0x24), 0x2024u);
  const int32_t answers[][2] = {{0, 0}, {1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 4}, {6, 5}, {7, 6}};
  for (const auto& [result, answer] : answers) EXPECT_EQ(MessageAnswer(result), answer) << result;
}

TEST(MovedRect, KeepsSizeOrChangesIt) {
  const Rect old{717, 361, 882, 539};
  EXPECT_EQ(MovedRect(old, 1200, 5, std::nullopt, std::nullopt), (Rect{1200, 5, 1365, 183}));
  EXPECT_EQ(MovedRect(old, std::nullopt, std::nullopt, 100, -1), (Rect{717, 361, 817, 539}));
  EXPECT_EQ(MovedRect(old, 0, std::nullopt, std::nullopt, 20), (Rect{0, 361, 165, 381}));
  EXPECT_EQ(MovedRect(old, 717, 361, std::nullopt, std::nullopt), old);
}

TEST(KeepInside, MovesLeftAndUpJustEnough) {
  const Rect note{1200, 5, 1365, 183};
  EXPECT_EQ(KeepInside(note, {0, 0, 1600, 900}), note) << "fits: stays exactly";
  EXPECT_EQ(KeepInside(note, {0, 0, 1024, 768}), (Rect{859, 5, 1024, 183}));
  EXPECT_EQ(KeepInside(note, {0, 0, 1365, 900}), note) << "touching the edge still fits";
  EXPECT_EQ(KeepInside({1200, 700, 1365, 878}, {0, 0, 1024, 738}), (Rect{859, 560, 1024, 738}));
  EXPECT_EQ(KeepInside(note, {0, 0, 100, 100}), (Rect{0, 0, 165, 178})) << "too large: top-left on the area's";
  EXPECT_EQ(KeepInside(note, {1300, 20, 2900, 900}), (Rect{1300, 20, 1465, 198})) << "area of a second monitor";
}

}  // namespace
