// The colour picker's table, geometry, hit-testing and keyboard movement.
#include "ui/colour_picker.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::string Show(const PickerRect& r) {
  return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + "}";
}

// ---- The colour table ----------------------------------------------------------------------

TEST(PickerColourTable, HoldsThirtyTwoDistinctNamedColours) {
  const auto table = PickerColourTable();
  ASSERT_EQ(table.size(), 32u);
  std::set<std::string> names;
  std::set<Colour> values;
  for (const NamedColour& entry : table) {
    const std::string name = entry.name;
    // Every name is two GBK characters: lead bytes 0x81-0xFE, trail bytes 0x40-0xFE.
    ASSERT_EQ(name.size(), 4u) << name;
    for (size_t i = 0; i < name.size(); i += 2) {
      const auto lead = static_cast<unsigned char>(name[i]);
      const auto trail = static_cast<unsigned char>(name[i + 1]);
      EXPECT_TRUE(lead >= 0x81 && lead <= 0xFE) << name;
      EXPECT_TRUE(trail >= 0x40 && trail <= 0xFE) << name;
    }
    EXPECT_EQ(entry.value & 0xFF000000u, 0u) << name;
    names.insert(name);
    values.insert(entry.value);
  }
  EXPECT_EQ(names.size(), 32u);
  EXPECT_EQ(values.size(), 32u);
}

TEST(PickerColourTable, PlacesKnownColoursWhereTheGridShowsThem) {
  struct Case {
    int entry;
    const char* gbk;  // the name's bytes as python's "...".encode("gbk") gives them
    Colour value;
  };
  const Case cases[] = {
      {0, "\xBA\xDA\xC9\xAB", 0x00000000},   // 黑色
      {7, "\xC7\xB3\xBB\xD2", 0x00C0C0C0},   // 浅灰
      {12, "\xBA\xEC\xC9\xAB", 0x000000FF},  // 红色
      {14, "\xBB\xC6\xC9\xAB", 0x0000FFFF},  // 黄色
      {15, "\xB0\xD7\xC9\xAB", 0x00FFFFFF},  // 白色
      {17, "\xB2\xD8\xC0\xB6", 0x00E03058},  // 藏蓝
      {23, "\xD2\xF8\xB0\xD7", 0x00ECECEC},  // 银白
      {30, "\xDC\xBD\xBA\xEC", 0x00C080FF},  // 芙红
      {31, "\xC9\xEE\xBB\xD2", 0x00606060},  // 深灰
  };
  const auto table = PickerColourTable();
  for (const Case& c : cases) {
    EXPECT_EQ(std::string(table[c.entry].name), c.gbk) << "entry " << c.entry;
    EXPECT_EQ(table[c.entry].value, c.value) << "entry " << c.entry;
  }
  EXPECT_EQ(std::string(kTransparentText), "\xCD\xB8\xC3\xF7");  // 透明
  EXPECT_EQ(std::string(kOtherColourText), "\xC6\xE4\xCB\xFC\xD1\xD5\xC9\xAB...");  // 其它颜色...
}

// ---- The picker's face ---------------------------------------------------------------------

TEST(DropArrowWidth, IsTheLargestOfFiveEdgesAndTheThumbs) {
  struct Case {
    PickerMetrics metrics;
    int expected;
  };
  const Case cases[] = {
      {{2, 2, 16, 16}, 16},  // the usual metrics: the thumbs win
      {{4, 2, 16, 16}, 20},  // 5 * SM_CXEDGE
      {{2, 5, 16, 16}, 25},  // 5 * SM_CYEDGE
      {{2, 2, 23, 16}, 23},  // SM_CXHTHUMB
      {{2, 2, 16, 21}, 21},  // SM_CYVTHUMB
      {{1, 1, 0, 0}, 5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DropArrowWidth(c.metrics), c.expected)
        << c.metrics.cxEdge << "," << c.metrics.cyEdge << "," << c.metrics.cxHThumb << ","
        << c.metrics.cyVThumb;
  }
}

