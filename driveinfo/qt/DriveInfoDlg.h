// The modeless drive information window (dialog template 134): the drive
// list with type texts, and the volume data and cluster figures of the
// chosen drive. The frame creates it when the user opens it and destroys it
// when it closes; each window reads the drives afresh.
#pragma once

#include <functional>

#include "driveinfo/DriveInfoData.h"
#include "framework/qt/DialogBuilder.h"

class QListWidget;

namespace fw {
class JobRunner;
}

namespace driveinfo {

class CDriveListDelegate;

class CDriveInfoDlg : public fw::qt::CDialog {
 public:
  // runner waits for the drives' answers (it must outlive the window).
  CDriveInfoDlg(platform::FileSystem& fs, fw::JobRunner& runner, QWidget* parent);

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

  CDriveInfoData m_data;
  QListWidget* m_listDrives = nullptr;
  CDriveListDelegate* m_delegate = nullptr;
  std::function<void()> m_onClosed;
};

}  // namespace driveinfo
