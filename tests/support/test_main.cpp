#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "sorting/cell_values.h"

namespace {

// A test that hangs (two threads waiting for each other, a wait that never ends) fails the run
// after this long instead of holding CI until its own time runs out.
constexpr DWORD WatchdogMilliseconds = 180'000;

class Watchdog : public testing::EmptyTestEventListener {
 public:
  Watchdog() : armed_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    ::CreateThread(nullptr, 0, Watch, this, 0, nullptr);
  }

  void OnTestStart(const testing::TestInfo& test) override {
    name_ = std::string(test.test_suite_name()) + "." + test.name();
    ::SetEvent(armed_);
    ::InterlockedIncrement(&generation_);
  }
  void OnTestEnd(const testing::TestInfo&) override { ::InterlockedIncrement(&generation_); }

 private:
  static DWORD WINAPI Watch(void* self) {
    auto* watchdog = static_cast<Watchdog*>(self);
    ::WaitForSingleObject(watchdog->armed_, INFINITE);
    for (;;) {
      const LONG before = watchdog->generation_;
      ::Sleep(WatchdogMilliseconds);
      if (before == watchdog->generation_ && (before & 1)) {
        std::fprintf(stderr, "\nwatchdog: %s ran longer than %lu s: failing the run\n",
                     watchdog->name_.c_str(), WatchdogMilliseconds / 1000);
        std::fflush(stderr);
        ::TerminateProcess(::GetCurrentProcess(), 3);
      }
    }
  }

  HANDLE armed_;
  volatile LONG generation_ = 0;
  std::string name_;
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // As the program's start-up does, before any test starts a thread.
  tallyfold::UseFullStopDecimalPoint();
  testing::UnitTest::GetInstance()->listeners().Append(new Watchdog);
  return RUN_ALL_TESTS();
}
