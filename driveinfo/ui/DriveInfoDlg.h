// The modeless drive information window (dialog template 134): the drive
// list with type texts, and the volume data and cluster figures of the
// chosen drive. The frame creates it when the user opens it and destroys it
// when it closes; each window reads the drives afresh.
#pragma once

#include <functional>

#include "driveinfo/DriveInfoData.h"
#include "framework/ui/DialogBuilder.h"

class QListWidget;

namespace fw::ui {
class StatusSink;
}

namespace driveinfo {

class CDriveListDelegate;

class CDriveInfoDlg : public fw::ui::CDialog {
 public:
  // status: where a long wait for a drive is told; may be null.
  CDriveInfoDlg(platform::FileSystem& fs, QWidget* parent, fw::ui::StatusSink* status = nullptr);

  // Called once the window has closed itself (close box, Esc or Enter).
  void SetOnClosed(std::function<void()> onClosed) { m_onClosed = std::move(onClosed); }

  QListWidget* DriveList() const { return m_listDrives; }
  // Pixels from a list line's left edge to its type text.
  int TypeTabStop() const;

  void done(int result) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OnInitDialog();
  void FillDriveList();
  void OnSelchangeDriveList(int row);
  void ShowFigures();

  fw::ui::StatusSink* m_status;
  CDriveInfoData m_data;
  QListWidget* m_listDrives = nullptr;
  CDriveListDelegate* m_delegate = nullptr;
  std::function<void()> m_onClosed;
};

}  // namespace driveinfo
