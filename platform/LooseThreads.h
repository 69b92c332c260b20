// Threads that nobody waits for: a question to a drive that may never
// answer. They are not detached: MinGW's thread library reuses the record
// of a detached thread that is still ending, and a thread started next may
// then run without its work. Each is kept instead and joined once it has
// ended, when the next one starts.
#pragma once

#include <cstddef>
#include <functional>

namespace platform::loose {

// Runs work on a thread of its own; std::system_error when none can be had.
void Start(std::function<void()> work);
// Joins the threads whose work has ended; how many are still running.
std::size_t JoinEnded();

}  // namespace platform::loose
