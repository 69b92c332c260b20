// The least a listing with every file's metadata, and an expansion with a
// probe per subdirectory, can do on Linux, as yardsticks for the file list
// and the tree: all names with getdents64, then statx of each (or a probe
// of each subdirectory: open, getdents64 until a subdirectory) shared
// among threads that take the next name from a counter. Nothing kept.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace bench {

class BareList {
 public:
  // Files of dir with their statx; the bytes they hold.
  static std::uint64_t Files(const std::string& dir, int threads) {
    return Run(dir, threads, false, [](int fd, const Name& n) -> std::uint64_t {
      struct statx st {};
      return ::statx(fd, n.text.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &st) == 0 ? st.stx_size
                                                                                                        : 0;
    });
  }

  // Subdirectories of dir, each probed for a subdirectory; how many have one.
  static std::uint64_t Probes(const std::string& dir, int threads) {
    return Run(dir, threads, true, [](int fd, const Name& n) -> std::uint64_t {
      const int child = ::openat(fd, n.text.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (child < 0) return 0;
      auto buffer = std::make_unique<std::byte[]>(32 * 1024);
      bool found = false;
      for (ssize_t got; !found && (got = ::getdents64(child, buffer.get(), 32 * 1024)) > 0;) {
        for (ssize_t pos = 0; pos < got && !found;) {
          auto* d = reinterpret_cast<dirent64*>(buffer.get() + pos);
          pos += d->d_reclen;
          found = d->d_type == DT_DIR && !IsDots(d->d_name);
        }
      }
      ::close(child);
      return found ? 1 : 0;
    });
  }

 private:
  struct Name {
    std::string text;
  };
  static bool IsDots(const char* n) { return n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0)); }

  template <class Each>
  static std::uint64_t Run(const std::string& dir, int threads, bool directories, Each each) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return 0;
    std::vector<Name> names;
    auto buffer = std::make_unique<std::byte[]>(32 * 1024);
    for (ssize_t got; (got = ::getdents64(fd, buffer.get(), 32 * 1024)) > 0;) {
      for (ssize_t pos = 0; pos < got;) {
        auto* d = reinterpret_cast<dirent64*>(buffer.get() + pos);
        pos += d->d_reclen;
        if (!IsDots(d->d_name) && (d->d_type == DT_DIR) == directories) names.push_back({d->d_name});
      }
    }
    std::atomic<std::size_t> next{0};
    std::atomic<std::uint64_t> sum{0};
    const auto work = [&] {
      std::uint64_t mine = 0;
      for (std::size_t i; (i = next.fetch_add(16)) < names.size();)
        for (std::size_t j = i; j < i + 16 && j < names.size(); ++j) mine += each(fd, names[j]);
      sum += mine;
    };
    std::vector<std::thread> helpers;
    for (int i = 1; i < threads; ++i) helpers.emplace_back(work);
    work();
    for (auto& t : helpers) t.join();
    ::close(fd);
    return sum;
  }
};

}  // namespace bench
