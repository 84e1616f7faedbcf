#pragma once
// The two windows of the program as fixed data: each window's own properties, its controls and
// menu items in stored order, and the binding of events to named handlers. Everything a window
// shows is built from these tables when it is loaded; they never change while the program runs.
#include <cstdint>
#include <span>

using Colour = uint32_t;                       // 0x00BBGGRR
inline constexpr Colour kNoColour = 0xFF000000;  // no colour of its own: the button-face colour

enum class ControlType : uint8_t { EditBox, Label, Button, RadioBox, ColorPicker, CommonDlg, MenuItem };

// The handlers the definitions bind. Start-up ties each name to its function.
enum class HandlerName : uint8_t {
  PlaceWindowAndRestoreNote,
  About,
  OpenSettings,
  Exit,
  Save,
  SaveAs,
  SettingsCreated,
  ApplyColour,
  ApplyScrollChoice,
};
inline constexpr int kHandlerNameCount = 9;

struct EventBinding {
  int32_t event;
  HandlerName handler;
};

// One stored property value. Text properties carry text (never null for them); the others
// carry integer.
struct PropertyValue {
  int32_t number;
  int32_t integer;
  const char* text;
};

struct ControlDefinition {
  ControlType type;
  const char* name;  // GBK; shown only by the fatal report
  uint32_t id;
  int32_t left, top, width, height;
  bool visible, disabled, tabStop;
  int32_t tabOrder;
  std::span<const PropertyValue> properties;  // the type's own, from number 8 on
  std::span<const EventBinding> events;
};

struct WindowDefinition {
  uint32_t id;
  uint32_t ownControlId;
  const char* name;  // GBK; empty for both windows
  int32_t left, top, width, height;  // outer size
  bool visible, disabled;
  std::span<const PropertyValue> properties;  // from number 8 on
  std::span<const ControlDefinition> controls;  // stored order, menu items among them
  std::span<const EventBinding> events;
};

// ControlRefs the handlers use.
struct ControlRef {
  uint32_t windowId;
  uint32_t controlId;
};
inline constexpr ControlRef kMainWindow{0x52010001, 0x06010000};
inline constexpr ControlRef kNoteBox{0x52010001, 0x16010002};         // 编辑框1
inline constexpr ControlRef kSaveDialog{0x52010001, 0x16010031};      // 通用对话框1
inline constexpr ControlRef kSettingsWindow{0x5201000D, 0x0601000C};
inline constexpr ControlRef kColourPicker{0x5201000D, 0x16010015};    // 颜色选择器1
inline constexpr ControlRef kYesRadio{0x5201000D, 0x16010017};        // 单选框1 "是"
inline constexpr ControlRef kNoRadio{0x5201000D, 0x16010018};         // 单选框2 "否"
inline constexpr ControlRef kColourButton{0x5201000D, 0x16010012};    // 按钮1
inline constexpr ControlRef kScrollButton{0x5201000D, 0x16010019};    // 按钮2

// Property numbers. 0 to 7 are common to windows and every control type.
namespace prop {
inline constexpr int32_t kLeft = 0, kTop = 1, kWidth = 2, kHeight = 3, kTag = 4, kVisible = 5,
                         kDisabled = 6, kMousePointer = 7;
// Windows.
inline constexpr int32_t kWindowTitle = 8, kWindowBorder = 9, kWindowBackColour = 10,
                         kControlBox = 15, kMaximiseBox = 16, kMinimiseBox = 17, kPosition = 18,
                         kMovable = 19, kIcon = 20, kEnterMovesFocus = 21, kEscCloses = 22,
                         kF1Help = 23, kShownInTaskbar = 26, kDragAnywhere = 27, kShape = 28,
                         kAlwaysOnTop = 29;
// EditBox.
inline constexpr int32_t kEditText = 8, kEditBorder = 9, kEditTextColour = 10,
                         kEditBackColour = 11, kEditFont = 12, kEditHideSelection = 13,
                         kEditMaxLength = 14, kEditMultiLine = 15, kEditScrollBars = 16,
                         kEditAlignment = 17, kEditInputMode = 18, kEditSelStart = 24,
                         kEditSelLength = 25;
// Label.
inline constexpr int32_t kLabelText = 8, kLabelBorder = 10, kLabelFont = 15, kLabelTextColour = 16,
                         kLabelBackColour = 17, kLabelHAlign = 24, kLabelWordWrap = 25,
                         kLabelVAlign = 26;
// Button.
inline constexpr int32_t kButtonKind = 9, kButtonCaption = 10, kButtonHAlign = 11,
                         kButtonVAlign = 12, kButtonFont = 13;
// RadioBox.
inline constexpr int32_t kRadioPushLike = 9, kRadioFlat = 10, kRadioCaption = 11,
                         kRadioCaptionLeft = 12, kRadioHAlign = 13, kRadioVAlign = 14,
                         kRadioTextColour = 15, kRadioBackColour = 16, kRadioFont = 17,
                         kRadioChecked = 18;
// ColorPicker.
inline constexpr int32_t kPickerColour = 8, kPickerAllowTransparent = 9;
// CommonDlg.
inline constexpr int32_t kDialogKind = 8, kDialogTitle = 9, kDialogFileName = 10,
                         kDialogFilter = 11, kDialogFilterIndex = 12, kDialogInitialFolder = 13,
                         kDialogDefaultExtension = 14, kDialogCreatePrompt = 15,
                         kDialogFileMustExist = 16, kDialogOverwritePrompt = 17,
                         kDialogPathMustExist = 18, kDialogKeepCurrentFolder = 19;
// MenuItem.
inline constexpr int32_t kMenuCaption = 8, kMenuLevel = 9, kMenuChecked = 10, kMenuDisabled = 11,
                         kMenuHidden = 12, kMenuShortcut = 13;
}  // namespace prop

// Event numbers.
namespace event {
inline constexpr int32_t kWindowCreated = 0, kWindowQueryClose = 1, kWindowDestroyed = 2,
                         kWindowLoaded = 3, kWindowShown = 4, kWindowClosing = 12;
inline constexpr int32_t kClicked = 0;         // Button, RadioBox
inline constexpr int32_t kContentChanged = 0;  // EditBox
inline constexpr int32_t kColourChosen = 0, kGotFocus = 1, kLostFocus = 2;  // ColorPicker
inline constexpr int32_t kMenuChosen = 0;
}  // namespace event

std::span<const WindowDefinition> WindowDefinitions();
const WindowDefinition* FindWindowDefinition(uint32_t windowId);
// The control with that id, or nullptr. The window's own control id names no control here.
const ControlDefinition* FindControlDefinition(const WindowDefinition& window, uint32_t controlId);
const PropertyValue* FindProperty(std::span<const PropertyValue> properties, int32_t number);
int32_t IntegerProperty(std::span<const PropertyValue> properties, int32_t number, int32_t fallback);
const char* TextProperty(std::span<const PropertyValue> properties, int32_t number);

// Checks that the tables hold together: unique window ids, control ids unique within a window,
// every binding naming a known handler, menu levels 0 or 1 with no item before the first entry.
bool DefinitionsAreConsistent(std::span<const WindowDefinition> windows);
