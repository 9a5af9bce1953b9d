#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

#include "common/handles.h"
#include "sorting/cell_values.h"

namespace {

// A test that hangs (two threads waiting for each other, a wait that never ends) fails the run
// after this long instead of holding CI until its own time runs out.
constexpr DWORD WatchdogMilliseconds = 180'000;

class Watchdog : public testing::EmptyTestEventListener {
 public:
  Watchdog()
      : armed_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
        ended_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread_.reset(::CreateThread(nullptr, 0, Watch, this, 0, nullptr));
  }
  // GoogleTest deletes its listeners at the end of the run: the watching thread ends first.
  ~Watchdog() override {
    ::SetEvent(ended_.get());
    ::WaitForSingleObject(thread_.get(), INFINITE);
  }
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

  void OnTestStart(const testing::TestInfo& test) override {
    {
      const std::lock_guard<std::mutex> lock(nameGuard_);
      name_ = std::string(test.test_suite_name()) + "." + test.name();
    }
    ++generation_;
    ::SetEvent(armed_.get());
  }
  void OnTestEnd(const testing::TestInfo&) override { ++generation_; }

 private:
  // Waits for the time or the end of the run; false at the end of the run.
  bool Wait(HANDLE event, DWORD milliseconds) const {
    const HANDLE events[] = {ended_.get(), event};
    return ::WaitForMultipleObjects(event ? 2 : 1, events, FALSE, milliseconds) != WAIT_OBJECT_0;
  }

  static DWORD WINAPI Watch(void* self) {
    auto* watchdog = static_cast<Watchdog*>(self);
    if (!watchdog->Wait(watchdog->armed_.get(), INFINITE)) {
      return 0;
    }
    for (;;) {
      const long before = watchdog->generation_;
      if (!watchdog->Wait(nullptr, WatchdogMilliseconds)) {
        return 0;
      }
      // An odd generation is a test that has started and not ended.
      if (before == watchdog->generation_ && (before & 1)) {
        watchdog->FailTheRun();
      }
    }
  }

  void FailTheRun() {
    std::string name;
    {
      const std::lock_guard<std::mutex> lock(nameGuard_);
      name = name_;
    }
    std::fprintf(stderr, "\nwatchdog: %s ran longer than %lu s: failing the run\n", name.c_str(),
                 WatchdogMilliseconds / 1000);
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), 3);
  }

  tallyfold::KernelHandle armed_;
  tallyfold::KernelHandle ended_;
  std::atomic<long> generation_{0};
  std::mutex nameGuard_;
  std::string name_;
  tallyfold::KernelHandle thread_;
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // As the program's start-up does, before any test starts a thread.
  tallyfold::UseFullStopDecimalPoint();
  testing::UnitTest::GetInstance()->listeners().Append(new Watchdog);
  return RUN_ALL_TESTS();
}
