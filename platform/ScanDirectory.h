// A directory as the directory scan reads it: listed once, each entry told
// to a sink (a file by its size, a subdirectory by its name), and its
// subdirectories opened from it. Several threads may read different
// directories of one tree at the same time.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

class FileSystem;
class Job;

// The places where a scan takes memory: a directory's record, the opening
// of a directory (kOpened: its descriptor is open, the object that owns
// it not made yet), handing subdirectories to the walkers, and starting a
// walker. A test throws std::bad_alloc from a hook to stand for memory
// running out there; name is the directory concerned, where there is one.
enum class ScanStep { kRecord, kOpen, kOpened, kPush, kWalker };
using ScanHook = std::function<void(ScanStep step, std::string_view name)>;

// How a thread has spent its time so far: on a processor, and how often it
// was put to sleep inside the system (for a disk, a lock, a network). A
// reader whose calls sleep more than they work waits on its drive, and
// another reader beside it keeps the drive busier.
struct ThreadTimes {
  std::uint64_t cpuNanos = 0;
  std::uint64_t sleeps = 0;
};

class ScanSink {
 public:
  // An entry without the directory attribute: its length in bytes.
  virtual void File(std::uint64_t size) = 0;
  // A subdirectory. enter is false for one the scan must not go into: the
  // root of another mounted file system, or a link to a directory.
  virtual void Directory(std::string_view name, bool enter) = 0;
  // Polled now and then during a long listing; true ends it early.
  virtual bool Stopped() const = 0;

 protected:
  ~ScanSink() = default;
};

class ScanDirectory {
 public:
  virtual ~ScanDirectory() = default;

  // Tells every entry but "." and ".." to sink, in listing order. False when
  // the directory cannot be listed at all; an error later ends the listing
  // like its end, and what was told stands.
  virtual bool Read(ScanSink& sink) = 0;

  // Read is over; only subdirectories are opened from now on. What is held
  // for reading may be let go.
  virtual void DoneReading() {}

  // A subdirectory that Read told with enter set; null when it cannot be
  // opened or turns out to be the root of another mount.
  virtual std::unique_ptr<ScanDirectory> OpenChild(std::string_view name) = 0;
};

// The portable road: every directory by its path, listed with FindFirst
// for job.
class PathScanDirectory : public ScanDirectory {
 public:
  PathScanDirectory(FileSystem& fs, Job& job, std::string path) : m_fs(fs), m_job(job), m_path(std::move(path)) {}

  bool Read(ScanSink& sink) override;
  std::unique_ptr<ScanDirectory> OpenChild(std::string_view name) override;

 private:
  FileSystem& m_fs;
  Job& m_job;
  std::string m_path;
};

}  // namespace platform
