// The file list pane on Windows: the core file view shown by the list
// window, in the four list styles, every file with the sheet symbol.
#pragma once

#include "framework/win32/ImageList.h"
#include "lists/FileView.h"
#include "lists/win32/ListPaneWnd.h"

namespace lists::win32 {

class CFileView : public CListPane<lists::CFileView> {
 public:
  CFileView(fw::CPathDocument& doc, const fw::win32::CModalWait& wait);
  bool Create(HWND parent, UINT id) override;

 protected:
  void ShowListStyle(ListStyle style) override { List().SetStyle(style); }

 private:
  fw::win32::CImageList m_small;
  fw::win32::CImageList m_large;
};

}  // namespace lists::win32
