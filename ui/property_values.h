#pragma once
// Current values of a loaded window or control, and the rules for the kinds of value that
// properties take.
#include <cstdint>
#include <vector>

#include "storage/text.h"
#include "ui/definitions.h"

// A property's value as it passes through ReadProperty and WriteProperty: integers, bools,
// choices and colours in integer, texts in text.
struct Value {
  int32_t integer = 0;
  Text text;
  static Value Of(int32_t integer) { return {integer, Text()}; }
  static Value OfText(Text text) { return {0, std::move(text)}; }
};

enum class ValueKind { IntegerValue, BoolValue, ChoiceValue, ColourValue, TextValue };

struct PropertyKind {
  ValueKind kind;
  int32_t maximum;  // for a choice
  bool live;        // read from the system window, and the read replaces the current value
};

// The kind of a property of a control type; the common numbers 0 to 7 are integers (tag, 4,
// is a text). Numbers no type defines are integers.
PropertyKind KindOf(ControlType type, int32_t number);
PropertyKind KindOfWindowProperty(int32_t number);

// What WriteProperty makes of a written value before the control takes it: a bool becomes 1 or
// 0 and a negative choice 0.
int32_t ConvertWritten(const PropertyKind& kind, int32_t value);

// What the control then makes of it: a choice above its maximum becomes the maximum, and the
// dialog's filter index is never negative.
int32_t ClampForControl(ControlType type, int32_t number, const PropertyKind& kind, int32_t value);

// One value per property number, started from a definition.
struct CurrentValues {
  struct Entry {
    int32_t number;
    Value value;
  };
  std::vector<Entry> entries;

  static CurrentValues From(std::span<const PropertyValue> stored);
  const Value* Find(int32_t number) const;
  int32_t Integer(int32_t number, int32_t fallback = 0) const;
  Text TextOf(int32_t number) const;
  void Set(int32_t number, Value value);
};
