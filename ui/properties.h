#pragma once
// Reading and writing the properties of loaded windows and controls by number. A window or
// control that is not there ends the program with the fatal report.
#include "ui/definitions.h"
#include "ui/property_values.h"

// The value of the property; the text box's text and the radio boxes' check are read from the
// system window and replace the current value. A text comes back empty when there is none.
Value ReadProperty(ControlRef ref, int32_t number, int32_t element = -1);

// Converts the value by the property's kind, stores it and shows it.
void WriteProperty(ControlRef ref, int32_t number, int32_t element, const Value& value);

inline void WriteProperty(ControlRef ref, int32_t number, int32_t integer) {
  WriteProperty(ref, number, -1, Value::Of(integer));
}
inline void WriteTextProperty(ControlRef ref, int32_t number, Text text) {
  WriteProperty(ref, number, -1, Value::OfText(std::move(text)));
}
