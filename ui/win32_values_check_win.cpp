// The Win32 numbers the portable rules compute with (ui/win32_values.h), checked at compile time
// against the platform's own constants.
#include <windows.h>
#include <commdlg.h>

#include "ui/win32_values.h"

static_assert(win32::kWsPopup == WS_POPUP);
static_assert(win32::kWsChild == WS_CHILD);
static_assert(win32::kWsVisible == WS_VISIBLE);
static_assert(win32::kWsDisabled == WS_DISABLED);
static_assert(win32::kWsClipSiblings == WS_CLIPSIBLINGS);
static_assert(win32::kWsClipChildren == WS_CLIPCHILDREN);
static_assert(win32::kWsCaption == WS_CAPTION);
static_assert(win32::kWsBorder == WS_BORDER);
static_assert(win32::kWsDlgFrame == WS_DLGFRAME);
static_assert(win32::kWsVScroll == WS_VSCROLL);
static_assert(win32::kWsHScroll == WS_HSCROLL);
static_assert(win32::kWsSysMenu == WS_SYSMENU);
static_assert(win32::kWsThickFrame == WS_THICKFRAME);
static_assert(win32::kWsTabStop == WS_TABSTOP);
static_assert(win32::kWsMinimizeBox == WS_MINIMIZEBOX);
static_assert(win32::kWsMaximizeBox == WS_MAXIMIZEBOX);
static_assert(win32::kWsExTopmost == WS_EX_TOPMOST);
static_assert(win32::kWsExToolWindow == WS_EX_TOOLWINDOW);
static_assert(win32::kWsExAppWindow == WS_EX_APPWINDOW);
static_assert(win32::kEsLeft == ES_LEFT);
static_assert(win32::kEsCenter == ES_CENTER);
static_assert(win32::kEsRight == ES_RIGHT);
static_assert(win32::kEsMultiLine == ES_MULTILINE);
static_assert(win32::kEsUpperCase == ES_UPPERCASE);
static_assert(win32::kEsLowerCase == ES_LOWERCASE);
static_assert(win32::kEsPassword == ES_PASSWORD);
static_assert(win32::kEsAutoVScroll == ES_AUTOVSCROLL);
static_assert(win32::kEsAutoHScroll == ES_AUTOHSCROLL);
static_assert(win32::kEsNoHideSel == ES_NOHIDESEL);
static_assert(win32::kEsReadOnly == ES_READONLY);
static_assert(win32::kEsWantReturn == ES_WANTRETURN);
static_assert(win32::kEsNumber == ES_NUMBER);
static_assert(win32::kBsPushButton == BS_PUSHBUTTON);
static_assert(win32::kBsDefPushButton == BS_DEFPUSHBUTTON);
static_assert(win32::kBsAutoRadioButton == BS_AUTORADIOBUTTON);
static_assert(win32::kBsLeftText == BS_LEFTTEXT);
static_assert(win32::kBsLeft == BS_LEFT);
static_assert(win32::kBsRight == BS_RIGHT);
static_assert(win32::kBsCenter == BS_CENTER);
static_assert(win32::kBsTop == BS_TOP);
static_assert(win32::kBsBottom == BS_BOTTOM);
static_assert(win32::kBsVCenter == BS_VCENTER);
static_assert(win32::kBsPushLike == BS_PUSHLIKE);
static_assert(win32::kBsMultiLine == BS_MULTILINE);
static_assert(win32::kBsFlat == BS_FLAT);
static_assert(win32::kOfnOverwritePrompt == OFN_OVERWRITEPROMPT);
static_assert(win32::kOfnHideReadOnly == OFN_HIDEREADONLY);
static_assert(win32::kOfnNoChangeDir == OFN_NOCHANGEDIR);
static_assert(win32::kOfnPathMustExist == OFN_PATHMUSTEXIST);
static_assert(win32::kOfnFileMustExist == OFN_FILEMUSTEXIST);
static_assert(win32::kOfnCreatePrompt == OFN_CREATEPROMPT);
static_assert(win32::kOfnExplorer == OFN_EXPLORER);
static_assert(win32::kOfnEnableSizing == OFN_ENABLESIZING);
static_assert(win32::kMbSystemModal == MB_SYSTEMMODAL);
static_assert(win32::kMbTaskModal == MB_TASKMODAL);
static_assert(win32::kVkTab == VK_TAB);
static_assert(win32::kVkReturn == VK_RETURN);
static_assert(win32::kVkEscape == VK_ESCAPE);
static_assert(win32::kVkLeft == VK_LEFT);
static_assert(win32::kVkUp == VK_UP);
static_assert(win32::kVkRight == VK_RIGHT);
static_assert(win32::kVkDown == VK_DOWN);
static_assert(win32::kVkF1 == VK_F1);
