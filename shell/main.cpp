#include <windows.h>

#include "shell/event_loop.h"
#include "shell/start_up.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  tallyfold::ProgramState* state = tallyfold::StartUp(::GetCommandLineW());
  if (!state) {
    return 1;
  }
  tallyfold::RunEventLoop(*state);
  // Workers may still run: the process ends here without tearing down what they use.
  ::DestroyWindow(state->MainWindow);
  ::ExitProcess(0);
}
