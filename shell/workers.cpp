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
  worker->Ended->store(true, std::memory_order_release);
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

bool HasEnded(const ScanEnd& scan) {
  if (!scan.Ended || scan.Ended->load(std::memory_order_acquire)) {
    return true;
  }
  return scan.Thread && ::WaitForSingleObject(scan.Thread.get(), 0) == WAIT_OBJECT_0;
}

}  // namespace

std::unique_ptr<Worker> StartScan(ProgramState& state) {
  return StartWorker([&state, root = state.RootFolder](const StopRequest& stop) {
    ScanView view(state);
    BuildExtensionTable(root, state.Catalogue, state.Tally, view, stop);
  });
}

ScanEnd RunningScanEnd(const Worker* scan, HandleDuplicator duplicate) {
  ScanEnd end;
  if (!IsWorkerRunning(scan)) {
    return end;
  }
  end.Ended = scan->Ended;
  HANDLE copy = nullptr;
  const HANDLE process = ::GetCurrentProcess();
  if (duplicate(process, scan->Thread.get(), process, &copy, SYNCHRONIZE, FALSE, 0)) {
    end.Thread.reset(copy);
  }
  return end;
}

bool AwaitScanEnd(const ScanEnd& scan, const StopRequest& stop) {
  while (!HasEnded(scan)) {
    if (stop.IsSet()) {
      return false;
    }
    // Without a handle of the thread, the end mark is looked at as often as the stop request.
    if (scan.Thread) {
      ::WaitForSingleObject(scan.Thread.get(), StopPollMilliseconds);
    } else {
      ::Sleep(StopPollMilliseconds);
    }
  }
  return !stop.IsSet();
}

std::unique_ptr<Worker> StartListing(ProgramState& state, HandleDuplicator duplicate) {
  auto scan = std::make_shared<ScanEnd>(RunningScanEnd(state.CurrentScan.get(), duplicate));
  return StartWorker([&state, extension = state.SelectedExtension, scan](const StopRequest& stop) {
    if (AwaitScanEnd(*scan, stop)) {
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
