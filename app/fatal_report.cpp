#include "app/fatal_report.h"

#include <cstdio>
#include <string>

#include "app/fatal_messages.h"
#include "ui/definitions.h"

namespace {

constexpr char kRuntimeError[] = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n";  // 运行时出错!
constexpr char kMessageLead[] = "\r\n\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";     // 错误信息：
constexpr char kControlNotFound[] =  // 未找到所指定的窗口组件
    "\r\n\xCE\xB4\xD5\xD2\xB5\xBD\xCB\xF9\xD6\xB8\xB6\xA8\xB5\xC4\xB4\xB0\xBF\xDA\xD7\xE9\xBC\xFE";
constexpr char kWindowNotFound[] =  // 未找到所指定的窗口
    "\r\n\xCE\xB4\xD5\xD2\xB5\xBD\xCB\xF9\xD6\xB8\xB6\xA8\xB5\xC4\xB4\xB0\xBF\xDA";

bool IsWindowId(uint32_t id) { return (id & 0x0F000000u) == 0x02000000u; }

Text QuotedLine(std::string_view name) { return JoinTexts({"\r\n\"", name, "\""}); }

}  // namespace

Text BuildFatalReport(std::string_view message, uint32_t windowId, uint32_t controlId) {
  Text report = kRuntimeError;
  if (!message.empty()) report += JoinTexts({kMessageLead, message, "\r\n"});
  char ids[32];
  std::snprintf(ids, sizeof ids, "\r\n%d, %d", static_cast<int32_t>(windowId),
                static_cast<int32_t>(controlId));
  report += ids;
  if (IsWindowId(windowId)) {
    const WindowDefinition* window = FindWindowDefinition(windowId);
    if (window == nullptr) {
      report += kWindowNotFound;
    } else {
      report += QuotedLine(window->name);
      if (controlId == 0 || controlId == window->ownControlId) {
        report += QuotedLine(window->name);
      } else if (const ControlDefinition* control = FindControlDefinition(*window, controlId);
                 control != nullptr && control->type != ControlType::MenuItem) {
        report += QuotedLine(control->name);
      } else {
        report += kControlNotFound;
      }
    }
  }
  report += "\r\n";
  return report;
}

Text AllocationFailureMessage(size_t bytes) {
  const std::string_view format = kMsgAllocationFailed;
  const size_t at = format.find("%d");
  const std::string number = std::to_string(static_cast<unsigned long long>(bytes));
  return JoinTexts({format.substr(0, at), number, format.substr(at + 2)});
}
