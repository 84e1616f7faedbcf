#include "ui/definitions.h"

#include <iterator>

namespace {

using namespace prop;

// ---- MainWindow ------------------------------------------------------------------------------

constexpr PropertyValue kMainWindowProperties[] = {
    {kWindowTitle, 0, ""},
    {kWindowBorder, 2, nullptr},  // fixed frame
    {kWindowBackColour, static_cast<int32_t>(kNoColour), nullptr},
    {kControlBox, 1, nullptr},
    {kMaximiseBox, 0, nullptr},
    {kMinimiseBox, 1, nullptr},
    {kPosition, 1, nullptr},  // centred on the screen when built
    {kMovable, 1, nullptr},
    {kEnterMovesFocus, 0, nullptr},
    {kEscCloses, 0, nullptr},
    {kF1Help, 0, nullptr},
    {kShownInTaskbar, 1, nullptr},
    {kDragAnywhere, 0, nullptr},
    {kShape, 0, nullptr},
    {kAlwaysOnTop, 0, nullptr},
};

constexpr PropertyValue kSaveDialogProperties[] = {
    {kDialogKind, 1, nullptr},  // save
    {kDialogTitle, 0, ""},
    {kDialogFileName, 0, ""},
    {kDialogFilter, 0, "Txt\xCE\xC4\xB1\xBE|*.txt"},  // Txt文本|*.txt
    {kDialogFilterIndex, 0, nullptr},
    {kDialogInitialFolder, 0, ""},
    // A name typed without an extension gets ".txt" from the dialog itself, so its question
    // before replacing a file is about the file that is really written.
    {kDialogDefaultExtension, 0, "txt"},
    {kDialogCreatePrompt, 0, nullptr},
    {kDialogFileMustExist, 1, nullptr},
    {kDialogOverwritePrompt, 1, nullptr},
    {kDialogPathMustExist, 1, nullptr},
    {kDialogKeepCurrentFolder, 0, nullptr},
};

constexpr PropertyValue kNoteBoxProperties[] = {
    {kEditText, 0, ""},
    {kEditBorder, 5, nullptr},  // a plain one-pixel line
    {kEditTextColour, 0x00000000, nullptr},
    {kEditBackColour, 0x0000FFFF, nullptr},  // yellow
    {kEditHideSelection, 1, nullptr},
    {kEditMaxLength, 0, nullptr},  // no limit of its own
    {kEditMultiLine, 1, nullptr},
    {kEditScrollBars, 0, nullptr},
    {kEditAlignment, 0, nullptr},
    {kEditInputMode, 0, nullptr},
    {kEditSelStart, 0, nullptr},
    {kEditSelLength, 0, nullptr},
};

constexpr PropertyValue MenuLevel(int32_t level) { return {kMenuLevel, level, nullptr}; }

constexpr PropertyValue kMenuProgram[] = {{kMenuCaption, 0, "\xB3\xCC\xD0\xF2"}, MenuLevel(0)};  // 程序
constexpr PropertyValue kMenuAbout[] = {{kMenuCaption, 0, "\xB9\xD8\xD3\xDA"}, MenuLevel(1)};    // 关于
constexpr PropertyValue kMenuSettings[] = {{kMenuCaption, 0, "\xC9\xE8\xD6\xC3"}, MenuLevel(1)}; // 设置
constexpr PropertyValue kMenuExit[] = {{kMenuCaption, 0, "\xCD\xCB\xB3\xF6"}, MenuLevel(1)};     // 退出
constexpr PropertyValue kMenuText[] = {{kMenuCaption, 0, "\xCE\xC4\xB1\xBE"}, MenuLevel(0)};     // 文本
constexpr PropertyValue kMenuSave[] = {{kMenuCaption, 0, "\xB1\xA3\xB4\xE6"}, MenuLevel(1)};     // 保存
constexpr PropertyValue kMenuSaveAs[] = {{kMenuCaption, 0, "\xC1\xED\xB4\xE6\xCE\xAA"}, MenuLevel(1)};  // 另存为

constexpr EventBinding kAboutChosen[] = {{event::kMenuChosen, HandlerName::About}};
constexpr EventBinding kSettingsChosen[] = {{event::kMenuChosen, HandlerName::OpenSettings}};
constexpr EventBinding kExitChosen[] = {{event::kMenuChosen, HandlerName::Exit}};
constexpr EventBinding kSaveChosen[] = {{event::kMenuChosen, HandlerName::Save}};
constexpr EventBinding kSaveAsChosen[] = {{event::kMenuChosen, HandlerName::SaveAs}};

constexpr ControlDefinition MenuItem(const char* name, uint32_t id,
                                     std::span<const PropertyValue> properties,
                                     std::span<const EventBinding> events) {
  return {ControlType::MenuItem, name, id, 0, 0, 0, 0, true, false, false, 0, properties, events};
}

// Menu items have no names of their own; their captions stand in.
constexpr ControlDefinition kMainWindowControls[] = {
    {ControlType::CommonDlg, "\xCD\xA8\xD3\xC3\xB6\xD4\xBB\xB0\xBF\xF2" "1", 0x16010031,  // 通用对话框1
     120, 88, 24, 24, false, false, false, 0, kSaveDialogProperties, {}},
    MenuItem("\xB3\xCC\xD0\xF2", 0x26010005, kMenuProgram, {}),
    MenuItem("\xB9\xD8\xD3\xDA", 0x26010006, kMenuAbout, kAboutChosen),
    MenuItem("\xC9\xE8\xD6\xC3", 0x2601000A, kMenuSettings, kSettingsChosen),
    MenuItem("\xCD\xCB\xB3\xF6", 0x26010007, kMenuExit, kExitChosen),
    MenuItem("\xCE\xC4\xB1\xBE", 0x2601002C, kMenuText, {}),
    MenuItem("\xB1\xA3\xB4\xE6", 0x2601002D, kMenuSave, kSaveChosen),
    MenuItem("\xC1\xED\xB4\xE6\xCE\xAA", 0x2601002E, kMenuSaveAs, kSaveAsChosen),
    {ControlType::EditBox, "\xB1\xE0\xBC\xAD\xBF\xF2" "1", 0x16010002,  // 编辑框1
     0, 0, 160, 128, true, false, true, 0, kNoteBoxProperties, {}},
};

constexpr EventBinding kMainWindowEvents[] = {
    {event::kWindowCreated, HandlerName::PlaceWindowAndRestoreNote}};

// ---- SettingsWindow --------------------------------------------------------------------------

constexpr PropertyValue kSettingsWindowProperties[] = {
    {kWindowTitle, 0, "\xC9\xE8\xD6\xC3"},  // 设置
    {kWindowBorder, 2, nullptr},
    {kWindowBackColour, static_cast<int32_t>(kNoColour), nullptr},
    {kControlBox, 1, nullptr},
    {kMaximiseBox, 0, nullptr},
    {kMinimiseBox, 1, nullptr},
    {kPosition, 1, nullptr},
    {kMovable, 1, nullptr},
    {kEnterMovesFocus, 0, nullptr},
    {kEscCloses, 1, nullptr},
    {kF1Help, 0, nullptr},
    {kShownInTaskbar, 1, nullptr},
    {kDragAnywhere, 0, nullptr},
    {kShape, 0, nullptr},
    {kAlwaysOnTop, 0, nullptr},
};

constexpr PropertyValue kOkButtonProperties[] = {
    {kButtonKind, 0, nullptr},  // ordinary, not the default button
    {kButtonCaption, 0, "\xC8\xB7\xB6\xA8"},  // 确定
    {kButtonHAlign, 1, nullptr},
    {kButtonVAlign, 1, nullptr},
};

constexpr PropertyValue RadioProperties(const char* caption) { return {kRadioCaption, 0, caption}; }
constexpr PropertyValue kNoRadioProperties[] = {
    {kRadioPushLike, 0, nullptr}, {kRadioFlat, 0, nullptr}, RadioProperties("\xB7\xF1"),  // 否
    {kRadioCaptionLeft, 0, nullptr}, {kRadioHAlign, 0, nullptr}, {kRadioVAlign, 1, nullptr},
    {kRadioTextColour, 0x00000000, nullptr}, {kRadioBackColour, static_cast<int32_t>(kNoColour), nullptr},
    {kRadioChecked, 0, nullptr},
};
constexpr PropertyValue kYesRadioProperties[] = {
    {kRadioPushLike, 0, nullptr}, {kRadioFlat, 0, nullptr}, RadioProperties("\xCA\xC7"),  // 是
    {kRadioCaptionLeft, 0, nullptr}, {kRadioHAlign, 0, nullptr}, {kRadioVAlign, 1, nullptr},
    {kRadioTextColour, 0x00000000, nullptr}, {kRadioBackColour, static_cast<int32_t>(kNoColour), nullptr},
    {kRadioChecked, 0, nullptr},
};

constexpr PropertyValue LabelText(const char* text) { return {kLabelText, 0, text}; }
constexpr PropertyValue kScrollLabelProperties[] = {
    LabelText("\xB1\xEA\xC7\xA9\xCA\xC7\xB7\xF1\xD2\xAA\xB9\xF6\xB6\xAF\xCC\xF5"),  // 标签是否要滚动条
    {kLabelBorder, 0, nullptr}, {kLabelTextColour, 0x00000000, nullptr},
    {kLabelBackColour, static_cast<int32_t>(kNoColour), nullptr}, {kLabelHAlign, 0, nullptr},
    {kLabelWordWrap, 0, nullptr}, {kLabelVAlign, 1, nullptr},
};
constexpr PropertyValue kColourLabelProperties[] = {
    LabelText("\xB1\xEA\xC7\xA9\xD1\xD5\xC9\xAB"),  // 标签颜色
    {kLabelBorder, 0, nullptr}, {kLabelTextColour, 0x00000000, nullptr},
    {kLabelBackColour, static_cast<int32_t>(kNoColour), nullptr}, {kLabelHAlign, 0, nullptr},
    {kLabelWordWrap, 0, nullptr}, {kLabelVAlign, 1, nullptr},
};

constexpr PropertyValue kPickerProperties[] = {
    {kPickerColour, 0x00000000, nullptr},
    {kPickerAllowTransparent, 0, nullptr},
};

constexpr EventBinding kColourButtonClicked[] = {{event::kClicked, HandlerName::ApplyColour}};
constexpr EventBinding kScrollButtonClicked[] = {{event::kClicked, HandlerName::ApplyScrollChoice}};

constexpr ControlDefinition kSettingsWindowControls[] = {
    {ControlType::Button, "\xB0\xB4\xC5\xA5" "2", 0x16010019,  // 按钮2
     40, 88, 56, 24, true, false, true, 0, kOkButtonProperties, kScrollButtonClicked},
    {ControlType::RadioBox, "\xB5\xA5\xD1\xA1\xBF\xF2" "2", 0x16010018,  // 单选框2
     72, 64, 32, 16, true, false, true, 0, kNoRadioProperties, {}},
    {ControlType::RadioBox, "\xB5\xA5\xD1\xA1\xBF\xF2" "1", 0x16010017,  // 单选框1
     24, 64, 32, 16, true, false, true, 0, kYesRadioProperties, {}},
    {ControlType::Label, "\xB1\xEA\xC7\xA9" "2", 0x16010016,  // 标签2
     0, 40, 96, 16, true, false, false, 0, kScrollLabelProperties, {}},
    {ControlType::ColorPicker, "\xD1\xD5\xC9\xAB\xD1\xA1\xD4\xF1\xC6\xF7" "1", 0x16010015,  // 颜色选择器1
     24, 16, 48, 20, true, false, true, 0, kPickerProperties, {}},
    {ControlType::Button, "\xB0\xB4\xC5\xA5" "1", 0x16010012,  // 按钮1
     72, 16, 40, 20, true, false, true, 0, kOkButtonProperties, kColourButtonClicked},
    {ControlType::Label, "\xB1\xEA\xC7\xA9" "1", 0x1601000E,  // 标签1
     0, 0, 48, 16, true, false, false, 0, kColourLabelProperties, {}},
};

constexpr EventBinding kSettingsWindowEvents[] = {
    {event::kWindowCreated, HandlerName::SettingsCreated}};

constexpr WindowDefinition kWindows[] = {
    {0x52010001, 0x06010000, "", 50, 50, 165, 178, true, false, kMainWindowProperties,
     kMainWindowControls, kMainWindowEvents},
    {0x5201000D, 0x0601000C, "", 50, 50, 148, 143, true, false, kSettingsWindowProperties,
     kSettingsWindowControls, kSettingsWindowEvents},
};

bool BindingsAreKnown(std::span<const EventBinding> events) {
  for (const EventBinding& binding : events) {
    if (static_cast<int>(binding.handler) >= kHandlerNameCount) return false;
  }
  return true;
}

}  // namespace

