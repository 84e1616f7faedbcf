// The rules that turn the window definitions into frames, places, menus and focus order.
#include <gtest/gtest.h>

#include "ui/definitions.h"
#include "ui/layout.h"
#include "ui/win32_values.h"

namespace {

using namespace win32;

const WindowDefinition& Main() { return *FindWindowDefinition(kMainWindow.windowId); }
const WindowDefinition& Settings() { return *FindWindowDefinition(kSettingsWindow.windowId); }

std::vector<uint32_t> ControlIds(const WindowDefinition& window, const std::vector<size_t>& order) {
  std::vector<uint32_t> ids;
  for (size_t i : order) ids.push_back(window.controls[i].id);
  return ids;
}

TEST(Definitions, HoldTogether) {
  EXPECT_TRUE(DefinitionsAreConsistent(WindowDefinitions()));
  EXPECT_EQ(WindowDefinitions().size(), 2u);
  EXPECT_EQ(FindWindowDefinition(0x12345678), nullptr);
}

TEST(Definitions, DamagedTablesAreNoticed) {
  const WindowDefinition& main = Main();
  // The same control twice, and an item of a drop-down before any menu-bar entry.
  const ControlDefinition twice[] = {main.controls[0], main.controls[0]};
  const ControlDefinition orphanItem[] = {main.controls[2]};  // 关于, level 1
  WindowDefinition damaged = main;
  damaged.controls = twice;
  EXPECT_FALSE(DefinitionsAreConsistent(std::span(&damaged, 1)));
  damaged.controls = orphanItem;
  EXPECT_FALSE(DefinitionsAreConsistent(std::span(&damaged, 1)));
  const WindowDefinition sameIdTwice[] = {main, main};
  EXPECT_FALSE(DefinitionsAreConsistent(sameIdTwice));
}

TEST(WindowStyles, FixedFrameWithIconMinimiseAndCloseButNoMaximise) {
  for (const WindowDefinition* window : {&Main(), &Settings()}) {
    const Styles styles = WindowStyles(*window, false);
    EXPECT_EQ(styles.style & kWsCaption, kWsCaption);
    EXPECT_TRUE(styles.style & kWsSysMenu);
    EXPECT_TRUE(styles.style & kWsMinimizeBox);
    EXPECT_FALSE(styles.style & kWsMaximizeBox);
    EXPECT_FALSE(styles.style & kWsThickFrame);
    EXPECT_FALSE(styles.style & kWsPopup);
  }
  EXPECT_TRUE(WindowStyles(Main(), false).exStyle & kWsExAppWindow);
  EXPECT_FALSE(WindowStyles(Settings(), true).exStyle & kWsExAppWindow) << "owned: no taskbar button";
}

TEST(WindowPlace, CentresWithTruncatingDivision) {
  EXPECT_EQ(WindowPlace(Main(), 1600, 900), (Rect{717, 361, 882, 539}));
  EXPECT_EQ(WindowPlace(Settings(), 1600, 900), (Rect{726, 378, 874, 521}));
  EXPECT_EQ(WindowPlace(Main(), 1024, 767), (Rect{429, 294, 594, 472}));
  EXPECT_EQ(WindowPlace(Main(), 100, 100).left, -32) << "(100 - 165) / 2 truncates toward zero";
  EXPECT_EQ(InitialShowState(Main()), ShowState::Normal);
}

TEST(EditBoxStyle, FollowsTheScrollBarChoice) {
  struct Case {
    int32_t scrollBars;
    bool multiLine;
    uint32_t present;
    uint32_t absent;
  };
  const uint32_t multi = kEsMultiLine | kEsAutoVScroll | kEsWantReturn;
  const Case cases[] = {
      {0, true, multi, kEsAutoHScroll | kWsHScroll | kWsVScroll},
      {1, true, multi | kEsAutoHScroll | kWsHScroll, kWsVScroll},
      {2, true, multi | kWsVScroll, kEsAutoHScroll | kWsHScroll},
      {3, true, multi | kEsAutoHScroll | kWsHScroll | kWsVScroll, 0},
      {2, false, kEsAutoHScroll, kEsMultiLine | kWsVScroll | kWsHScroll},
  };
  for (const Case& c : cases) {
    const uint32_t style = EditBoxStyle(c.multiLine, c.scrollBars, true, true, 5, 0, 0);
    EXPECT_EQ(style & c.present, c.present) << c.scrollBars << " " << c.multiLine;
    EXPECT_EQ(style & c.absent, 0u) << c.scrollBars << " " << c.multiLine;
    EXPECT_EQ(style & (kWsChild | kWsClipSiblings | kWsTabStop | kWsBorder),
              kWsChild | kWsClipSiblings | kWsTabStop | kWsBorder);
    EXPECT_FALSE(style & kEsNoHideSel);
  }
}

TEST(ButtonStyles, PushButtonsAndAutomaticRadioBoxes) {
  EXPECT_EQ(ButtonStyle(true, false) & 0xF, kBsPushButton);
  EXPECT_EQ(ButtonStyle(true, false) & (kBsCenter | kBsVCenter | kBsMultiLine), kBsCenter | kBsVCenter | kBsMultiLine);
  EXPECT_EQ(RadioBoxStyle(true, false, false, false) & 0xF, kBsAutoRadioButton);
  EXPECT_EQ(RadioBoxStyle(true, false, false, false) & (kBsMultiLine | kBsVCenter | kBsLeftText),
            kBsMultiLine | kBsVCenter);
}

TEST(MenuTree, LevelsMakeTheBarAndCommandIdsCountEveryItem) {
  const std::vector<MenuEntry> bar = MenuTree(Main());
  ASSERT_EQ(bar.size(), 2u);
  EXPECT_EQ(bar[0].commandId, 20000);
  ASSERT_EQ(bar[0].dropDown.size(), 3u);
  EXPECT_EQ(bar[0].dropDown[0].commandId, 20001);
  EXPECT_EQ(bar[0].dropDown[2].commandId, 20003);
  EXPECT_EQ(bar[1].commandId, 20004);
  ASSERT_EQ(bar[1].dropDown.size(), 2u);
  EXPECT_EQ(bar[1].dropDown[1].commandId, 20006);
  EXPECT_TRUE(MenuTree(Settings()).empty());

  struct Case {
    int32_t commandId;
    uint32_t item;  // 0: none
  };
  const Case cases[] = {{20001, 0x26010006}, {20002, 0x2601000A}, {20003, 0x26010007},
                        {20005, 0x2601002D}, {20006, 0x2601002E}, {20000, 0x26010005},
                        {20007, 0}, {19999, 0}, {57600, 0}, {57599, 0}};
  for (const Case& c : cases) {
    const ControlDefinition* item = MenuItemForCommand(Main(), c.commandId);
    EXPECT_EQ(item != nullptr ? item->id : 0u, c.item) << c.commandId;
  }
}

TEST(FocusOrder, ReverseStoredOrderAmongTabStops) {
  EXPECT_EQ(ControlIds(Settings(), FocusOrder(Settings())),
            (std::vector<uint32_t>{0x16010012, 0x16010015, 0x16010017, 0x16010018, 0x16010019}));
  EXPECT_EQ(ControlIds(Main(), FocusOrder(Main())), (std::vector<uint32_t>{0x16010002}));
  EXPECT_EQ(ControlIds(Settings(), RadioBoxOrder(Settings())),
            (std::vector<uint32_t>{0x16010017, 0x16010018}));
}

TEST(NextInOrder, WrapsAndSkipsRefusedControls) {
  const std::vector<size_t> order{5, 4, 2, 1, 0};
  const auto all = [](size_t) { return true; };
  const auto not2 = [](size_t i) { return i != 2; };
  EXPECT_EQ(NextInOrder(order, 5, true, all), 4u);
  EXPECT_EQ(NextInOrder(order, 0, true, all), 5u);
  EXPECT_EQ(NextInOrder(order, 5, false, all), 0u);
  EXPECT_EQ(NextInOrder(order, 4, true, not2), 1u);
  EXPECT_EQ(NextInOrder(order, SIZE_MAX, true, all), 5u) << "from outside the order: the first";
  EXPECT_EQ(NextInOrder(order, SIZE_MAX, false, all), 0u) << "backward from outside: the last";
  EXPECT_EQ(NextInOrder(order, 5, true, [](size_t) { return false; }), SIZE_MAX);
  EXPECT_EQ(NextInOrder(std::vector<size_t>{3}, 3, true, all), 3u) << "a single control keeps the focus";
}

TEST(MnemonicOf, FindsTheMarkedCharacter) {
  EXPECT_EQ(MnemonicOf("&Save"), 'S');
  EXPECT_EQ(MnemonicOf("Sa&ve"), 'V');
  EXPECT_EQ(MnemonicOf("&1st"), '1');
  EXPECT_EQ(MnemonicOf("A && B"), 0);
  EXPECT_EQ(MnemonicOf("\xC8\xB7\xB6\xA8"), 0);  // 确定: no mark
  EXPECT_EQ(MnemonicOf("\x95&x"), 0) << "0x26 after a lead byte is a trail byte, not a mark";
  EXPECT_EQ(MnemonicOf("trailing&"), 0);
}

}  // namespace
