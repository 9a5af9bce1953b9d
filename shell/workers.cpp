#include "shell/workers.h"

#include <windows.h>

#include "catalogue/extension_table.h"
#include "catalogue/file_listing.h"
#include "shell/worker_views.h"

namespace tallyfold {
namespace {

// How often a listing that waits for a scan looks at its own stop request.
constexpr DWORD StopPollMilliseconds = 20;

DWORD WINAPI RunWorkerBody(void* parameter) {
  auto* worker = static_cast<Worker*>(parameter);
  worker->Body(worker->Stop);
  return 0;
}

std::unique_ptr<Worker> StartWorker(std::function<void(const StopRequest&)> body) {
  auto worker = std::make_unique<Worker>();
  worker->Body = std::move(body);
  worker->Thread.reset(::CreateThread(nullptr, 0, RunWorkerBody, worker.get(), 0, nullptr));
  if (!worker->Thread) {
    return nullptr;
  }
  return worker;
}

// A handle of the running scan's thread that the listing owns, or none.
KernelHandle RunningScanThread(const ProgramState& state) {
  if (!IsWorkerRunning(state.CurrentScan.get())) {
    return KernelHandle{};
  }
  HANDLE copy = nullptr;
  const HANDLE process = ::GetCurrentProcess();
  ::DuplicateHandle(process, state.CurrentScan->Thread.get(), process, &copy, SYNCHRONIZE, FALSE,
                    0);
  return KernelHandle{copy};
}

// Waits until the scan has ended; false when the listing was asked to stop first.
bool AwaitScan(const KernelHandle& scan, const StopRequest& stop) {
  while (scan && ::WaitForSingleObject(scan.get(), StopPollMilliseconds) == WAIT_TIMEOUT) {
    if (stop.IsSet()) {
      return false;
    }
  }
  return !stop.IsSet();
}

}  // namespace

std::unique_ptr<Worker> StartScan(ProgramState& state) {
  return StartWorker([&state, root = state.RootFolder](const StopRequest& stop) {
    ScanView view(state);
    BuildExtensionTable(root, state.Catalogue, state.Tally, view, stop);
  });
}

std::unique_ptr<Worker> StartListing(ProgramState& state) {
  auto scan = std::make_shared<KernelHandle>(RunningScanThread(state));
  return StartWorker([&state, extension = state.SelectedExtension, scan](const StopRequest& stop) {
    if (AwaitScan(*scan, stop)) {
      ListingView view(state);
      ListExtensionFiles(extension, state.Catalogue, view, stop);
    }
  });
}

bool IsWorkerRunning(const Worker* worker) {
  return worker && worker->Thread && ::WaitForSingleObject(worker->Thread.get(), 0) == WAIT_TIMEOUT;
}

void StopWorker(Worker* worker) {
  if (!IsWorkerRunning(worker)) {
    return;
  }
  worker->Stop.Set();
  const HANDLE thread = worker->Thread.get();
  // The worker may be waiting for this thread to carry out a request: serve sent messages
  // while waiting, or both threads would wait for each other.
  while (::MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) !=
         WAIT_OBJECT_0) {
    MSG message;
    ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

}  // namespace tallyfold