std::span<const WindowDefinition> WindowDefinitions() { return kWindows; }

const WindowDefinition* FindWindowDefinition(uint32_t windowId) {
  for (const WindowDefinition& window : kWindows) {
    if (window.id == windowId) return &window;
  }
  return nullptr;
}

const ControlDefinition* FindControlDefinition(const WindowDefinition& window, uint32_t controlId) {
  for (const ControlDefinition& control : window.controls) {
    if (control.id == controlId) return &control;
  }
  return nullptr;
}

const PropertyValue* FindProperty(std::span<const PropertyValue> properties, int32_t number) {
  for (const PropertyValue& property : properties) {
    if (property.number == number) return &property;
  }
  return nullptr;
}

int32_t IntegerProperty(std::span<const PropertyValue> properties, int32_t number, int32_t fallback) {
  const PropertyValue* property = FindProperty(properties, number);
  return property != nullptr ? property->integer : fallback;
}

const char* TextProperty(std::span<const PropertyValue> properties, int32_t number) {
  const PropertyValue* property = FindProperty(properties, number);
  return property != nullptr && property->text != nullptr ? property->text : "";
}

bool DefinitionsAreConsistent(std::span<const WindowDefinition> windows) {
  if (windows.empty()) return false;
  for (size_t w = 0; w < windows.size(); ++w) {
    const WindowDefinition& window = windows[w];
    if (window.name == nullptr || window.width <= 0 || window.height <= 0) return false;
    for (size_t other = 0; other < w; ++other) {
      if (windows[other].id == window.id) return false;
    }
    if (!BindingsAreKnown(window.events)) return false;
    bool menuEntrySeen = false;
    for (size_t c = 0; c < window.controls.size(); ++c) {
      const ControlDefinition& control = window.controls[c];
      if (control.name == nullptr || control.id == window.ownControlId) return false;
      for (size_t other = 0; other < c; ++other) {
        if (window.controls[other].id == control.id) return false;
      }
      for (const PropertyValue& property : control.properties) {
        if (property.number < 8) return false;
      }
      if (!BindingsAreKnown(control.events)) return false;
      if (control.type == ControlType::MenuItem) {
        const int32_t level = IntegerProperty(control.properties, kMenuLevel, -1);
        if (level != 0 && level != 1) return false;
        if (level == 1 && !menuEntrySeen) return false;
        menuEntrySeen = true;
      }
    }
  }
  return true;
}
