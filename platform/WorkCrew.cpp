#include "platform/WorkCrew.h"

#include <algorithm>
#include <new>
#include <system_error>
#include <utility>

namespace platform {

WorkCrew::~WorkCrew() {
  {
    std::lock_guard lock(m_mutex);
    m_closing = true;
  }
  m_wake.notify_all();
  for (std::thread& helper : m_helpers) helper.join();
}

void WorkCrew::Start(std::size_t count) {
  m_started = true;
  const std::size_t helpers = std::min<std::size_t>(m_threads - 1, count / 8);
  try {
    m_helpers.reserve(helpers);
    for (std::size_t i = 0; i < helpers; ++i) m_helpers.emplace_back([this] { Help(); });
  } catch (const std::system_error&) {
    // fewer helpers, same result
  } catch (const std::bad_alloc&) {
    // fewer helpers, same result
  }
}

void WorkCrew::Run(std::size_t count, const std::function<void(std::size_t)>& work, std::stop_token stop) {
  if (!m_started && m_threads > 1 && count > 1) Start(count);
  {
    std::lock_guard lock(m_mutex);
    m_work = &work;
    m_count = count;
    // Small pieces, so that a slow call holds up few items behind it.
    m_chunk = std::clamp<std::size_t>(count / (8 * m_threads), 1, 16);
    m_stop = std::move(stop);
    m_next = 0;
    m_busy = static_cast<unsigned>(m_helpers.size());
    m_failure = nullptr;
    ++m_run;
  }
  m_wake.notify_all();
  Share();
  std::unique_lock lock(m_mutex);
  m_done.wait(lock, [this] { return m_busy == 0; });
  m_work = nullptr;
  if (m_failure) std::rethrow_exception(std::exchange(m_failure, nullptr));
}

void WorkCrew::Help() {
  unsigned long seen = 0;
  for (;;) {
    {
      std::unique_lock lock(m_mutex);
      m_wake.wait(lock, [&] { return m_closing || m_run != seen; });
      if (m_closing) return;
      seen = m_run;
    }
    Share();
    bool last = false;
    {
      std::lock_guard lock(m_mutex);
      last = --m_busy == 0;
    }
    if (last) m_done.notify_one();
  }
}

void WorkCrew::Share() {
  for (;;) {
    std::size_t first = 0, end = 0;
    {
      std::lock_guard lock(m_mutex);
      if (m_next >= m_count || m_stop.stop_requested()) return;
      first = m_next;
      end = std::min(m_count, first + m_chunk);
      m_next = end;
    }
    try {
      for (std::size_t i = first; i < end; ++i) (*m_work)(i);
    } catch (...) {
      std::lock_guard lock(m_mutex);
      if (!m_failure) m_failure = std::current_exception();
      m_next = m_count;  // the others take nothing more
      return;
    }
  }
}

}  // namespace platform
