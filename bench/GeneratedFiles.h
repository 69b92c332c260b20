// A file system whose every directory lists the same n made-up files, for
// benchmarks of long lists that need no disk.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace bench {

// A listing of n made-up files: names with shared and with random
// prefixes, sizes with many repeats, times spread over twenty years.
class GeneratedFileSystem : public platform::FileSystem {
 public:
  explicit GeneratedFileSystem(std::size_t n) : m_n(n) {}
  std::unique_ptr<platform::FindHandle> FindFirst(platform::Job&, std::string_view, platform::FindData& first,
                                                  platform::FindLevel) override {
    auto h = std::make_unique<Handle>(m_n);
    if (!h->Next(first)) return nullptr;
    return h;
  }
  std::vector<std::string> LogicalDriveStrings() override { return {}; }
  platform::DriveType GetDriveType(std::string_view) override { return platform::kDriveUnknown; }
  bool GetVolumeInformation(platform::Job&, std::string_view, platform::VolumeInfo&) override { return false; }
  bool GetDiskFreeSpace(platform::Job&, std::string_view, platform::DiskFreeSpace&) override { return false; }

 private:
  class Handle : public platform::FindHandle {
   public:
    explicit Handle(std::size_t n) : m_left(n) {}
    bool Next(platform::FindData& out) override {
      if (m_left == 0) return false;
      --m_left;
      char name[48];
      if (m_rng() % 2) {
        std::snprintf(name, sizeof name, "datei_%07u.dat", static_cast<unsigned>(m_rng() % 10000000));
      } else {
        const std::size_t len = 5 + m_rng() % 25;
        for (std::size_t i = 0; i < len; ++i) name[i] = static_cast<char>("aAbBcdefghijklmnopqrstuvwxyz_0123456789"[m_rng() % 39]);
        name[len] = '\0';
      }
      out.name = name;
      out.attributes = platform::kAttrArchive | (m_rng() % 8 == 0 ? platform::kAttrReadOnly : 0u);
      out.size = m_rng() % 4 == 0 ? 4096 : m_rng() % (1u << 30);
      const std::uint64_t base = 126000000000000000ull;  // 2000
      out.lastWrite = {base + m_rng() % 6300000000000000ull};
      out.creation = {base + m_rng() % 6300000000000000ull};
      out.lastAccess = {base + m_rng() % 6300000000000000ull};
      return true;
    }

   private:
    std::size_t m_left;
    std::mt19937_64 m_rng{42};
  };
  std::size_t m_n;
};

}  // namespace bench
