#include "ui/property_values.h"

namespace {

constexpr PropertyKind IntegerKind() { return {ValueKind::IntegerValue, 0, false}; }
constexpr PropertyKind BoolKind() { return {ValueKind::BoolValue, 1, false}; }
constexpr PropertyKind ChoiceKind(int32_t maximum) { return {ValueKind::ChoiceValue, maximum, false}; }
constexpr PropertyKind ColourKind() { return {ValueKind::ColourValue, 0, false}; }
constexpr PropertyKind TextKind() { return {ValueKind::TextValue, 0, false}; }

PropertyKind Live(PropertyKind kind) {
  kind.live = true;
  return kind;
}

}  // namespace

PropertyKind KindOf(ControlType type, int32_t number) {
  using namespace prop;
  if (number == kTag) return TextKind();
  if (number == kVisible || number == kDisabled) return BoolKind();
  if (number < 8) return IntegerKind();
  switch (type) {
    case ControlType::EditBox:
      switch (number) {
        case kEditText: return Live(TextKind());
        case kEditTextColour:
        case kEditBackColour: return ColourKind();
        case kEditHideSelection:
        case kEditMultiLine: return BoolKind();
        case kEditScrollBars: return ChoiceKind(3);
        case kEditAlignment:
        case kEditInputMode: return ChoiceKind(2);
        default: return IntegerKind();
      }
    case ControlType::Label:
      switch (number) {
        case kLabelText: return TextKind();
        case kLabelTextColour:
        case kLabelBackColour: return ColourKind();
        case kLabelWordWrap: return BoolKind();
        default: return IntegerKind();
      }
    case ControlType::Button:
      return number == kButtonCaption ? TextKind() : IntegerKind();
    case ControlType::RadioBox:
      switch (number) {
        case kRadioCaption: return TextKind();
        case kRadioChecked: return Live(BoolKind());
        case kRadioPushLike:
        case kRadioFlat:
        case kRadioCaptionLeft: return BoolKind();
        case kRadioTextColour:
        case kRadioBackColour: return ColourKind();
        default: return IntegerKind();
      }
    case ControlType::ColorPicker:
      if (number == kPickerColour) return ColourKind();
      if (number == kPickerAllowTransparent) return BoolKind();
      return IntegerKind();
    case ControlType::CommonDlg:
      switch (number) {
        case kDialogKind: return ChoiceKind(3);
        case kDialogTitle:
        case kDialogFileName:
        case kDialogFilter:
        case kDialogInitialFolder:
        case kDialogDefaultExtension: return TextKind();
        case kDialogFilterIndex: return IntegerKind();
        case kDialogCreatePrompt:
        case kDialogFileMustExist:
        case kDialogOverwritePrompt:
        case kDialogPathMustExist:
        case kDialogKeepCurrentFolder: return BoolKind();
        default: return IntegerKind();
      }
    case ControlType::MenuItem:
      if (number == kMenuCaption) return TextKind();
      if (number == kMenuLevel || number == kMenuShortcut) return IntegerKind();
      return BoolKind();
  }
  return IntegerKind();
}

PropertyKind KindOfWindowProperty(int32_t number) {
  using namespace prop;
  switch (number) {
    case kTag:
    case kWindowTitle: return TextKind();
    case kWindowBackColour: return ColourKind();
    case kVisible:
    case kDisabled:
    case kControlBox:
    case kMaximiseBox:
    case kMinimiseBox:
    case kMovable:
    case kEnterMovesFocus:
    case kEscCloses:
    case kF1Help:
    case kShownInTaskbar:
    case kDragAnywhere:
    case kAlwaysOnTop: return BoolKind();
    default: return IntegerKind();
  }
}

int32_t ConvertWritten(const PropertyKind& kind, int32_t value) {
  if (kind.kind == ValueKind::BoolValue) return value != 0 ? 1 : 0;
  if (kind.kind == ValueKind::ChoiceValue && value < 0) return 0;
  return value;
}

int32_t ClampForControl(ControlType type, int32_t number, const PropertyKind& kind, int32_t value) {
  if (kind.kind == ValueKind::ChoiceValue && value > kind.maximum) return kind.maximum;
  if (type == ControlType::CommonDlg && number == prop::kDialogFilterIndex && value < 0) return 0;
  return value;
}

CurrentValues CurrentValues::From(std::span<const PropertyValue> stored) {
  CurrentValues values;
  values.entries.reserve(stored.size());
  for (const PropertyValue& property : stored) {
    Value value;
    if (property.text != nullptr) {
      value.text = property.text;
    } else {
      value.integer = property.integer;
    }
    values.entries.push_back({property.number, std::move(value)});
  }
  return values;
}

const Value* CurrentValues::Find(int32_t number) const {
  for (const Entry& entry : entries) {
    if (entry.number == number) return &entry.value;
  }
  return nullptr;
}

int32_t CurrentValues::Integer(int32_t number, int32_t fallback) const {
  const Value* value = Find(number);
  return value != nullptr ? value->integer : fallback;
}

Text CurrentValues::TextOf(int32_t number) const {
  const Value* value = Find(number);
  return value != nullptr ? value->text : Text();
}

void CurrentValues::Set(int32_t number, Value value) {
  for (Entry& entry : entries) {
    if (entry.number == number) {
      entry.value = std::move(value);
      return;
    }
  }
  entries.push_back({number, std::move(value)});
}
