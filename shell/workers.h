#pragma once

#include <functional>
#include <memory>

#include "common/handles.h"
#include "common/stop_request.h"
#include "shell/program_state.h"

namespace tallyfold {

// A background thread that runs one body from its start to its end. It is stopped only through
// its stop request, which the body reads between units of its work.
struct Worker {
  StopRequest Stop;
  KernelHandle Thread;
  std::function<void(const StopRequest& stop)> Body;
};

// Starts a scan of the root folder into the catalogue, the tally and the extension list.
// Empty when the thread cannot be made.
[[nodiscard]] std::unique_ptr<Worker> StartScan(ProgramState& state);

// Starts a listing of the selected extension's files into the file list. While a scan still
// fills the catalogue, the listing waits for it to end before it reads the catalogue.
[[nodiscard]] std::unique_ptr<Worker> StartListing(ProgramState& state);

[[nodiscard]] bool IsWorkerRunning(const Worker* worker);

// Asks the worker to stop and returns once it has returned, carrying out the requests it sends
// to the window meanwhile. Nothing for an ended worker or none.
void StopWorker(Worker* worker);

}  // namespace tallyfold
