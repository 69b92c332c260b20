// Message tables: the Windows counterpart of the command handler tables.
// A window class lists the messages it handles,
//
//   Msg::On<&CThis::OnSize>(WM_SIZE),
//
// each handler taking the message's two parameters and returning its
// result: LRESULT OnSize(WPARAM, LPARAM). A table names its base class's
// table, which is searched next.
#pragma once

#include <span>

#include "framework/CmdTarget.h"
#include "framework/win32/WinApi.h"

namespace fw::win32 {

class CMessageWindow;

struct MessageEntry {
  UINT message = 0;
  LRESULT (*invoke)(CMessageWindow* window, WPARAM wp, LPARAM lp) = nullptr;
};

struct MessageMap {
  std::span<const MessageEntry> entries;
  const MessageMap* base = nullptr;
};

namespace Msg {

template <auto Handler>
constexpr MessageEntry On(UINT message) {
  return {message, [](CMessageWindow* w, WPARAM wp, LPARAM lp) -> LRESULT {
            return (static_cast<fw::detail::ClassOf<Handler>*>(w)->*Handler)(wp, lp);
          }};
}

}  // namespace Msg
}  // namespace fw::win32
