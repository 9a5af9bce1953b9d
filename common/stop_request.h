#pragma once

#include <atomic>

namespace tallyfold {

// A worker's request to stop: set once by the thread that stops the worker, read by the
// worker between units of its work. It is never cleared; every worker gets a new one.
class StopRequest {
 public:
  void Set() noexcept { set_.store(true, std::memory_order_release); }
  [[nodiscard]] bool IsSet() const noexcept { return set_.load(std::memory_order_acquire); }

 private:
  std::atomic<bool> set_{false};
};

}  // namespace tallyfold
