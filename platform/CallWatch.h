// Drives that stop answering. A file-system call that may block names the
// path it touches (Touch); the job it runs for, on a worker thread, keeps
// those paths (CallWatch), so that when the user gives up waiting the
// mounts they are on are known to hang. Until that job ends, a new call
// that would touch such a mount is refused at once instead of hanging a
// second thread.
#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class FileSystem;

class CallWatch {
 public:
  explicit CallWatch(FileSystem& fs) : m_fs(fs) {}
  CallWatch(const CallWatch&) = delete;
  CallWatch& operator=(const CallWatch&) = delete;

  // The calling thread works for watch (may be null) while the scope lasts.
  class Scope {
   public:
    explicit Scope(CallWatch* watch);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    CallWatch* m_previous;
  };
  static CallWatch* OfThisThread();

  // The path touched last; empty before the first.
  std::string LastPath() const;

  // The waiting thread gave up: the mounts of the paths being touched now,
  // and of any the job touches from now on, hang until End.
  void GiveUp();
  // The job has ended, however: its mounts are free again.
  void End();

 private:
  friend class Touch;
  void Enter(std::string_view path);
  void Leave(std::string_view path);
  void MarkLocked(const std::string& path);
  friend bool GivenUp();

  FileSystem& m_fs;
  mutable std::mutex m_mutex;
  std::vector<std::string> m_touching;  // paths inside a call right now
  std::vector<std::string> m_marked;    // mounts this job holds hung
  std::string m_last;
  bool m_gaveUp = false;
  bool m_ended = false;
};

// Names the path the calling thread is about to touch, for as long as the
// object lives. Refused when the path lies on a mount that hangs in a call
// given up earlier (after a short grace, for a job that is just ending).
class Touch {
 public:
  explicit Touch(std::string_view path);
  ~Touch();
  Touch(const Touch&) = delete;
  Touch& operator=(const Touch&) = delete;

  bool Refused() const { return m_refused; }

 private:
  CallWatch* m_watch = nullptr;
  std::string m_path;
  bool m_refused = false;
};

// Whether the job the calling thread works for was given up: work that
// would change something (a file written, a file renamed) stops there.
bool GivenUp();

// Whether path lies on a mount that hangs (for tests and callers that
// decide before they start a job).
bool IsOnHungMount(std::string_view path);

}  // namespace platform
