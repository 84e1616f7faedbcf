// BytesToText on any bytes: the text is the bytes before the first zero byte.
#include "storage/text.h"
#include "tests/fuzz/property_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Bytes bytes(data, data + size);
  const Text text = BytesToText(bytes);
  RequireProperty(text.size() <= bytes.size(), "no longer than the bytes");
  RequireProperty(text.find('\0') == Text::npos, "no zero byte in the text");
  RequireProperty(InputText(data, size).substr(0, text.size()) == text, "a prefix of the bytes");
  RequireProperty(text.size() == bytes.size() || bytes[text.size()] == 0,
                  "stops only at a zero byte");
  if (text.size() == bytes.size()) {
    RequireProperty(TextToBytes(text) == bytes, "bytes without a zero come back whole");
  }
  return 0;
}
