// One piece of long work the user may give up waiting for: a listing, a
// scan, the volume figures of a drive, a file written. Whoever starts the
// work makes the job and hands it to the work and to whoever waits for it.
// The work names every path it is about to touch (Touch) and asks whether
// it was given up; the waiter gives up, and then the mount that the stuck
// call reached is held as stuck (StuckMounts) until the work ends.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "platform/StuckMounts.h"

namespace platform {

class FileSystem;

class Job {
 public:
  // A job on fs's mounts.
  explicit Job(FileSystem& fs);
  explicit Job(std::shared_ptr<StuckMounts> stuck);
  ~Job();
  Job(const Job&) = delete;
  Job& operator=(const Job&) = delete;

  // Set by the waiter; the work stops where it can.
  bool GivenUp() const { return m_stop.stop_requested(); }
  std::stop_token StopToken() const { return m_stop.get_token(); }

  // The waiting side gave up: the mounts of the calls being made now are
  // held as stuck, and every later call of this job is refused.
  void GiveUp();
  // The work has ended, however: its mounts answer again.
  void End();

  // The path touched last; empty before the first.
  std::string LastPath() const;

  // What the waiter shows while the work runs; set before it starts. Work
  // without it is told by the path it waits for.
  void SetProgress(std::function<std::string()> progress) { m_progress = std::move(progress); }
  bool HasProgress() const { return static_cast<bool>(m_progress); }
  std::string Progress() const { return m_progress ? m_progress() : std::string(); }

  StuckMounts& Stuck() const { return *m_stuck; }

 private:
  friend class Touch;
  struct Call {
    const void* touch;
    std::string path;
    std::function<std::string()> reached;
  };
  // False when the call must not be made.
  bool Enter(const void* touch, std::string_view path);
  void Reached(const void* touch, std::function<std::string()> realPath);
  void Leave(const void* touch);

  std::shared_ptr<StuckMounts> m_stuck;
  const std::uint64_t m_owner;
  std::stop_source m_stop;
  std::function<std::string()> m_progress;
  mutable std::mutex m_mutex;
  std::vector<Call> m_calls;  // being made now
  std::string m_last;
  bool m_gaveUp = false;
  bool m_ended = false;
};

// Names the path a call of job is about to touch, for as long as it lives.
// Refused when the job was given up or the path leads into a stuck mount.
class Touch {
 public:
  Touch(Job& job, std::string_view path);
  ~Touch();
  Touch(const Touch&) = delete;
  Touch& operator=(const Touch&) = delete;

  bool Refused() const { return m_refused; }

  // The call got into what it touches and can name where that really is
  // (an open descriptor's path): a give-up then holds exactly that mount.
  // realPath may be asked from another thread while this object lives; it
  // must not block.
  void Reached(std::function<std::string()> realPath);

 private:
  Job& m_job;
  bool m_refused = false;
};

}  // namespace platform
