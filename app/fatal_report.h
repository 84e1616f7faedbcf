#pragma once
// The text of the fatal report: what went wrong, and which window or control it concerns.
#include <cstddef>
#include <cstdint>

#include "storage/text.h"

inline constexpr char kFatalTitle[] = "\xB4\xED\xCE\xF3";  // 错误

// The report's lines: "运行时出错!", the message when there is one, the two ids in signed
// decimal, and for a window id the window's name and the control's name (or a line saying that
// they were not found), each name between double quotes.
Text BuildFatalReport(std::string_view message, uint32_t windowId, uint32_t controlId);

// "分配 N 字节内存失败!" for a failed allocation of N bytes.
Text AllocationFailureMessage(size_t bytes);
