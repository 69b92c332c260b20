// The least a parallel directory-size walk can do on Linux, as a yardstick
// for the scan: two threads share a stack of open directories, list each
// with getdents64 and statx every entry that is not a directory. No
// records, no rows, no mount or link checks.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace bench {

class BareWalk {
 public:
  // The bytes of every file beneath dir.
  static std::uint64_t Run(const std::string& dir, int threads = 2) {
    BareWalk walk;
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return 0;
    walk.m_stack.push_back(fd);
    std::vector<std::thread> helpers;
    for (int i = 1; i < threads; ++i) helpers.emplace_back([&walk] { walk.Loop(); });
    walk.Loop();
    for (auto& t : helpers) t.join();
    return walk.m_bytes;
  }

 private:
  bool Pop(int& fd) {
    std::unique_lock lock(m_mutex);
    m_ready.wait(lock, [this] { return !m_stack.empty() || m_busy == 0; });
    if (m_stack.empty()) return false;
    fd = m_stack.back();
    m_stack.pop_back();
    ++m_busy;
    return true;
  }

  void Loop() {
    auto buffer = std::make_unique<std::byte[]>(32 * 1024);
    int fd = -1;
    while (Pop(fd)) {
      std::vector<int> children;
      std::uint64_t bytes = 0;
      for (;;) {
        const ssize_t n = ::getdents64(fd, buffer.get(), 32 * 1024);
        if (n <= 0) break;
        for (ssize_t pos = 0; pos < n;) {
          auto* d = reinterpret_cast<dirent64*>(buffer.get() + pos);
          pos += d->d_reclen;
          if (d->d_name[0] == '.' && (d->d_name[1] == 0 || (d->d_name[1] == '.' && d->d_name[2] == 0))) continue;
          if (d->d_type == DT_DIR) {
            const int child = ::openat(fd, d->d_name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (child >= 0) children.push_back(child);
            continue;
          }
          struct statx st {};
          if (::statx(fd, d->d_name, AT_SYMLINK_NOFOLLOW, STATX_SIZE, &st) == 0) bytes += st.stx_size;
        }
      }
      ::close(fd);
      m_bytes += bytes;
      std::lock_guard lock(m_mutex);
      m_stack.insert(m_stack.end(), children.begin(), children.end());
      if (--m_busy == 0 || !children.empty()) m_ready.notify_all();
    }
  }

  std::mutex m_mutex;
  std::condition_variable m_ready;
  std::vector<int> m_stack;
  int m_busy = 0;
  std::atomic<std::uint64_t> m_bytes{0};
};

}  // namespace bench
