#include "shell/win32/ViewPanes.h"

#include "framework/win32/ModalWait.h"
#include "lists/win32/DirView.h"
#include "lists/win32/FileView.h"
#include "shell/KolbrinDoc.h"
#include "tree/win32/DriveView.h"

namespace shell::win32 {

namespace {

// A list pane made with its services; the id is the pane's place in the
// view order.
template <class Pane>
PaneWindow MakeList(std::unique_ptr<Pane>& pane, HWND parent, const PaneContext& context, UINT id) {
  pane = std::make_unique<Pane>(context.doc, context.wait);
  pane->SetListOutput(&context.doc);
  pane->SetJobRunner(&context.wait);
  pane->SetStatusPane(&context.status);
  pane->SetListPrinting(context.printing);
  if (!pane->Create(parent, id)) return {};
  return {pane->Handle(), pane.get(), nullptr};
}

}  // namespace

CViewPanes::CViewPanes() = default;
CViewPanes::~CViewPanes() = default;

PaneWindow CViewPanes::CreatePane(PaneSlot slot, HWND parent, const PaneContext& context) {
  switch (slot) {
    case PaneSlot::kDriveTree:
      m_tree = std::make_unique<tree::win32::CDriveView>(context.doc, context.wait);
      m_tree->SetCommandWindow(context.commandWindow);
      if (!m_tree->Create(parent, 1)) return {};
      return {m_tree->Handle(), m_tree.get(), m_tree.get()};
    case PaneSlot::kFileList: return MakeList(m_files, parent, context, 2);
    case PaneSlot::kDirList: return MakeList(m_dirs, parent, context, 3);
  }
  return {};
}

}  // namespace shell::win32
