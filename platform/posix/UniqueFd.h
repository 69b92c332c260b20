// A descriptor owned from the moment the system hands it over: closed when
// the owner goes, however it goes.
#pragma once

#include <unistd.h>

#include <string>
#include <utility>

namespace platform::posix {

class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : m_fd(fd) {}
  ~UniqueFd() { Reset(); }
  UniqueFd(UniqueFd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
      Reset();
      m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
  }

  int Get() const { return m_fd; }
  bool Valid() const { return m_fd >= 0; }
  void Reset() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
  }

 private:
  int m_fd = -1;
};

// Where an open descriptor really is, as the kernel names it; asks no file
// system. Empty when it cannot be told.
std::string PathOfDescriptor(int fd);

}  // namespace platform::posix
