// The file list pane in Qt: the core file view shown by the list widgets,
// with the sheet symbol of the icon styles.
#pragma once

#include <QIcon>

#include "lists/FileView.h"
#include "lists/qt/ListWidgets.h"

namespace lists::qt {

class CFileView : public CListPane<lists::CFileView> {
 public:
  CFileView(fw::CPathDocument& doc, QWidget* parent);

  QIcon RowIcon(int row, bool large) const override;

 protected:
  void ShowListStyle(ListStyle style) override { SetListStyle(style); }

 private:
  QIcon m_iconSmall;
  QIcon m_iconLarge;
};

}  // namespace lists::qt
