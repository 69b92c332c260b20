// The modeless drive information window (dialog template 134) on Windows:
// the drive list with each type after a tab stop under "Typ", and the
// volume data and cluster figures of the chosen drive as the core reads
// them. The frame keeps one object for its whole life; the window exists
// only while it is shown (Create, then Show), reads the drives afresh each
// time it is made, and destroys itself when the user closes it (close box,
// Esc or Enter), saying so.
#pragma once

#include <functional>

#include "driveinfo/DriveInfoData.h"
#include "framework/win32/Dialog.h"

namespace driveinfo::win32 {

class CDriveInfoDlg : public fw::win32::CDialog {
 public:
  // runner waits for the drives' answers; fs and runner outlive the window.
  CDriveInfoDlg(platform::FileSystem& fs, fw::JobRunner& runner);

  // Called once the window has closed itself, after it is gone; the object
  // stays.
  void SetOnClosed(std::function<void()> onClosed) { m_onClosed = std::move(onClosed); }

 protected:
  bool OnInitDialog() override;
  const fw::win32::MessageMap* GetMessageMap() const override;

 private:
  LRESULT OnCommand(WPARAM wp, LPARAM lp);
  void FillDriveList();
  void OnSelchangeDriveList();
  void ShowFigures() const;
  void Close();

  CDriveInfoData m_data;
  std::function<void()> m_onClosed;
};

}  // namespace driveinfo::win32