TEST(LayOutPickerFace, PutsTheArrowRightAndTheSwatchLeftInsideTheEdge) {
  struct Case {
    const char* label;
    int width, height;
    PickerMetrics metrics;
    PickerRect arrow, swatch, focus;
  };
  const Case cases[] = {
      {"48 x 20, usual metrics", 48, 20, {2, 2, 16, 16}, {30, 2, 46, 18}, {3, 3, 29, 17},
       {4, 4, 28, 16}},
      {"wider edges", 60, 30, {3, 3, 16, 16}, {41, 3, 57, 27}, {4, 4, 40, 26}, {5, 5, 39, 25}},
      {"too small for a swatch", 20, 8, {2, 2, 16, 16}, {2, 2, 18, 6}, {3, 3, 3, 5},
       {4, 4, 2, 4}},
  };
  for (const Case& c : cases) {
    const PickerFace face = LayOutPickerFace(c.width, c.height, c.metrics);
    EXPECT_EQ(face.arrow, c.arrow) << c.label << ": got " << Show(face.arrow);
    EXPECT_EQ(face.swatch, c.swatch) << c.label << ": got " << Show(face.swatch);
    EXPECT_EQ(face.focus, c.focus) << c.label << ": got " << Show(face.focus);
  }
}

TEST(ShownSwatch, FollowsTheColourTransparencyAndEnabledState) {
  struct Case {
    const char* label;
    Colour colour;
    bool allowTransparent, enabled;
    SwatchFill fill;
    Colour shown;
    bool text;
  };
  const Case cases[] = {
      {"black", 0x00000000, false, true, SwatchFill::Given, 0x00000000, false},
      {"red", 0x000000FF, false, true, SwatchFill::Given, 0x000000FF, false},
      {"no colour without transparent is black", kNoColour, false, true, SwatchFill::Given,
       0x00000000, false},
      {"no colour with transparent is white with text", kNoColour, true, true,
       SwatchFill::Given, 0x00FFFFFF, true},
      {"red with transparent allowed", 0x000000FF, true, true, SwatchFill::Given, 0x000000FF,
       false},
      {"stray top byte is dropped", 0x010000FF, false, true, SwatchFill::Given, 0x000000FF,
       false},
      {"disabled red is button face", 0x000000FF, false, false, SwatchFill::ButtonFace, 0, false},
      {"disabled transparent keeps the text", kNoColour, true, false, SwatchFill::ButtonFace, 0,
       true},
      {"disabled no colour without transparent", kNoColour, false, false, SwatchFill::ButtonFace,
       0, false},
  };
  for (const Case& c : cases) {
    const SwatchLook look = ShownSwatch(c.colour, c.allowTransparent, c.enabled);
    EXPECT_EQ(look.fill, c.fill) << c.label;
    if (c.fill == SwatchFill::Given) {
      EXPECT_EQ(look.colour, c.shown) << c.label;
    }
    EXPECT_EQ(look.transparentText, c.text) << c.label;
  }
}

// ---- The drop-down layout ------------------------------------------------------------------

