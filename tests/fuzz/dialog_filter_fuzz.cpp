// DialogFilter on any bytes, for code page 936 and for a single-byte code page.
#include <string>

#include "storage/paths.h"
#include "tests/fuzz/property_check.h"
#include "ui/dialog_rules.h"

namespace {

bool IsTrailingSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

void CheckFilter(std::string_view trimmed, const std::string& converted) {
  RequireProperty(converted.empty() == trimmed.empty(), "empty exactly when only white space");
  if (converted.empty()) return;
  RequireProperty(converted.size() >= 2 && converted[converted.size() - 1] == '\0' &&
                      converted[converted.size() - 2] == '\0',
                  "ends in two zero bytes");
  RequireProperty(converted.size() == trimmed.size() || converted.size() == trimmed.size() + 2,
                  "the text, and at most the closing pair");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view filter = InputText(data, size);
  size_t length = filter.size();
  while (length > 0 && IsTrailingSpace(filter[length - 1])) --length;
  const std::string_view trimmed = filter.substr(0, length);

  const std::string singleByte = DialogFilter(filter, nullptr);
  const std::string doubleByte = DialogFilter(filter, IsCodePage936LeadByte);
  CheckFilter(trimmed, singleByte);
  CheckFilter(trimmed, doubleByte);

  // In a single-byte code page every "|" is a separator; the rest of the text is kept.
  RequireProperty(singleByte.find('|') == std::string::npos, "single-byte: no '|' left");
  for (size_t i = 0; i < trimmed.size() && i < singleByte.size(); ++i) {
    RequireProperty(singleByte[i] == (trimmed[i] == '|' ? '\0' : trimmed[i]),
                    "single-byte: each byte kept or turned into a separator");
  }
  // In code page 936 a "|" stays only as the second byte of a character.
  for (size_t i = 0; i < doubleByte.size(); ++i) {
    if (doubleByte[i] != '|') continue;
    RequireProperty(i > 0 && IsCodePage936LeadByte(static_cast<unsigned char>(doubleByte[i - 1])),
                    "double-byte: a '|' left follows a lead byte");
  }
  return 0;
}
