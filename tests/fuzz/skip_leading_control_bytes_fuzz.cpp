// SkipLeadingControlBytes on any name.
#include "storage/settings.h"
#include "tests/fuzz/property_check.h"

namespace {
bool IsSkipped(char c) {
  return static_cast<unsigned char>(c) >= 0x01 && static_cast<unsigned char>(c) <= 0x20;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view name = InputText(data, size);
  const std::string_view rest = SkipLeadingControlBytes(name);
  RequireProperty(rest.size() <= name.size() &&
                      rest.data() == name.data() + (name.size() - rest.size()),
                  "the end of the same name");
  for (char c : name.substr(0, name.size() - rest.size())) {
    RequireProperty(IsSkipped(c), "only bytes 0x01 to 0x20 skipped");
  }
  RequireProperty(rest.empty() || !IsSkipped(rest.front()), "stops at the first other byte");
  RequireProperty(SkipLeadingControlBytes(rest) == rest, "skipping twice changes nothing");
  return 0;
}