TEST(LayOutDropDown, StacksTheBoxesTheLineAndTheGridWithMarginsOfTheEdge) {
  struct Case {
    const char* label;
    DropDownMetrics metrics;
    bool transparent;
    int cell, width, height;
    PickerRect transparentBox, grid;
    int etched;
    PickerRect otherBox;
  };
  const Case cases[] = {
      // m = 2, text 12 high: boxes 12 + 8 + 2 = 22 high, grid 7 x 18 = 126 wide, 90 high.
      {"without transparent", {2, 12, 24, 60}, false, 18, 130, 122, {0, 0, 0, 0},
       {2, 2, 128, 92}, 94, {2, 98, 128, 120}},
      {"with transparent", {2, 12, 24, 60}, true, 18, 130, 146, {2, 2, 128, 24},
       {2, 26, 128, 116}, 118, {2, 122, 128, 144}},
      // m = 6: the cell grows to 2m + 7 = 19 and the boxes to 16 + 24 + 2 = 42.
      {"wide edges", {6, 16, 30, 70}, true, 19, 145, 211, {6, 6, 139, 48}, {6, 54, 139, 149},
       155, {6, 163, 139, 205}},
      // A text wider than the grid sets the width: 150 + 2m.
      {"wide text", {2, 12, 24, 150}, false, 18, 154, 122, {0, 0, 0, 0}, {2, 2, 128, 92}, 94,
       {2, 98, 152, 120}},
      {"wide transparent text counts only when shown", {2, 12, 140, 60}, false, 18, 130, 122,
       {0, 0, 0, 0}, {2, 2, 128, 92}, 94, {2, 98, 128, 120}},
      {"wide transparent text when shown", {2, 12, 140, 60}, true, 18, 144, 146,
       {2, 2, 142, 24}, {2, 26, 128, 116}, 118, {2, 122, 142, 144}},
  };
  for (const Case& c : cases) {
    const DropDownLayout layout = LayOutDropDown(c.metrics, c.transparent);
    EXPECT_EQ(layout.edge, c.metrics.edge) << c.label;
    EXPECT_EQ(layout.cell, c.cell) << c.label;
    EXPECT_EQ(layout.hasTransparent, c.transparent) << c.label;
    EXPECT_EQ(layout.width, c.width) << c.label;
    EXPECT_EQ(layout.height, c.height) << c.label;
    EXPECT_EQ(layout.transparentBox, c.transparentBox)
        << c.label << ": got " << Show(layout.transparentBox);
    EXPECT_EQ(layout.grid, c.grid) << c.label << ": got " << Show(layout.grid);
    EXPECT_EQ(layout.etchedLineTop, c.etched) << c.label;
    EXPECT_EQ(layout.otherBox, c.otherBox) << c.label << ": got " << Show(layout.otherBox);
  }
}

TEST(EntryRect, PlacesSwatchesRowByRowAndInsetsTheirColours) {
  const DropDownLayout layout = LayOutDropDown({2, 12, 24, 60}, true);
  struct Case {
    int entry;
    PickerRect cell, colour;
  };
  const Case cases[] = {
      {0, {2, 26, 20, 44}, {5, 29, 17, 41}},
      {6, {110, 26, 128, 44}, {113, 29, 125, 41}},
      {7, {2, 44, 20, 62}, {5, 47, 17, 59}},
      {12, {92, 44, 110, 62}, {95, 47, 107, 59}},
      {31, {56, 98, 74, 116}, {59, 101, 71, 113}},
      {kTransparentEntry, {2, 2, 128, 24}, {0, 0, 0, 0}},
      {kOtherEntry, {2, 122, 128, 144}, {0, 0, 0, 0}},
      {kNoEntry, {0, 0, 0, 0}, {0, 0, 0, 0}},
      {kOtherEntry + 1, {0, 0, 0, 0}, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EntryRect(layout, c.entry), c.cell)
        << "entry " << c.entry << ": got " << Show(EntryRect(layout, c.entry));
    EXPECT_EQ(SwatchColourRect(layout, c.entry), c.colour)
        << "entry " << c.entry << ": got " << Show(SwatchColourRect(layout, c.entry));
  }
  EXPECT_EQ(TransparentSampleRect(layout), (PickerRect{6, 6, 124, 20}));
  const DropDownLayout withoutTransparent = LayOutDropDown({2, 12, 24, 60}, false);
  EXPECT_TRUE(RectIsEmpty(EntryRect(withoutTransparent, kTransparentEntry)));
  EXPECT_TRUE(RectIsEmpty(TransparentSampleRect(withoutTransparent)));
}

