#include <windows.h>
#include <ole2.h>

#include "app/events.h"
#include "app/fatal_error.h"
#include "app/fatal_messages.h"
#include "app/message_loop_win.h"
#include "app/note_commands.h"
#include "app/program.h"
#include "app/settings_commands.h"
#include "app/start_up.h"
#include "app/window_procedure_win.h"
#include "storage/run_directory.h"
#include "ui/window_builder_win.h"

namespace {

constexpr char kHiddenOwnerClass[] = "NoteHiddenOwner";

HWND CreateHiddenOwner(HINSTANCE instance) {
  WNDCLASSA ownerClass = {};
  ownerClass.lpfnWndProc = DefWindowProcA;
  ownerClass.hInstance = instance;
  ownerClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  ownerClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  ownerClass.lpszClassName = kHiddenOwnerClass;
  RegisterClassA(&ownerClass);
  return CreateWindowExA(WS_EX_TOOLWINDOW, kHiddenOwnerClass, "", 0, 0, 0, 0, 0, nullptr, nullptr,
                         instance, nullptr);
}

void BindProgramHandlers() {
  Handler handlers[kHandlerNameCount] = {};
  const auto bind = [&](HandlerName name, Handler handler) { handlers[static_cast<int>(name)] = handler; };
  bind(HandlerName::PlaceWindowAndRestoreNote, PlaceWindowAndRestoreNote);
  bind(HandlerName::About, About);
  bind(HandlerName::OpenSettings, OpenSettings);
  bind(HandlerName::Exit, Exit);
  bind(HandlerName::Save, Save);
  bind(HandlerName::SaveAs, SaveAs);
  bind(HandlerName::SettingsCreated, SettingsCreated);
  bind(HandlerName::ApplyColour, ApplyColour);
  bind(HandlerName::ApplyScrollChoice, ApplyScrollChoice);
  for (Handler handler : handlers) {
    if (handler == nullptr) FatalError(kMsgDefinitionsUnreadable, 0, 0);
  }
  BindHandlers(handlers);
}

void InitialiseProgram() {}     // this program has nothing to prepare
void ProgramExitRoutine() {}    // nor anything to finish

}  // namespace

void PrepareProgram() {
  SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  ProgramState& program = CreateProgram();
  program.oleInitialised = SUCCEEDED(OleInitialize(nullptr));
  DetermineRunDirectory();
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  program.hiddenOwner = CreateHiddenOwner(instance);
  program.userInterfaceThread = GetCurrentThreadId();
  // The definitions are compiled in; what can be damaged is their consistency.
  if (!DefinitionsAreConsistent(WindowDefinitions())) FatalError(kMsgDefinitionsUnreadable, 0, 0);
  BindProgramHandlers();
  if (!RegisterWindowClasses(instance, WindowProcedure)) {
    FatalError(kMsgFirstWindowFailed, kMainWindow.windowId, 0);
  }
  InitialiseProgram();
  RegisterExitRoutine(ProgramExitRoutine);
}

int RunProgram() {
  PrepareProgram();
  LoadFirstWindow(kMainWindow.windowId);
  const int exitCode = RunMessageLoop();  // the quit request's value: always 0 here
  EndProgram(exitCode);
  return exitCode;
}
