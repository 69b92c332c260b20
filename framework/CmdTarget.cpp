#include "framework/CmdTarget.h"

namespace fw {

bool CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  for (const RouteMap* map = GetRouteMap(); map != nullptr; map = map->base) {
    for (const RouteEntry& e : map->entries) {
      if (e.code != nCode || nID < e.first || nID > e.last) continue;
      if (pHandlerInfo != nullptr) {
        pHandlerInfo->target = this;
        return true;
      }
      e.invoke(this, nID, pExtra);
      return true;
    }
  }
  return false;
}

}  // namespace fw
