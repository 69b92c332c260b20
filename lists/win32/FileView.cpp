#include "lists/win32/FileView.h"

namespace lists::win32 {

namespace {
constexpr COLORREF kTransparent = RGB(255, 0, 255);
}  // namespace

CFileView::CFileView(fw::CPathDocument& doc, const fw::win32::CModalWait& wait)
    : CListPane(doc, wait, IDS_NAME_FILE_LIST) {}

bool CFileView::Create(HWND parent, UINT id) {
  if (!CListPaneWnd::Create(parent, id)) return false;
  m_small.LoadStrip(IDB_FILE_SMALL, 16, 16, kTransparent, Dpi());
  m_large.LoadStrip(IDB_FILE_LARGE, 32, 32, kTransparent, Dpi());
  List().Ctrl().SetImageList(m_small.Handle(), LVSIL_SMALL);
  List().Ctrl().SetImageList(m_large.Handle(), LVSIL_NORMAL);
  return true;
}

}  // namespace lists::win32
