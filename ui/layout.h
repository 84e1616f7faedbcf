#pragma once
// The rules that turn the stored definitions into what Win32 builds: frames and styles, the
// place of a window, the menu tree with its command ids, and the keyboard focus order.
#include <cstdint>
#include <string_view>
#include <vector>

#include "ui/definitions.h"

struct Styles {
  uint32_t style;
  uint32_t exStyle;
};

struct Rect {
  int32_t left, top, right, bottom;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

// The frame of a top-level window: caption, system menu, boxes and border from its properties.
Styles WindowStyles(const WindowDefinition& window, bool ownedByHiddenOwner);

// Where a window is built: centred on the screen for position 1 (each division truncated toward
// zero), otherwise its stored left and top.
Rect WindowPlace(const WindowDefinition& window, int32_t screenWidth, int32_t screenHeight);

// The show command for the window's position property: 3 maximised, 2 minimised, else normal.
enum class ShowState { Normal, Minimised, Maximised };
ShowState InitialShowState(const WindowDefinition& window);

// Styles of the child window built for a control (without WS_VISIBLE and WS_DISABLED, which the
// builder adds from the live state). scrollBars is the current value of the text box's property.
uint32_t EditBoxStyle(bool multiLine, int32_t scrollBars, bool hideSelection, bool tabStop,
                      int32_t border, int32_t alignment, int32_t inputMode);
uint32_t ButtonStyle(bool tabStop, bool defaultButton);
uint32_t RadioBoxStyle(bool tabStop, bool pushLike, bool flat, bool captionLeft);

// The menu bar: each level-0 item is an entry of the bar, the level-1 items after it its
// drop-down. Command ids are 20000 plus the item's index among all the window's menu items.
inline constexpr int32_t kFirstMenuCommand = 20000;
inline constexpr int32_t kEndOfMenuCommands = 57600;  // 0xE100: ids from here on are the system's
struct MenuEntry {
  const ControlDefinition* item;
  int32_t commandId;
  std::vector<MenuEntry> dropDown;  // empty for an item that is chosen directly
};
std::vector<MenuEntry> MenuTree(const WindowDefinition& window);

// The menu item that a command id names, or nullptr for an id outside the menu.
const ControlDefinition* MenuItemForCommand(const WindowDefinition& window, int32_t commandId);

// Controls that take part in Tab order, as indices into window.controls: tab stops ordered by
// tab-order value, equal values in the reverse of stored order. Whether each is visible and
// enabled is the live window's business.
std::vector<size_t> FocusOrder(const WindowDefinition& window);

// The radio boxes of the window in the same order, tab stops or not: the arrow keys move the
// check along it.
std::vector<size_t> RadioBoxOrder(const WindowDefinition& window);

// The control after (forward) or before the current one among those accepted, wrapping around;
// current may be absent from the order (then the first or last accepted one). SIZE_MAX when
// no control is accepted.
template <typename Accept>
size_t NextInOrder(const std::vector<size_t>& order, size_t current, bool forward, Accept accept) {
  const size_t count = order.size();
  size_t position = count;
  for (size_t i = 0; i < count; ++i) {
    if (order[i] == current) position = i;
  }
  for (size_t step = 1; step <= count; ++step) {
    size_t i;
    if (position == count) {
      i = forward ? step - 1 : count - step;
    } else {
      i = forward ? (position + step) % count : (position + count - step) % count;
    }
    if (accept(order[i])) return order[i];
  }
  return SIZE_MAX;
}

// The character a caption marks with "&" for Alt+character (upper-cased ASCII), or 0. "&&" is a
// literal ampersand and marks nothing.
char MnemonicOf(std::string_view caption);

// The Win32 control id given to the child window of control number index in stored order.
inline int32_t ChildControlId(size_t index) { return 100 + static_cast<int32_t>(index); }
