#pragma once

#include <windows.h>

#include <atomic>
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
  // Set once the body has returned. Whoever must wait for the worker without a handle of its
  // thread keeps a share of it, so it outlives the worker.
  std::shared_ptr<std::atomic<bool>> Ended = std::make_shared<std::atomic<bool>>(false);
};

// How a listing gets its own handle of the running scan's thread: the platform's
// DuplicateHandle, or a stand-in that tests use to make it fail.
using HandleDuplicator = BOOL(WINAPI*)(HANDLE, HANDLE, HANDLE, LPHANDLE, DWORD, BOOL, DWORD);

// The end of the scan that ran when a listing started, as the listing waits for it: the scan's
// end mark, and a handle of its thread when one could be had. Both empty when no scan ran.
struct ScanEnd {
  KernelHandle Thread;
  std::shared_ptr<const std::atomic<bool>> Ended;
};

[[nodiscard]] ScanEnd RunningScanEnd(const Worker* scan, HandleDuplicator duplicate);

// Waits until the scan has ended, whichever way its end can be seen; false when the stop
// request came first.
[[nodiscard]] bool AwaitScanEnd(const ScanEnd& scan, const StopRequest& stop);

// Starts a scan of the root folder into the catalogue, the tally and the extension list.
// Empty when the thread cannot be made.
[[nodiscard]] std::unique_ptr<Worker> StartScan(ProgramState& state);

// Starts a listing of the selected extension's files into the file list. While a scan still
// fills the catalogue, the listing waits for it to end before it reads the catalogue.
[[nodiscard]] std::unique_ptr<Worker> StartListing(ProgramState& state,
                                                   HandleDuplicator duplicate = ::DuplicateHandle);

[[nodiscard]] bool IsWorkerRunning(const Worker* worker);

// Asks the worker to stop and returns once it has returned, carrying out the requests it sends
// to the window meanwhile. Nothing for an ended worker or none.
void StopWorker(Worker* worker);

}  // namespace tallyfold
