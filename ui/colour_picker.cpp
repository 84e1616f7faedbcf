#include "ui/colour_picker.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr NamedColour kColourTable[] = {
    {"\xBA\xDA\xC9\xAB", 0x00000000},  // 黑色
    {"\xB2\xD8\xC7\xE0", 0x00800000},  // 藏青
    {"\xC4\xAB\xC2\xCC", 0x00008000},  // 墨绿
    {"\xC9\xEE\xC7\xE0", 0x00808000},  // 深青
    {"\xBA\xEC\xBA\xD6", 0x00000080},  // 红褐
    {"\xD7\xCF\xBA\xEC", 0x00800080},  // 紫红
    {"\xBA\xD6\xC2\xCC", 0x00008080},  // 褐绿
    {"\xC7\xB3\xBB\xD2", 0x00C0C0C0},  // 浅灰
    {"\xBB\xD2\xC9\xAB", 0x00808080},  // 灰色
    {"\xC0\xB6\xC9\xAB", 0x00FF0000},  // 蓝色
    {"\xC2\xCC\xC9\xAB", 0x0000FF00},  // 绿色
    {"\xD1\xDE\xC7\xE0", 0x00FFFF00},  // 艳青
    {"\xBA\xEC\xC9\xAB", 0x000000FF},  // 红色
    {"\xC6\xB7\xBA\xEC", 0x00FF00FF},  // 品红
    {"\xBB\xC6\xC9\xAB", 0x0000FFFF},  // 黄色
    {"\xB0\xD7\xC9\xAB", 0x00FFFFFF},  // 白色
    {"\xC0\xB6\xBB\xD2", 0x00FF8080},  // 蓝灰
    {"\xB2\xD8\xC0\xB6", 0x00E03058},  // 藏蓝
    {"\xC4\xDB\xC2\xCC", 0x0000E080},  // 嫩绿
    {"\xC7\xE0\xC2\xCC", 0x0080E000},  // 青绿
    {"\xBB\xC6\xBA\xD6", 0x000060C0},  // 黄褐
    {"\xB7\xDB\xBA\xEC", 0x00FFA8FF},  // 粉红
    {"\xC4\xDB\xBB\xC6", 0x0000D8D8},  // 嫩黄
    {"\xD2\xF8\xB0\xD7", 0x00ECECEC},  // 银白
    {"\xD7\xCF\xC9\xAB", 0x00FF0090},  // 紫色
    {"\xCC\xEC\xC0\xB6", 0x00FF8800},  // 天蓝
    {"\xBB\xD2\xC2\xCC", 0x0080A080},  // 灰绿
    {"\xC7\xE0\xC0\xB6", 0x00C06000},  // 青蓝
    {"\xB3\xC8\xBB\xC6", 0x000080FF},  // 橙黄
    {"\xCC\xD2\xBA\xEC", 0x008050FF},  // 桃红
    {"\xDC\xBD\xBA\xEC", 0x00C080FF},  // 芙红
    {"\xC9\xEE\xBB\xD2", 0x00606060},  // 深灰
};
static_assert(std::size(kColourTable) == kPickerColourCount);
static_assert(kPickerColourCount <= kGridColumns * kGridRows);

// The swatch keeps this much white between itself and the sunken edge and the arrow.
constexpr int kSwatchGap = 1;

bool IsSwatch(int entry) { return entry >= 0 && entry < kPickerColourCount; }

int LastRowOf(int column) { return (kPickerColourCount - 1 - column) / kGridColumns; }

}  // namespace

std::span<const NamedColour> PickerColourTable() { return kColourTable; }

