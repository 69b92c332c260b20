// How a piece of file-system work is carried out: at once on the calling
// thread (the default, and what widget-free tests use), or on a worker
// while the window waits for it alive. The result is false when the user
// gave up waiting; the work then ends on its own, so it must own
// everything it touches and hand its result over through shared state.
#pragma once

#include <functional>

namespace fw {

using WorkRunner = std::function<bool(const std::function<void()>& work)>;

inline bool RunAtOnce(const std::function<void()>& work) {
  work();
  return true;
}

}  // namespace fw
