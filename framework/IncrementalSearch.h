// Typing the beginning of a name in a tree or a list selects the next item
// that begins with it. Keys typed in quick succession make one search text;
// a pause longer than the system's key interval starts a new one, and the
// same character typed again and again steps through the items that begin
// with it. The pause is measured between the times the keys were typed, so
// keys that waited behind a long listing still count as one run of typing.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace fw {

class CIncrementalSearch {
 public:
  struct Step {
    std::u16string text;  // what the items must begin with (case aside)
    bool fromNext;        // look from the item after the current one
  };

  // One typed text at time (milliseconds, as the key event tells it);
  // interval is the longest pause that continues a search.
  Step Type(const std::u16string& typed, std::uint64_t time, std::uint64_t interval, bool hasCurrent);

  // The first of count items from start on, wrapping round, that matches;
  // -1 when none does.
  static int FindFrom(int count, int start, const std::function<bool(int)>& matches);

 private:
  std::u16string m_text;
  std::optional<std::uint64_t> m_last;
};

}  // namespace fw
