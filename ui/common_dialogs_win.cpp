#include "ui/common_dialogs_win.h"

#include <string>

namespace {

HMODULE LoadCommonDialogLibrary() {
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  // The full path, so that no comdlg32.dll beside the program can stand in for the system's.
  const std::string path = std::string(folder, length) + "\\comdlg32.dll";
  return LoadLibraryA(path.c_str());
}

// The library's function of that name, or nullptr when the library or the function is missing.
template <typename Function>
Function CommonDialogFunction(const char* name) {
  static const HMODULE library = LoadCommonDialogLibrary();
  if (library == nullptr) return nullptr;
  // Through the generic function type, which converts to any other without a warning.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

}  // namespace

bool ShowFileDialog(bool save, OPENFILENAMEA& settings) {
  using FileDialog = BOOL(WINAPI*)(OPENFILENAMEA*);
  const FileDialog show = CommonDialogFunction<FileDialog>(save ? "GetSaveFileNameA" : "GetOpenFileNameA");
  return show != nullptr && show(&settings) != FALSE;
}

bool ShowColourDialog(CHOOSECOLORA& settings) {
  using ColourDialog = BOOL(WINAPI*)(CHOOSECOLORA*);
  const ColourDialog show = CommonDialogFunction<ColourDialog>("ChooseColorA");
  return show != nullptr && show(&settings) != FALSE;
}
