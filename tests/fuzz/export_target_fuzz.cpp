// ExportTarget on any file name.
#include <string>

#include "storage/paths.h"
#include "tests/fuzz/property_check.h"

namespace {

bool EndsInTxt(const Text& name) {
  if (name.size() < 4) return false;
  std::string end = name.substr(name.size() - 4);
  for (char& c : end) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return end == ".txt";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Text name(InputText(data, size));
  const Text target = ExportTarget(name);
  RequireProperty(EndsInTxt(target), "the target ends in .txt");
  RequireProperty(target == (EndsInTxt(name) ? name : name + ".txt"),
                  "the name itself, or the name with .txt appended");
  RequireProperty(ExportTarget(target) == target, "a target is its own target");
  return 0;
}
