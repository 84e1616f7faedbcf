#include "ui/layout.h"

#include <algorithm>

#include "ui/win32_values.h"

using namespace win32;

Styles WindowStyles(const WindowDefinition& window, bool ownedByHiddenOwner) {
  const auto value = [&](int32_t number, int32_t fallback) {
    return IntegerProperty(window.properties, number, fallback);
  };
  uint32_t style = kWsClipChildren;
  const int32_t border = value(prop::kWindowBorder, 2);
  const bool hasTitle = TextProperty(window.properties, prop::kWindowTitle)[0] != '\0';
  const bool controlBox = value(prop::kControlBox, 1) != 0;
  if (border == 0) {
    style |= kWsPopup;
  } else {
    // Border 2 and the other fixed kinds get a thin frame; the sizable kinds a sizing border.
    const bool sizable = border == 1 || border == 4;
    style |= sizable ? kWsThickFrame : kWsDlgFrame | kWsBorder;
    if (hasTitle || controlBox) style |= kWsCaption;
    if (controlBox) {
      style |= kWsSysMenu;
      if (value(prop::kMinimiseBox, 0) != 0) style |= kWsMinimizeBox;
      if (value(prop::kMaximiseBox, 0) != 0) style |= kWsMaximizeBox;
    }
  }
  uint32_t exStyle = 0;
  if (value(prop::kAlwaysOnTop, 0) != 0) exStyle |= kWsExTopmost;
  if (!ownedByHiddenOwner && value(prop::kShownInTaskbar, 1) != 0) exStyle |= kWsExAppWindow;
  return {style, exStyle};
}

Rect WindowPlace(const WindowDefinition& window, int32_t screenWidth, int32_t screenHeight) {
  int32_t left = window.left;
  int32_t top = window.top;
  if (IntegerProperty(window.properties, prop::kPosition, 0) == 1) {
    left = (screenWidth - window.width) / 2;
    top = (screenHeight - window.height) / 2;
  }
  return {left, top, left + window.width, top + window.height};
}

ShowState InitialShowState(const WindowDefinition& window) {
  switch (IntegerProperty(window.properties, prop::kPosition, 0)) {
    case 3: return ShowState::Maximised;
    case 2: return ShowState::Minimised;
    default: return ShowState::Normal;
  }
}

uint32_t EditBoxStyle(bool multiLine, int32_t scrollBars, bool hideSelection, bool tabStop,
                      int32_t border, int32_t alignment, int32_t inputMode) {
  uint32_t style = kWsChild | kWsClipSiblings;
  if (tabStop) style |= kWsTabStop;
  if (border != 0) style |= kWsBorder;
  if (!hideSelection) style |= kEsNoHideSel;
  if (alignment == 1) style |= kEsCenter;
  if (alignment == 2) style |= kEsRight;
  if (inputMode == 1) style |= kEsReadOnly;
  if (inputMode == 2) style |= kEsPassword;
  if (!multiLine) return style | kEsAutoHScroll;
  style |= kEsMultiLine | kEsAutoVScroll | kEsWantReturn;
  if (scrollBars == 1 || scrollBars == 3) style |= kEsAutoHScroll | kWsHScroll;
  if (scrollBars == 2 || scrollBars == 3) style |= kWsVScroll;
  return style;
}

uint32_t ButtonStyle(bool tabStop, bool defaultButton) {
  uint32_t style = kWsChild | kWsClipSiblings | kBsCenter | kBsVCenter | kBsMultiLine;
  style |= defaultButton ? kBsDefPushButton : kBsPushButton;
  if (tabStop) style |= kWsTabStop;
  return style;
}

uint32_t RadioBoxStyle(bool tabStop, bool pushLike, bool flat, bool captionLeft) {
  uint32_t style =
      kWsChild | kWsClipSiblings | kBsAutoRadioButton | kBsMultiLine | kBsLeft | kBsVCenter;
  if (tabStop) style |= kWsTabStop;
  if (pushLike) style |= kBsPushLike;
  if (flat) style |= kBsFlat;
  if (captionLeft) style |= kBsLeftText;
  return style;
}

std::vector<MenuEntry> MenuTree(const WindowDefinition& window) {
  std::vector<MenuEntry> bar;
  int32_t index = 0;
  for (const ControlDefinition& control : window.controls) {
    if (control.type != ControlType::MenuItem) continue;
    MenuEntry entry{&control, kFirstMenuCommand + index++, {}};
    if (IntegerProperty(control.properties, prop::kMenuLevel, 0) == 0 || bar.empty()) {
      bar.push_back(std::move(entry));
    } else {
      bar.back().dropDown.push_back(std::move(entry));
    }
  }
  return bar;
}

const ControlDefinition* MenuItemForCommand(const WindowDefinition& window, int32_t commandId) {
  if (commandId < kFirstMenuCommand || commandId >= kEndOfMenuCommands) return nullptr;
  int32_t index = commandId - kFirstMenuCommand;
  for (const ControlDefinition& control : window.controls) {
    if (control.type != ControlType::MenuItem) continue;
    if (index-- == 0) return &control;
  }
  return nullptr;
}

namespace {

// The controls that pass the filter, ordered by tab-order value with equal values in the
// reverse of stored order.
template <typename Filter>
std::vector<size_t> OrderedControls(const WindowDefinition& window, Filter filter) {
  std::vector<size_t> order;
  for (size_t i = window.controls.size(); i-- > 0;) {
    if (filter(window.controls[i])) order.push_back(i);
  }
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return window.controls[a].tabOrder < window.controls[b].tabOrder;
  });
  return order;
}

}  // namespace

std::vector<size_t> FocusOrder(const WindowDefinition& window) {
  return OrderedControls(window, [](const ControlDefinition& control) {
    return control.tabStop && control.type != ControlType::MenuItem &&
           control.type != ControlType::CommonDlg;
  });
}

std::vector<size_t> RadioBoxOrder(const WindowDefinition& window) {
  return OrderedControls(window, [](const ControlDefinition& control) {
    return control.type == ControlType::RadioBox;
  });
}

char MnemonicOf(std::string_view caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(caption[i]);
    if (byte >= 0x80) {  // a double-byte character: its trail byte is no "&"
      ++i;
      continue;
    }
    if (caption[i] != '&') continue;
    const char marked = caption[i + 1];
    if (marked == '&') {
      ++i;
      continue;
    }
    if (marked >= 'a' && marked <= 'z') return static_cast<char>(marked - 'a' + 'A');
    if ((marked >= 'A' && marked <= 'Z') || (marked >= '0' && marked <= '9')) return marked;
    return 0;
  }
  return 0;
}
