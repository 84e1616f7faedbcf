#include "app/note_commands.h"

#include "storage/files.h"
#include "storage/note.h"
#include "storage/paths.h"
#include "storage/settings.h"
#include "ui/dialog_rules.h"
#include "ui/properties.h"
#include "ui/window_commands.h"

const char kAboutText[] =
    "\xB1\xBE\xB3\xCC\xD0\xF2\xD3\xC9Tovrin\xD6\xC6\xD7\xF7\r\n"  // 本程序由Tovrin制作
    "\xB8\xD0\xD0\xBB:\r\n"                                       // 感谢:
    "\xD4\xDD\xCE\xDE\r\n"                                        // 暂无
    "\xB1\xBE\xB3\xCC\xD0\xF2\xD4\xDAKestova(https://kestova.example/)\xB7\xA2\xB2\xBC";  // 本程序在Kestova(...)发布

namespace {
constexpr int32_t kNoteLeft = 1200;
constexpr int32_t kNoteTop = 5;
}  // namespace

void PlaceWindowAndRestoreNote() {
  // At (1200, 5) where the screen is wide enough; on a smaller one the window is kept inside
  // the work area so that its close box stays reachable.
  const Rect now = WindowRect(kMainWindow);
  const Rect wanted{kNoteLeft, kNoteTop, kNoteLeft + now.Width(), kNoteTop + now.Height()};
  const Rect place = KeepInside(wanted, WorkAreaNear(kNoteLeft, kNoteTop));
  MoveTo(kMainWindow, place.left, place.top);

  WriteProperty(kNoteBox, prop::kEditScrollBars, ReadScrollSetting());
  if (!PathExists(DataDir())) return;
  WriteTextProperty(kNoteBox, prop::kEditText, LoadNote());
}

void About() { ShowMessage(kAboutText, 0); }

void OpenSettings() { LoadWindow(kSettingsWindow.windowId, std::nullopt, true); }

void Exit() { RequestDestroy(kMainWindow); }

void Save() { SaveNote(ReadProperty(kNoteBox, prop::kEditText).text); }

void SaveAs() {
  WriteTextProperty(kSaveDialog, prop::kDialogInitialFolder, RunDirectory());
  // A cancelled dialog exports nothing.
  if (!RunCommonDialog(kSaveDialog)) return;
  const Text fileName = ReadProperty(kSaveDialog, prop::kDialogFileName).text;
  ExportNote(fileName, ReadProperty(kNoteBox, prop::kEditText).text);
}
