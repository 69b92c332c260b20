// Command targets and their handler tables: the program's counterpart of a
// message map. A class lists its handlers declaratively,
//
//   Route::Command<&CThis::OnX>(ID_X),
//   Route::Update<&CThis::OnUpdateX>(ID_X),
//
// and OnCmdMsg finds them for a command or for its update-UI request.
#pragma once

#include <cstdint>
#include <span>

#include "res/resource.h"

namespace fw {

using UINT = std::uint32_t;

class CCmdUI;

// Notification codes of OnCmdMsg.
inline constexpr int CN_COMMAND = 0;
inline constexpr int CN_UPDATE_COMMAND_UI = -1;

// When OnCmdMsg gets a non-null handler-info pointer it only reports whether
// a handler exists and calls nothing.
struct AFX_CMDHANDLERINFO {
  const void* target = nullptr;
};

class CCmdTarget;

struct RouteEntry {
  int code = CN_COMMAND;  // CN_COMMAND or CN_UPDATE_COMMAND_UI
  UINT first = 0;
  UINT last = 0;
  void (*invoke)(CCmdTarget* target, UINT id, void* extra) = nullptr;
};

struct RouteMap {
  std::span<const RouteEntry> entries;
  const RouteMap* base = nullptr;  // the base class's table, searched next
};

class CCmdTarget {
 public:
  CCmdTarget() = default;
  CCmdTarget(const CCmdTarget&) = delete;
  CCmdTarget& operator=(const CCmdTarget&) = delete;
  virtual ~CCmdTarget() = default;

  // Looks the command up in this object's handler tables. For CN_COMMAND the
  // handler runs; for CN_UPDATE_COMMAND_UI extra is the CCmdUI*.
  virtual bool OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

 protected:
  virtual const RouteMap* GetRouteMap() const { return nullptr; }
};

namespace detail {
template <typename>
struct MemberOf;
template <typename C, typename R, typename... A>
struct MemberOf<R (C::*)(A...)> {
  using Class = C;
};
template <auto Handler>
using ClassOf = typename MemberOf<decltype(Handler)>::Class;
}  // namespace detail

namespace Route {

// void OnX()
template <auto Handler>
constexpr RouteEntry Command(UINT id) {
  return {CN_COMMAND, id, id, [](CCmdTarget* t, UINT, void*) {
            (static_cast<detail::ClassOf<Handler>*>(t)->*Handler)();
          }};
}

// void OnX(UINT id), for a consecutive range of ids
template <auto Handler>
constexpr RouteEntry CommandRange(UINT first, UINT last) {
  return {CN_COMMAND, first, last, [](CCmdTarget* t, UINT id, void*) {
            (static_cast<detail::ClassOf<Handler>*>(t)->*Handler)(id);
          }};
}

// void OnUpdateX(CCmdUI*)
template <auto Handler>
constexpr RouteEntry Update(UINT id) {
  return {CN_UPDATE_COMMAND_UI, id, id, [](CCmdTarget* t, UINT, void* extra) {
            (static_cast<detail::ClassOf<Handler>*>(t)->*Handler)(static_cast<CCmdUI*>(extra));
          }};
}

// void OnUpdateX(CCmdUI*), for a consecutive range of ids
template <auto Handler>
constexpr RouteEntry UpdateRange(UINT first, UINT last) {
  return {CN_UPDATE_COMMAND_UI, first, last, [](CCmdTarget* t, UINT, void* extra) {
            (static_cast<detail::ClassOf<Handler>*>(t)->*Handler)(static_cast<CCmdUI*>(extra));
          }};
}

}  // namespace Route
}  // namespace fw
