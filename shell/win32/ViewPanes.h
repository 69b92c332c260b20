// The panes of the program: the drive tree, the file list and the
// directory list, each given the frame's wait, pane 0 and the document.
#pragma once

#include <memory>

#include "shell/win32/PaneFactory.h"

namespace tree::win32 {
class CDriveView;
}
namespace lists::win32 {
class CFileView;
class CDirView;
}  // namespace lists::win32

namespace shell::win32 {

class CViewPanes : public CPaneFactory {
 public:
  CViewPanes();
  ~CViewPanes() override;

  PaneWindow CreatePane(PaneSlot slot, HWND parent, const PaneContext& context) override;

  // Null until made.
  tree::win32::CDriveView* DriveView() const { return m_tree.get(); }
  lists::win32::CFileView* FileView() const { return m_files.get(); }
  lists::win32::CDirView* DirView() const { return m_dirs.get(); }

 private:
  std::unique_ptr<tree::win32::CDriveView> m_tree;
  std::unique_ptr<lists::win32::CFileView> m_files;
  std::unique_ptr<lists::win32::CDirView> m_dirs;
};

}  // namespace shell::win32
