// A directory as the directory scan reads it: listed once, each entry told
// to a sink (a file by its size, a subdirectory by its name), and its
// subdirectories opened from it. Several threads may read different
// directories of one tree at the same time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

class FileSystem;

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

  // A subdirectory that Read told with enter set; null when it cannot be
  // opened or turns out to be the root of another mount.
  virtual std::unique_ptr<ScanDirectory> OpenChild(std::string_view name) = 0;
};

// The portable road: every directory by its path, listed with FindFirst.
class PathScanDirectory : public ScanDirectory {
 public:
  PathScanDirectory(FileSystem& fs, std::string path) : m_fs(fs), m_path(std::move(path)) {}

  bool Read(ScanSink& sink) override;
  std::unique_ptr<ScanDirectory> OpenChild(std::string_view name) override;

 private:
  FileSystem& m_fs;
  std::string m_path;
};

}  // namespace platform
