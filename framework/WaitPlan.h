// How a wait for long work shows itself as it goes on, the same for every
// front end: nothing for a short moment (work that ends within it is never
// noticed), then the wait cursor (at once for work that shows its
// progress), and in pane 0 either that progress, every tenth of a second,
// or after two seconds what the work waits for: "Warte auf „%s“ – Esc bricht
// ab." The wait's loop asks at every poll.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace platform {
class Job;
}

namespace fw {

class CWaitPlan {
 public:
  using Duration = std::chrono::milliseconds;
  static constexpr Duration kQuiet{50};
  static constexpr Duration kPollEvery{10};
  static constexpr Duration kCursorAfter{150};
  static constexpr Duration kSubjectAfter{2000};
  static constexpr Duration kProgressEvery{100};

  explicit CWaitPlan(const platform::Job& job) : m_job(job) {}

  struct Step {
    bool showCursor = false;            // from now on
    std::optional<std::string> status;  // pane 0's new text
  };
  // What changes once the work has been waited for this long.
  Step At(Duration waited);

  // Whether pane 0 was given a text of the wait's own, to be put back after.
  bool ToldSomething() const { return m_told; }

 private:
  const platform::Job& m_job;
  bool m_cursor = false;
  bool m_told = false;
  std::optional<Duration> m_lastProgress;
};

}  // namespace fw
