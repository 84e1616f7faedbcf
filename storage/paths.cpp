#include "storage/paths.h"

Text DirectoryOfPath(std::string_view path, bool (*isLeadByte)(unsigned char)) {
  size_t lastSeparator = std::string_view::npos;
  for (size_t i = 0; i < path.size() && path[i] != '\0'; ++i) {
    const unsigned char byte = static_cast<unsigned char>(path[i]);
    if (isLeadByte != nullptr && isLeadByte(byte)) {
      if (i + 1 < path.size() && path[i + 1] != '\0') ++i;  // the trail byte belongs to this character
      continue;
    }
    if (byte == '\\') lastSeparator = i;
  }
  if (lastSeparator == std::string_view::npos) return Text();
  return Text(path.substr(0, lastSeparator));
}

bool IsCodePage936LeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

namespace {
Text& StoredRunDirectory() {
  static Text folder;
  return folder;
}
}  // namespace

void SetRunDirectory(std::string_view folder) { StoredRunDirectory() = Text(folder); }
Text RunDirectory() { return StoredRunDirectory(); }

Text DataDir() { return JoinTexts({RunDirectory(), "\\Data"}); }
Text NoteFile() { return JoinTexts({RunDirectory(), "\\Data\\preserve.txt"}); }
Text SettingsFile() { return JoinTexts({RunDirectory(), "\\config.ini"}); }

Text ExportTarget(const Text& fileName) {
  constexpr std::string_view kSuffix = ".txt";
  bool hasSuffix = fileName.size() >= kSuffix.size();
  for (size_t i = 0; hasSuffix && i < kSuffix.size(); ++i) {
    char c = fileName[fileName.size() - kSuffix.size() + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    hasSuffix = c == kSuffix[i];
  }
  return hasSuffix ? fileName : JoinTexts({fileName, kSuffix});
}
