#pragma once
// The Win32 style bits, flags and answers that the portable rules compute with. They carry the
// platform's numbers so the portable code needs no <windows.h>; win32_values_check_win.cpp
// checks each one against the platform's own constant when the Windows build compiles.
#include <cstdint>

namespace win32 {
// Window styles.
inline constexpr uint32_t kWsPopup = 0x80000000, kWsChild = 0x40000000, kWsVisible = 0x10000000,
                          kWsDisabled = 0x08000000, kWsClipSiblings = 0x04000000,
                          kWsClipChildren = 0x02000000, kWsCaption = 0x00C00000,
                          kWsBorder = 0x00800000, kWsDlgFrame = 0x00400000, kWsVScroll = 0x00200000,
                          kWsHScroll = 0x00100000, kWsSysMenu = 0x00080000,
                          kWsThickFrame = 0x00040000, kWsTabStop = 0x00010000,
                          kWsMinimizeBox = 0x00020000, kWsMaximizeBox = 0x00010000;
inline constexpr uint32_t kWsExTopmost = 0x00000008, kWsExToolWindow = 0x00000080,
                          kWsExAppWindow = 0x00040000;
// Edit control styles.
inline constexpr uint32_t kEsLeft = 0x0000, kEsCenter = 0x0001, kEsRight = 0x0002,
                          kEsMultiLine = 0x0004, kEsUpperCase = 0x0008, kEsLowerCase = 0x0010,
                          kEsPassword = 0x0020, kEsAutoVScroll = 0x0040, kEsAutoHScroll = 0x0080,
                          kEsNoHideSel = 0x0100, kEsReadOnly = 0x0800, kEsWantReturn = 0x1000,
                          kEsNumber = 0x2000;
// Button styles.
inline constexpr uint32_t kBsPushButton = 0x0000, kBsDefPushButton = 0x0001,
                          kBsAutoRadioButton = 0x0009, kBsLeftText = 0x0020, kBsLeft = 0x0100,
                          kBsRight = 0x0200, kBsCenter = 0x0300, kBsTop = 0x0400,
                          kBsBottom = 0x0800, kBsVCenter = 0x0C00, kBsPushLike = 0x1000,
                          kBsMultiLine = 0x2000, kBsFlat = 0x8000;
// Open and save dialog flags.
inline constexpr uint32_t kOfnOverwritePrompt = 0x00000002, kOfnHideReadOnly = 0x00000004,
                          kOfnNoChangeDir = 0x00000008, kOfnPathMustExist = 0x00000800,
                          kOfnFileMustExist = 0x00001000, kOfnCreatePrompt = 0x00002000,
                          kOfnExplorer = 0x00080000, kOfnEnableSizing = 0x00800000;
// Message boxes.
inline constexpr uint32_t kMbSystemModal = 0x00001000, kMbTaskModal = 0x00002000;
// Virtual keys.
inline constexpr uint32_t kVkTab = 0x09, kVkReturn = 0x0D, kVkEscape = 0x1B, kVkLeft = 0x25,
                          kVkUp = 0x26, kVkRight = 0x27, kVkDown = 0x28, kVkF1 = 0x70;
}  // namespace win32
