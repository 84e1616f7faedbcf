// DirectoryOfPath on any bytes, for code page 936 and for a single-byte code page.
#include <string>

#include "storage/paths.h"
#include "tests/fuzz/property_check.h"

namespace {

void CheckDirectory(std::string_view path, const Text& folder) {
  const std::string_view whole = path.substr(0, path.find('\0'));
  RequireProperty(whole.substr(0, folder.size()) == folder, "a prefix of the path");
  RequireProperty(folder.empty() || folder.size() < whole.size(), "shorter than the path");
  RequireProperty(folder.empty() || whole[folder.size()] == '\\', "ends before a backslash");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view path = InputText(data, size);
  const Text doubleByte = DirectoryOfPath(path, IsCodePage936LeadByte);
  const Text singleByte = DirectoryOfPath(path, nullptr);
  CheckDirectory(path, doubleByte);
  CheckDirectory(path, singleByte);

  // In a single-byte code page every backslash separates.
  const std::string_view whole = path.substr(0, path.find('\0'));
  const size_t last = whole.rfind('\\');
  RequireProperty(singleByte == (last == std::string_view::npos ? "" : whole.substr(0, last)),
                  "single-byte: up to the last backslash");
  // Skipping trail bytes can only pass over backslashes, never find a later one.
  RequireProperty(doubleByte.size() <= singleByte.size(), "double-byte never beyond single-byte");
  bool ascii = true;
  for (char c : whole) ascii = ascii && !IsCodePage936LeadByte(static_cast<unsigned char>(c));
  if (ascii) RequireProperty(doubleByte == singleByte, "without lead bytes both agree");

  // The folder ends on a character boundary: a name added below it leads back to it.
  if (!doubleByte.empty()) {
    RequireProperty(DirectoryOfPath(doubleByte + "\\name", IsCodePage936LeadByte) == doubleByte,
                    "double-byte: the folder of a file in the folder");
  }
  if (!singleByte.empty()) {
    RequireProperty(DirectoryOfPath(singleByte + "\\name", nullptr) == singleByte,
                    "single-byte: the folder of a file in the folder");
  }
  return 0;
}
