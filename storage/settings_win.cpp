#include <windows.h>

#include "storage/paths.h"
#include "storage/settings.h"

Text ReadProfileEntry(const Text& fileName, const Text& section, const Text& key,
                      const Text& defaultValue) {
  const Text file(SkipLeadingControlBytes(fileName));
  const Text sectionName(SkipLeadingControlBytes(section));
  const Text keyName(SkipLeadingControlBytes(key));
  if (file.empty() || sectionName.empty() || keyName.empty()) return Text();
  constexpr DWORD kBufferSize = 10240;
  Text value(kBufferSize, '\0');
  const DWORD length = GetPrivateProfileStringA(sectionName.c_str(), keyName.c_str(),
                                                defaultValue.c_str(), value.data(), kBufferSize,
                                                file.c_str());
  value.resize(length < kBufferSize ? length : kBufferSize - 1);
  return value;
}

bool WriteProfileEntry(const Text& fileName, const Text& section, const std::optional<Text>& key,
                       const std::optional<Text>& value) {
  // Windows refuses to write a read-only file; Wine running as root would not, so the attribute
  // is honoured here as it is for the note.
  const DWORD attributes = GetFileAttributesA(fileName.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) return false;
  return WritePrivateProfileStringA(section.c_str(), key ? key->c_str() : nullptr,
                                    value ? value->c_str() : nullptr, fileName.c_str()) != FALSE;
}

int32_t ReadScrollSetting() {
  return TextToInt(ReadProfileEntry(SettingsFile(), kScrollSection, kScrollKeyYes));
}

void WriteScrollChoice(bool yes) {
  if (yes) {
    WriteProfileEntry(SettingsFile(), kScrollSection, Text(kScrollKeyYes), Text("2"));
    WriteProfileEntry(SettingsFile(), kScrollSectionNo, Text(kScrollKeyNo), Text());
  } else {
    WriteProfileEntry(SettingsFile(), kScrollSectionNo, Text(kScrollKeyNo), Text("0"));
    WriteProfileEntry(SettingsFile(), kScrollSection, Text(kScrollKeyYes), Text());
  }
}
