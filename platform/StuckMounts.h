// The mounts that stopped answering. A job whose user gave up waiting holds
// the mount its stuck call reached until that job ends; meanwhile every
// new call that would lead into that mount is refused at once instead of
// hanging another thread. Only a mount that is known to be stuck is held:
// where a call did not tell where it got, the way it took is followed link
// by link and the mount it leads into is asked one cheap question first,
// on threads of their own, so that a mount that answers is never refused.
// One set per file system object, shared by its jobs.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/MountProbe.h"

namespace platform {

class StuckMounts : public std::enable_shared_from_this<StuckMounts> {
 public:
  // How long a mount's one cheap question, and the following of a path's
  // links, may take before the mount counts as stuck; a cold but healthy
  // disk answers within milliseconds.
  static constexpr std::chrono::milliseconds kVerdictStep{2000};
  // A job that was given up usually ends within moments (a cancelled scan
  // finishes the directory it is in); a new call waits this long for its
  // mount before it counts the mount as stuck.
  static constexpr std::chrono::milliseconds kGrace{250};

  // step: how long each part of a verdict may take.
  static std::shared_ptr<StuckMounts> Make(std::shared_ptr<const MountProbe> probe,
                                           std::chrono::milliseconds step = kVerdictStep);

  const MountProbe& Probe() const { return *m_probe; }

  // A new owner for Hold, Suspect and Release.
  std::uint64_t NewOwner();

  // Whether a call to path must fail at once: its way, links followed,
  // leads into a stuck mount. Waits a short while for a mount whose job is
  // ending and for verdicts still being made.
  bool Refuses(std::string_view path);
  // Whether path as written lies on a stuck mount; never waits.
  bool Holds(std::string_view path) const;

  // owner gave up on a call that got into mount: it is stuck until owner ends.
  void Hold(const std::string& mount, std::uint64_t owner);
  // owner gave up on a call to path that did not tell where it got. The
  // verdict is made on threads of their own; new calls wait for it.
  void Suspect(std::string path, std::uint64_t owner);
  // owner's work has ended: what it held answers again, and a verdict still
  // being made for it holds nothing.
  void Release(std::uint64_t owner);

  // Verdicts being made now (for tests).
  int PendingVerdicts() const;

 private:
  StuckMounts(std::shared_ptr<const MountProbe> probe, std::chrono::milliseconds step)
      : m_probe(std::move(probe)), m_step(step) {}

  bool HoldsLocked(std::string_view path) const;
  bool LeadsIntoHeld(std::string_view path);
  void Decide(const std::string& path, std::uint64_t owner);
  void Add(const std::string& mount, std::uint64_t owner);

  std::shared_ptr<const MountProbe> m_probe;
  const std::chrono::milliseconds m_step;
  mutable std::mutex m_mutex;
  std::condition_variable m_changed;
  std::vector<std::pair<std::string, std::uint64_t>> m_held;  // mount, owner
  std::set<std::uint64_t> m_givenUp;                          // owners not ended yet
  std::uint64_t m_nextOwner = 1;
  int m_pending = 0;
};

}  // namespace platform
