// Directory enumeration on Linux: getdents64 over one open directory
// descriptor with a large reused buffer, and statx relative to it for the
// full level. Only the directory itself is opened; entries are never
// opened.
//
// A symbolic link to a directory is reported as a directory that is a link
// (kAttrDirectory | kAttrReparsePoint, flagged kEntryMountRoot), so the tree
// offers it and a scan leaves it alone. Any other link, dangling ones too,
// is a file of the link's own size. Only the link's target type is looked
// up; its contents are never read.
//
// "." and ".." are reported as the kernel lists them, with the directory
// and hidden bits only (no statx for them), so an empty directory still
// yields entries and FindFirst fails only for a directory that cannot be
// read.
//
// A listing that looks at its entries shares the statx calls of each
// buffer of names among a few threads once the buffer holds many: a
// directory of many files that is not cached is read with many requests
// under way at once. The entries come in listing order all the same.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/WorkCrew.h"
#include "platform/posix/DirentRecord.h"
#include "platform/posix/UniqueFd.h"

namespace platform::posix {

// How listings share their statx calls: threads in all (1: the listing's
// own thread alone), and a call after each buffer of names is read and
// before any of them is looked at (tests remove entries there).
struct ListingOptions {
  unsigned threads = WorkCrew::ForListing();
  std::function<void()> afterNames;
};

class PosixFindHandle : public FindHandle {
  struct Key {
    explicit Key() = default;
  };

 public:
  // Null when the directory cannot be opened, or job may not touch it.
  static std::unique_ptr<PosixFindHandle> Open(Job& job, const std::string& directory, FindLevel level,
                                               const ListingOptions& options = {});

  // Only Open makes handles; it takes over the descriptor.
  PosixFindHandle(Key, Job& job, UniqueFd fd, FindLevel level, std::unique_ptr<Touch> touch, std::string directory,
                  const ListingOptions& options);
  ~PosixFindHandle() override;
  PosixFindHandle(const PosixFindHandle&) = delete;
  PosixFindHandle& operator=(const PosixFindHandle&) = delete;

  bool Next(FindData& out) override;

  // The attribute word of an entry from its mode bits, name and statx
  // attribute bits.
  static std::uint32_t AttributesOf(unsigned mode, const char* name, std::uint64_t statxAttributes);

 private:
  // An entry of the buffer being handed out, looked at already.
  struct Described {
    FindData data;
    bool kept = false;  // false: gone since it was listed
  };

  bool Refill();
  void Grow();
  // The next buffer of names, each looked at (by the crew when there are
  // many); false at the end, on an error, or when the job was given up.
  bool DescribeBuffer();
  bool NextDescribed(FindData& out);
  // Fills out from one listed entry; false when the entry vanished.
  bool Describe(const char* name, unsigned char type, FindData& out) const;
  bool DescribeFull(const char* name, unsigned char type, FindData& out) const;

  // Marks out as a link to a directory when name is one.
  void DescribeDirectoryLink(const char* name, FindData& out) const;

  // Whether a device differs from the listed directory's own (read once).
  bool OnOtherDevice(unsigned major, unsigned minor) const;

  Job& m_job;
  // The directory stays named as touched while it is listed; it is let go
  // before the descriptor is closed.
  std::unique_ptr<Touch> m_touch;
  std::string m_directory;
  UniqueFd m_fd;
  FindLevel m_level;
  mutable bool m_ownDeviceKnown = false;
  mutable unsigned m_devMajor = 0;
  mutable unsigned m_devMinor = 0;
  std::unique_ptr<std::byte[]> m_buffer;
  std::size_t m_bufferSize;
  std::size_t m_used = 0;
  std::size_t m_pos = 0;

  ListingOptions m_options;
  std::unique_ptr<WorkCrew> m_crew;  // made for the first buffer worth sharing
  std::vector<DirentRecord> m_records;
  std::vector<Described> m_described;  // reused: names keep their room
  std::size_t m_describedCount = 0;
  std::size_t m_nextDescribed = 0;
};

}  // namespace platform::posix