TEST(EntryAt, FindsEveryEntryInsideItsRectangleAndNothingElsewhere) {
  for (const bool transparent : {false, true}) {
    for (const int edge : {1, 2, 6}) {
      const DropDownLayout layout = LayOutDropDown({edge, 14, 24, 60}, transparent);
      const std::string label =
          std::string(transparent ? "with" : "without") + " transparent, m=" + std::to_string(edge);
      // Every pixel of the drop-down belongs to the entry whose rectangle holds it, or to none.
      for (int y = -1; y <= layout.height; ++y) {
        for (int x = -1; x <= layout.width; ++x) {
          int expected = kNoEntry;
          for (int entry = 0; entry <= kOtherEntry; ++entry) {
            if (RectContains(EntryRect(layout, entry), x, y)) expected = entry;
          }
          ASSERT_EQ(EntryAt(layout, x, y), expected) << label << " at " << x << "," << y;
        }
      }
      // Each entry shown has a rectangle, and the three cells after entry 31 are empty.
      for (int entry = 0; entry < kPickerColourCount; ++entry) {
        const PickerRect r = EntryRect(layout, entry);
        EXPECT_EQ(EntryAt(layout, (r.left + r.right) / 2, (r.top + r.bottom) / 2), entry) << label;
      }
      const int emptyLeft = layout.grid.left + 4 * layout.cell + layout.cell / 2;
      const int lastRowMiddle = layout.grid.top + 4 * layout.cell + layout.cell / 2;
      EXPECT_EQ(EntryAt(layout, emptyLeft, lastRowMiddle), kNoEntry) << label;
      EXPECT_EQ(EntryAt(layout, 0, 0), kNoEntry) << label << ": the raised edge";
      EXPECT_EQ(EntryAt(layout, layout.width / 2, layout.etchedLineTop), kNoEntry) << label;
    }
  }
}

// ---- Placement -----------------------------------------------------------------------------

TEST(PlaceDropDown, KeepsTheDropDownOnTheScreen) {
  struct Case {
    const char* label;
    PickerRect picker;
    int width, height;
    ScreenPoint expected;
  };
  // A 1600 x 900 screen and a 130 x 122 drop-down.
  const Case cases[] = {
      {"room below and right", {100, 200, 148, 220}, 130, 122, {100, 220}},
      {"past the right edge", {1540, 200, 1588, 220}, 130, 122, {1470, 220}},
      {"picker itself past the right edge", {1580, 200, 1628, 220}, 130, 122, {1470, 220}},
      {"left of the screen", {-30, 200, 18, 220}, 130, 122, {0, 220}},
      {"just fits at the bottom", {100, 758, 148, 778}, 130, 122, {100, 778}},
      {"one pixel too low goes above", {100, 759, 148, 779}, 130, 122, {100, 637}},
      {"bottom right corner", {1560, 860, 1608, 880}, 130, 122, {1470, 738}},
      {"no room above or below", {100, 60, 148, 80}, 130, 850, {100, 50}},
      {"taller than the screen", {100, 60, 148, 80}, 130, 1000, {100, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlaceDropDown(c.picker, c.width, c.height, 1600, 900), c.expected)
        << c.label << ": got " << PlaceDropDown(c.picker, c.width, c.height, 1600, 900).x << ","
        << PlaceDropDown(c.picker, c.width, c.height, 1600, 900).y;
  }
}

// ---- Marked entry, pending colour ----------------------------------------------------------

TEST(MarkedEntry, IsTheSwatchTheTransparentBoxOrTheOtherBox) {
  struct Case {
    Colour starting;
    bool transparent;
    int expected;
  };
  const Case cases[] = {
      {0x00000000, false, 0},
      {0x00000000, true, 0},
      {0x000000FF, false, 12},
      {0x00606060, false, 31},
      {kNoColour, true, kTransparentEntry},
      {kNoColour, false, kOtherEntry},  // stored as written; no swatch holds it
      {0x00123456, true, kOtherEntry},
      {0x010000FF, false, kOtherEntry},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MarkedEntry(c.starting, c.transparent), c.expected)
        << std::hex << c.starting << " transparent " << c.transparent;
  }
}

TEST(PendingColourAfter, TakesTheSwatchOrTransparentAndKeepsItForTheOtherBox) {
  struct Case {
    int highlighted;
    Colour pending, expected;
  };
  const Case cases[] = {
      {12, 0x00000000, 0x000000FF},          {0, 0x00123456, 0x00000000},
      {kTransparentEntry, 0x000000FF, kNoColour}, {kOtherEntry, 0x00123456, 0x00123456},
      {kNoEntry, 0x00123456, 0x00123456},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PendingColourAfter(c.highlighted, c.pending), c.expected) << c.highlighted;
  }
}

// ---- Keyboard movement ---------------------------------------------------------------------

