// The one document: the directory selected in the drive tree, shared by the
// three views, and the second stage of command routing.
#pragma once

#include <cstdint>
#include <string>

#include "framework/View.h"
#include "platform/FileSystem.h"

namespace shell {

class CKolbrinDoc : public fw::CDocument {
 public:
  explicit CKolbrinDoc(platform::FileSystem& fs = platform::FileSystem::Native()) : m_fs(&fs) {}

  // Offers a command (or its update-UI) to every view but skip, in view
  // order; true as soon as one handles it.
  virtual bool RouteCommandToViews(fw::CView* skip, fw::UINT nID, int nCode, void* pExtra,
                                   fw::AFX_CMDHANDLERINFO* pHandlerInfo);

  // The text of a byte count for the size columns: "1.234.567 Byte".
  static void FormatSize(std::uint32_t nLow, std::uint32_t nHigh, std::string& strOut);

  platform::FileSystem& FileSystem() const { return *m_fs; }

  // Full path selected in the tree; empty until the first selection. A
  // drive root ends in the separator, every other path has none.
  std::string m_strPath;

 private:
  platform::FileSystem* m_fs;
};

}  // namespace shell
