#include "storage/settings.h"

std::string_view SkipLeadingControlBytes(std::string_view name) {
  size_t i = 0;
  while (i < name.size() && static_cast<unsigned char>(name[i]) >= 0x01 &&
         static_cast<unsigned char>(name[i]) <= 0x20) {
    ++i;
  }
  return name.substr(i);
}
