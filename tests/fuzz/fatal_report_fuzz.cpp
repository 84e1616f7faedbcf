// BuildFatalReport on any message and ids: the input's first eight bytes are the window id and
// the control id (little-endian, zeros where the input is shorter), the rest is the message.
#include <cstdio>
#include <string>

#include "app/fatal_report.h"
#include "tests/fuzz/property_check.h"
#include "ui/definitions.h"

namespace {

uint32_t ReadId(std::string_view bytes) {
  uint32_t id = 0;
  for (size_t i = 0; i < 4 && i < bytes.size(); ++i) {
    id |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  }
  return id;
}

bool StartsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input = InputText(data, size);
  const uint32_t windowId = ReadId(input.substr(0, 4));
  const uint32_t controlId = ReadId(input.substr(input.size() < 4 ? input.size() : 4, 4));
  const std::string_view message = input.size() > 8 ? input.substr(8) : std::string_view();

  const Text report = BuildFatalReport(message, windowId, controlId);

  // The fixed head, the message line when there is one, then the two ids in signed decimal.
  std::string head = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n";  // 运行时出错!
  if (!message.empty()) {
    head += "\r\n\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";  // 错误信息：
    head += message;
    head += "\r\n";
  }
  char ids[32];
  std::snprintf(ids, sizeof ids, "\r\n%d, %d", static_cast<int32_t>(windowId),
                static_cast<int32_t>(controlId));
  head += ids;
  RequireProperty(StartsWith(report, head), "head, message and ids in order");
  RequireProperty(report.size() >= head.size() + 2 &&
                      report.compare(report.size() - 2, 2, "\r\n") == 0,
                  "ends with a line end");

  // Only an id of the window form adds names: a known window's name in quotes, or a line saying
  // the window was not found.
  const std::string_view names = std::string_view(report).substr(head.size());
  const bool windowForm = (windowId & 0x0F000000u) == 0x02000000u;
  if (!windowForm) {
    RequireProperty(names == "\r\n", "no names for an id that is not a window's");
  } else if (const WindowDefinition* window = FindWindowDefinition(windowId); window != nullptr) {
    RequireProperty(StartsWith(names, std::string("\r\n\"") + window->name + "\"\r\n"),
                    "the window's name in quotes");
  } else {
    RequireProperty(names.size() > 2 && names.find('"') == std::string_view::npos,
                    "an unknown window: a line without a name");
  }
  return 0;
}
