#pragma once
// The colour picker's portable half: the table of named colours it offers, the geometry of the
// picker's face and of its drop-down, where the drop-down goes on the screen, which entry lies
// under a point, how the arrow keys move the highlight, and which colour a swatch shows. The
// window code in colour_picker_win.cpp and colour_drop_down_win.cpp only measures the system's
// metrics and draws what these functions work out.
#include <cstdint>
#include <span>

#include "ui/definitions.h"

// ---- The colour table ----------------------------------------------------------------------

struct NamedColour {
  const char* name;  // GBK; shown as the swatch's tooltip
  Colour value;
};

// The 32 colours of the drop-down in the order they stand in the grid.
std::span<const NamedColour> PickerColourTable();
inline constexpr int kPickerColourCount = 32;

inline constexpr char kTransparentText[] = "\xCD\xB8\xC3\xF7";                // 透明
inline constexpr char kOtherColourText[] = "\xC6\xE4\xCB\xFC\xD1\xD5\xC9\xAB...";  // 其它颜色...

// ---- Rectangles ----------------------------------------------------------------------------

// A rectangle in pixels; right and bottom lie just outside it, as with a Win32 RECT.
struct PickerRect {
  int left, top, right, bottom;
  bool operator==(const PickerRect&) const = default;
};
bool RectContains(const PickerRect& rect, int x, int y);
bool RectIsEmpty(const PickerRect& rect);
PickerRect ShrinkRect(const PickerRect& rect, int by);

// ---- The picker's face ---------------------------------------------------------------------

// The system metrics the face depends on (SM_CXEDGE, SM_CYEDGE, SM_CXHTHUMB, SM_CYVTHUMB).
struct PickerMetrics {
  int cxEdge, cyEdge, cxHThumb, cyVThumb;
};

// The drop-down arrow's width: the largest of five edges either way and the two thumb sizes.
int DropArrowWidth(const PickerMetrics& metrics);

struct PickerFace {
  PickerRect arrow;   // the drop-down arrow button, inside the sunken edge at the right
  PickerRect swatch;  // the outlined colour swatch, inside the edge and left of the arrow
  PickerRect focus;   // the focus rectangle, one pixel inside the swatch
};
PickerFace LayOutPickerFace(int width, int height, const PickerMetrics& metrics);

// What the swatch shows for the picker's colour.
enum class SwatchFill : uint8_t { Given, ButtonFace };
struct SwatchLook {
  SwatchFill fill;
  Colour colour;         // 0x00BBGGRR to fill with when fill is Given
  bool transparentText;  // "透明" is written over it
};
// 0xFF000000 is white with "透明" when transparent is allowed, else black; a disabled picker fills
// with the button face (keeping the "透明" text, embossed). Other colours are drawn as RGB.
SwatchLook ShownSwatch(Colour colour, bool allowTransparent, bool enabled);

// ---- The drop-down -------------------------------------------------------------------------

// Entries of the drop-down: the swatches 0 to 31, the two boxes, or none.
inline constexpr int kNoEntry = -1;
inline constexpr int kTransparentEntry = kPickerColourCount;
inline constexpr int kOtherEntry = kPickerColourCount + 1;
inline constexpr int kGridColumns = 7;
inline constexpr int kGridRows = 5;

// What the layout is measured from: m = SM_CXEDGE, and the message font's text sizes.
struct DropDownMetrics {
  int edge;
  int textHeight;
  int transparentTextWidth;
  int otherTextWidth;
};

struct DropDownLayout {
  int edge;             // m
  int cell;             // the side of a swatch cell: 18, or 2m + 7 when larger
  bool hasTransparent;  // the "透明" box is shown
  PickerRect transparentBox;  // all zero when it is not shown
  PickerRect grid;            // the 7 x 5 cells
  int etchedLineTop;          // a button-shadow row, and below it a button-highlight row
  PickerRect otherBox;        // "其它颜色..."
  int width, height;          // the whole pop-up, its raised edge included
};
DropDownLayout LayOutDropDown(const DropDownMetrics& metrics, bool allowTransparent);

// The rectangle of an entry (its cell or its box); empty for kNoEntry or an entry not shown.
PickerRect EntryRect(const DropDownLayout& layout, int entry);
// Inside a swatch cell, the outlined rectangle filled with the entry's colour (inset m + 1).
PickerRect SwatchColourRect(const DropDownLayout& layout, int entry);
// Inside the "透明" box, the empty outlined rectangle (inset 2m).
PickerRect TransparentSampleRect(const DropDownLayout& layout);
// The entry under a point in the drop-down's client coordinates, or kNoEntry.
int EntryAt(const DropDownLayout& layout, int x, int y);

// The drop-down's top-left corner on the screen: below the picker's left corner, moved left when
// it would pass the right edge, right when it would start left of the screen, and above the
// picker when it would pass the bottom.
struct ScreenPoint {
  int x, y;
  bool operator==(const ScreenPoint&) const = default;
};
ScreenPoint PlaceDropDown(const PickerRect& pickerOnScreen, int width, int height,
                          int screenWidth, int screenHeight);

// The entry that holds the starting colour: its swatch, else the "透明" box for 0xFF000000 when
// that box is shown, else the "其它颜色..." box.
int MarkedEntry(Colour starting, bool hasTransparent);

// The pending colour after an entry is highlighted: a swatch's own colour, 0xFF000000 for the
// "透明" box, and the pending colour unchanged for the "其它颜色..." box.
Colour PendingColourAfter(int highlighted, Colour pending);

// Keyboard movement of the highlight. The entries form one ring in reading order -
// ["透明"], the swatches row by row, "其它颜色..." - and Left and Right step along it. Up and Down
// move a row within the grid; from the top row Up goes to the box above the grid ("透明", or
// round to "其它颜色..." without it), from the last cell of a column Down goes to "其它颜色...",
// and from a box they go back into the grid at the column last visited.
enum class ArrowKey : uint8_t { Left, Right, Up, Down };
struct Highlight {
  int entry;   // never kNoEntry
  int column;  // the grid column last visited, 0 to 6
  bool operator==(const Highlight&) const = default;
};
// Where the keys start when nothing is highlighted yet: the marked entry.
Highlight StartingHighlight(int markedEntry);
Highlight MoveHighlight(const Highlight& from, ArrowKey key, bool hasTransparent);
