// A file system whose listings can be held: once a listing of the gate
// directory starts, it and every later listing wait until the test lets
// them go, as a slow or stuck drive would.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

#include "tests/support/FakeFileSystem.h"

namespace test_support {

class GateFiles : public test_support::FakeFileSystem {
 public:
  std::unique_ptr<platform::FindHandle> FindFirst(platform::Job& job, std::string_view directory,
                                                  platform::FindData& first, platform::FindLevel level) override {
    if (!gate.empty() && (reached || directory == gate)) {
      std::unique_lock lock(m_mutex);
      reached = true;
      m_released.wait_for(lock, std::chrono::seconds(20), [this] { return m_open; });
    }
    return FakeFileSystem::FindFirst(job, directory, first, level);
  }
  void Release() {
    std::lock_guard lock(m_mutex);
    m_open = true;
    m_released.notify_all();
  }
  // Holds the listings again, from the next one of directory on.
  void Hold(std::string directory) {
    std::lock_guard lock(m_mutex);
    gate = std::move(directory);
    reached = false;
    m_open = false;
  }
  std::string gate;  // set before a scan, never during one
  std::atomic<bool> reached{false};

 private:
  std::mutex m_mutex;
  std::condition_variable m_released;
  bool m_open = false;
};

}  // namespace test_support