TEST(MoveHighlight, StepsThroughTheGridAndTheBoxes) {
  using enum ArrowKey;
  struct Case {
    const char* label;
    Highlight from;
    ArrowKey key;
    bool transparent;
    Highlight expected;
  };
  constexpr int T = kTransparentEntry, O = kOtherEntry;
  const Case cases[] = {
      {"right within a row", {0, 0}, Right, false, {1, 1}},
      {"right to the next row", {6, 6}, Right, false, {7, 0}},
      {"right from the last swatch", {31, 3}, Right, false, {O, 3}},
      {"right from other wraps to the first swatch", {O, 3}, Right, false, {0, 0}},
      {"right from other wraps to transparent", {O, 3}, Right, true, {T, 3}},
      {"right from transparent", {T, 4}, Right, true, {0, 0}},
      {"left within a row", {12, 5}, Left, false, {11, 4}},
      {"left to the previous row", {7, 0}, Left, false, {6, 6}},
      {"left from the first swatch wraps to other", {0, 0}, Left, false, {O, 0}},
      {"left from the first swatch to transparent", {0, 0}, Left, true, {T, 0}},
      {"left from transparent wraps to other", {T, 2}, Left, true, {O, 2}},
      {"left from other to the last swatch", {O, 5}, Left, false, {31, 3}},
      {"down a row", {5, 5}, Down, false, {12, 5}},
      {"down into the short last row", {24, 3}, Down, false, {31, 3}},
      {"down from row 3 where row 4 has no cell", {26, 5}, Down, false, {O, 5}},
      {"down from the last row", {29, 1}, Down, false, {O, 1}},
      {"down from other back to the top row", {O, 5}, Down, false, {5, 5}},
      {"down from other to transparent", {O, 5}, Down, true, {T, 5}},
      {"down from transparent into the column", {T, 4}, Down, true, {4, 4}},
      {"up a row", {12, 5}, Up, false, {5, 5}},
      {"up from the top row wraps to other", {3, 3}, Up, false, {O, 3}},
      {"up from the top row to transparent", {3, 3}, Up, true, {T, 3}},
      {"up from transparent wraps to other", {T, 3}, Up, true, {O, 3}},
      {"up from other into a column the last row has", {O, 2}, Up, false, {30, 2}},
      {"up from other into a column the last row lacks", {O, 6}, Up, false, {27, 6}},
  };
  for (const Case& c : cases) {
    const Highlight got = MoveHighlight(c.from, c.key, c.transparent);
    EXPECT_EQ(got, c.expected) << c.label << ": got entry " << got.entry << " column "
                               << got.column;
  }
}

TEST(MoveHighlight, ReachesEveryEntryAndLeftUndoesRight) {
  for (const bool transparent : {false, true}) {
    const int count = kPickerColourCount + (transparent ? 2 : 1);
    Highlight at = StartingHighlight(0);
    std::set<int> seen;
    for (int step = 0; step < count; ++step) {
      seen.insert(at.entry);
      const Highlight next = MoveHighlight(at, ArrowKey::Right, transparent);
      EXPECT_EQ(MoveHighlight(next, ArrowKey::Left, transparent).entry, at.entry)
          << "from " << at.entry;
      at = next;
    }
    EXPECT_EQ(at.entry, 0) << "the ring closes";
    EXPECT_EQ(static_cast<int>(seen.size()), count);
    // Within the grid, Up undoes Down.
    for (int entry = 0; entry + kGridColumns < kPickerColourCount; ++entry) {
      const Highlight down = MoveHighlight(StartingHighlight(entry), ArrowKey::Down, transparent);
      EXPECT_EQ(MoveHighlight(down, ArrowKey::Up, transparent).entry, entry);
    }
  }
}

TEST(StartingHighlight, StartsAtTheMarkedEntryInItsColumn) {
  EXPECT_EQ(StartingHighlight(0), (Highlight{0, 0}));
  EXPECT_EQ(StartingHighlight(12), (Highlight{12, 5}));
  EXPECT_EQ(StartingHighlight(kTransparentEntry), (Highlight{kTransparentEntry, 0}));
  EXPECT_EQ(StartingHighlight(kOtherEntry), (Highlight{kOtherEntry, 0}));
}

}  // namespace
