// The path separator and the joining of paths: the one place that knows how
// paths are spelled on this system.
#pragma once

#include <string>
#include <string_view>

namespace platform {

#if defined(_WIN32)
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// "<path><sep><name>", with no second separator when path already ends in one.
inline std::string ChildPath(std::string_view path, std::string_view name) {
  std::string p;
  p.reserve(path.size() + 1 + name.size());
  p.append(path);
  if (p.empty() || p.back() != kPathSeparator) p += kPathSeparator;
  p.append(name);
  return p;
}

// "." and ".." compared byte for byte.
inline bool IsDotOrDotDot(std::string_view name) { return name == "." || name == ".."; }

}  // namespace platform