bool RectContains(const PickerRect& rect, int x, int y) {
  return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

bool RectIsEmpty(const PickerRect& rect) {
  return rect.right <= rect.left || rect.bottom <= rect.top;
}

PickerRect ShrinkRect(const PickerRect& rect, int by) {
  return {rect.left + by, rect.top + by, rect.right - by, rect.bottom - by};
}

// ---- The picker's face ---------------------------------------------------------------------

int DropArrowWidth(const PickerMetrics& metrics) {
  return std::max({5 * metrics.cxEdge, 5 * metrics.cyEdge, metrics.cxHThumb, metrics.cyVThumb});
}

PickerFace LayOutPickerFace(int width, int height, const PickerMetrics& metrics) {
  PickerFace face;
  const int arrowLeft = std::max(metrics.cxEdge, width - metrics.cxEdge - DropArrowWidth(metrics));
  face.arrow = {arrowLeft, metrics.cyEdge, std::max(arrowLeft, width - metrics.cxEdge),
                std::max(metrics.cyEdge, height - metrics.cyEdge)};
  const int left = metrics.cxEdge + kSwatchGap;
  const int top = metrics.cyEdge + kSwatchGap;
  face.swatch = {left, top, std::max(left, arrowLeft - kSwatchGap),
                 std::max(top, height - metrics.cyEdge - kSwatchGap)};
  face.focus = ShrinkRect(face.swatch, 1);
  return face;
}

SwatchLook ShownSwatch(Colour colour, bool allowTransparent, bool enabled) {
  const bool transparent = colour == kNoColour && allowTransparent;
  if (!enabled) return {SwatchFill::ButtonFace, 0, transparent};
  if (transparent) return {SwatchFill::Given, 0x00FFFFFF, true};
  // The top byte of a Win32 COLORREF selects palette entries; only the RGB part is a colour here,
  // which also makes 0xFF000000 without the transparent entry black.
  return {SwatchFill::Given, colour & 0x00FFFFFF, false};
}

// ---- The drop-down -------------------------------------------------------------------------

DropDownLayout LayOutDropDown(const DropDownMetrics& metrics, bool allowTransparent) {
  DropDownLayout layout{};
  const int m = metrics.edge;
  layout.edge = m;
  layout.cell = std::max(18, 2 * m + 7);
  layout.hasTransparent = allowTransparent;

  const int gridWidth = kGridColumns * layout.cell;
  const int widestText =
      std::max(metrics.otherTextWidth, allowTransparent ? metrics.transparentTextWidth : 0);
  layout.width = std::max(gridWidth, widestText) + 2 * m;
  const int boxHeight = metrics.textHeight + 4 * m + 2;

  int y = m;
  if (allowTransparent) {
    layout.transparentBox = {m, y, layout.width - m, y + boxHeight};
    y += boxHeight + m;
  }
  layout.grid = {m, y, m + gridWidth, y + kGridRows * layout.cell};
  y = layout.grid.bottom + m;
  layout.etchedLineTop = y;
  y += 2 + m;
  layout.otherBox = {m, y, layout.width - m, y + boxHeight};
  layout.height = layout.otherBox.bottom + m;
  return layout;
}

PickerRect EntryRect(const DropDownLayout& layout, int entry) {
  if (IsSwatch(entry)) {
    const int left = layout.grid.left + (entry % kGridColumns) * layout.cell;
    const int top = layout.grid.top + (entry / kGridColumns) * layout.cell;
    return {left, top, left + layout.cell, top + layout.cell};
  }
  if (entry == kTransparentEntry && layout.hasTransparent) return layout.transparentBox;
  if (entry == kOtherEntry) return layout.otherBox;
  return {0, 0, 0, 0};
}

PickerRect SwatchColourRect(const DropDownLayout& layout, int entry) {
  if (!IsSwatch(entry)) return {0, 0, 0, 0};
  return ShrinkRect(EntryRect(layout, entry), layout.edge + 1);
}

PickerRect TransparentSampleRect(const DropDownLayout& layout) {
  if (!layout.hasTransparent) return {0, 0, 0, 0};
  return ShrinkRect(layout.transparentBox, 2 * layout.edge);
}

int EntryAt(const DropDownLayout& layout, int x, int y) {
  if (layout.hasTransparent && RectContains(layout.transparentBox, x, y)) return kTransparentEntry;
  if (RectContains(layout.otherBox, x, y)) return kOtherEntry;
  if (!RectContains(layout.grid, x, y)) return kNoEntry;
  const int column = (x - layout.grid.left) / layout.cell;
  const int row = (y - layout.grid.top) / layout.cell;
  const int entry = row * kGridColumns + column;
  return IsSwatch(entry) ? entry : kNoEntry;
}

ScreenPoint PlaceDropDown(const PickerRect& pickerOnScreen, int width, int height,
                          int screenWidth, int screenHeight) {
  ScreenPoint place{pickerOnScreen.left, pickerOnScreen.bottom};
  if (place.x + width > screenWidth) place.x = screenWidth - width;
  if (place.x < 0) place.x = 0;
  if (place.y + height > screenHeight) {
    // Above the picker, where the user still sees the picker it belongs to; when there is no
    // room there either, against the bottom of the screen.
    place.y = pickerOnScreen.top - height;
    if (place.y < 0) place.y = std::max(0, screenHeight - height);
  }
  return place;
}

int MarkedEntry(Colour starting, bool hasTransparent) {
  for (int entry = 0; entry < kPickerColourCount; ++entry) {
    if (kColourTable[entry].value == starting) return entry;
  }
  if (starting == kNoColour && hasTransparent) return kTransparentEntry;
  return kOtherEntry;
}

Colour PendingColourAfter(int highlighted, Colour pending) {
  if (IsSwatch(highlighted)) return kColourTable[highlighted].value;
  if (highlighted == kTransparentEntry) return kNoColour;
  return pending;
}

Highlight StartingHighlight(int markedEntry) {
  if (IsSwatch(markedEntry)) return {markedEntry, markedEntry % kGridColumns};
  return {markedEntry, 0};
}

Highlight MoveHighlight(const Highlight& from, ArrowKey key, bool hasTransparent) {
  const int firstEntry = hasTransparent ? kTransparentEntry : 0;
  const int column = std::clamp(from.column, 0, kGridColumns - 1);
  int to = from.entry;
  switch (key) {
    case ArrowKey::Right:
      if (from.entry == kTransparentEntry) to = 0;
      else if (from.entry == kOtherEntry) to = firstEntry;
      else to = from.entry + 1 < kPickerColourCount ? from.entry + 1 : kOtherEntry;
      break;
    case ArrowKey::Left:
      if (from.entry == kTransparentEntry) to = kOtherEntry;
      else if (from.entry == kOtherEntry) to = kPickerColourCount - 1;
      else if (from.entry == 0) to = hasTransparent ? kTransparentEntry : kOtherEntry;
      else to = from.entry - 1;
      break;
    case ArrowKey::Up:
      if (from.entry == kTransparentEntry) to = kOtherEntry;
      else if (from.entry == kOtherEntry) to = LastRowOf(column) * kGridColumns + column;
      else if (from.entry < kGridColumns) to = hasTransparent ? kTransparentEntry : kOtherEntry;
      else to = from.entry - kGridColumns;
      break;
    case ArrowKey::Down:
      if (from.entry == kTransparentEntry) to = column;
      else if (from.entry == kOtherEntry) to = hasTransparent ? kTransparentEntry : column;
      else to = from.entry + kGridColumns < kPickerColourCount ? from.entry + kGridColumns
                                                                : kOtherEntry;
      break;
  }
  return {to, IsSwatch(to) ? to % kGridColumns : column};
}
