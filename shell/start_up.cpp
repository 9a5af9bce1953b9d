#include "shell/start_up.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "common/file_size.h"
#include "shell/command_line.h"
#include "shell/main_window.h"
#include "shell/notepad.h"
#include "shell/title_line.h"
#include "shell/workers.h"
#include "sorting/cell_values.h"
#include "sorting/header_sort.h"

namespace tallyfold {
namespace {

void InitialisePlatform() {
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_LISTVIEW_CLASSES | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  // The folder box asks the shell for drive names and icons.
  ::OleInitialize(nullptr);
  UseFullStopDecimalPoint();
}

}  // namespace

std::wstring ChooseRootFolder(std::wstring_view commandLine) {
  std::wstring parameter = FirstParameter(commandLine);
  if (QueryFileSize(parameter) == SizeOfFolder) {
    return parameter;
  }
  return L"C:\\";
}

ProgramState* StartUp(std::wstring_view commandLine) {
  InitialisePlatform();
  // Deliberately never deleted: see ProgramState.
  auto* state = new ProgramState;
  state->OpenFile = OpenInNotepad;
  state->RootFolder = ChooseRootFolder(commandLine);
  if (!CreateMainWindow(*state)) {
    return nullptr;
  }
  ShowRefreshingTitle(state->MainWindow);
  state->Hook = ColumnClickHook;
  state->CurrentScan = StartScan(*state);
  return state;
}

}  // namespace tallyfold
