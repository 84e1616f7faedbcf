#pragma once
// The settings file config.ini beside the executable. It remembers one choice: whether the
// note's text box shows a vertical scroll bar.
#include <optional>

#include "storage/text.h"

// Section and key names, GBK bytes.
inline constexpr char kScrollSection[] = "\xB9\xF6\xB6\xAF\xCC\xF5";       // 滚动条
inline constexpr char kScrollSectionNo[] = "\xB9\xF6\xB6\xAF\xCC\xF5" "2"; // 滚动条2
inline constexpr char kScrollKeyYes[] = "\xCA\xC7";                        // 是
inline constexpr char kScrollKeyNo[] = "\xB7\xF1";                         // 否

// The entry's value, cut to 10239 bytes; the default when the file, section or key is missing.
// A file name, section or key that is empty once its leading bytes 0x01 to 0x20 are skipped
// reads nothing and gives "".
Text ReadProfileEntry(const Text& fileName, const Text& section, const Text& key,
                      const Text& defaultValue = Text());

// Writes the entry; an omitted value removes the key, an omitted key the whole section.
bool WriteProfileEntry(const Text& fileName, const Text& section, const std::optional<Text>& key,
                       const std::optional<Text>& value);

// The stored scroll-bar value: 2 after a yes, 0 after a no or when nothing is stored.
int32_t ReadScrollSetting();

// Stores the yes (2) or no (0) choice in its section and empties the other one's key.
void WriteScrollChoice(bool yes);

// The name with its leading bytes 0x01 to 0x20 skipped.
std::string_view SkipLeadingControlBytes(std::string_view name);
