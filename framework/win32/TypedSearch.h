// Typing the beginning of a name in a tree or a list selects the next item
// that begins with it (framework/IncrementalSearch.h), timed by when each
// key was typed: keys that waited behind a long listing still make one run
// of typing. The control's own search, which times keys as they arrive, is
// not used.
#pragma once

#include <functional>
#include <string>

#include "framework/IncrementalSearch.h"
#include "framework/win32/WinApi.h"

namespace fw::win32 {

class CModalWait;

class CTypedSearch {
 public:
  explicit CTypedSearch(const CModalWait& wait) : m_wait(wait) {}

  // Whether a WM_CHAR is one to search with (printable, not from the
  // keypad's '+', '-' and '*', which open and close tree items).
  static bool Searches(WPARAM ch, LPARAM keyData);

  // The item of count (shown in order, current being -1 for none) that the
  // typed character leads to, nameOf giving each item's name; -1 for none.
  int Type(wchar_t ch, int count, int current, const std::function<std::wstring(int)>& nameOf);

  // The longest pause between keys of one run of typing, in milliseconds.
  static std::uint64_t Interval();

 private:
  const CModalWait& m_wait;
  fw::CIncrementalSearch m_search;
};

}  // namespace fw::win32
