// The main window: menu, toolbar, status bar, the three panes in two
// splitters, the placement kept in the profile, and command routing that
// reaches every view.
#pragma once

#include <QMainWindow>
#include <array>
#include <memory>
#include <string>

#include "shell/MainFrameCore.h"
#include "framework/StatusPane.h"

class QLabel;
class QSplitter;
class QToolBar;

namespace fw::qt {
class CommandActions;
class CModalWait;
}

namespace tree::qt {
class CDriveView;
}
namespace lists::qt {
class CFileView;
class CDirView;
}
namespace driveinfo {
class CDriveInfoDlg;
}
namespace output {
class PrinterSource;
}

namespace shell {

class CKolbrinDoc;
class CProfile;
struct WindowPlacement;

class CMainFrame : public QMainWindow, public CMainFrameCore, public fw::StatusPane {
 public:
  // printers: the application's printer, for the lists' print commands.
  // wait: what waits for long work, for every pane. startDirectory: the
  // directory the tree opens once the window is shown; empty for the
  // first drive.
  CMainFrame(CKolbrinDoc& doc, CProfile& profile, fw::CWinApp* app, output::PrinterSource& printers,
             fw::qt::CModalWait& wait, std::string startDirectory = {});
  ~CMainFrame() override;

  // Shows the window in the stored state (normal or maximised); then the
  // start directory is opened, as the user would, so that Esc can give up
  // on a drive that does not answer.
  void ShowRestored();

  // Pane 0 of the status bar; immediate repaints it at once.
  void SetMessageText(std::string_view text, bool immediate = false) override;
  std::string MessageText() const override;

  fw::qt::CommandActions& Actions() { return *m_actions; }
  tree::qt::CDriveView* DriveView() const { return m_driveView; }
  lists::qt::CFileView* FileView() const { return m_fileView; }
  lists::qt::CDirView* DirView() const { return m_dirView; }
  QSplitter* OuterSplitter() const { return m_wndSplitter; }
  QSplitter* RightSplitter() const { return m_wndSplitterRight; }
  QToolBar* ToolBar() const { return m_wndToolBar; }
  // The drive information window while it is open, else null.
  driveinfo::CDriveInfoDlg* DriveInfoDlg() const { return m_dlgDriveInfo.get(); }

  // The pane widgets in view order (tree, file list, directory list).
  std::array<QWidget*, 3> PaneWidgets() const;
  // The view whose pane holds w, or null.
  fw::CView* ViewOfWidget(const QWidget* w) const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void OpenDriveInfo() override;
  void CloseDriveInfo() override;
  bool IsBarShown(Bar bar) const override;
  void ShowBar(Bar bar, bool show) override;
  int PaneCount() const override { return static_cast<int>(PaneWidgets().size()); }
  int ActivePane() const override;
  void ActivatePane(int pane) override;
  bool event(QEvent* event) override;

 private:
  void OnCreateClient(output::PrinterSource& printers);
  void CreateBars();
  void ApplyPlacement(const WindowPlacement& placement);
  void SaveWindowPlacement();
  void UpdateIndicators();
  void OpenStartDirectory();
  void ShowIdlePrompt();
  void ShowPrompt(const QString& text);
  void ActivateMenuBar();

  CKolbrinDoc& m_doc;
  CProfile& m_profile;
  fw::qt::CModalWait& m_wait;
  std::string m_startDirectory;
  int m_nShowCmd = 1;
  std::unique_ptr<driveinfo::CDriveInfoDlg> m_dlgDriveInfo;  // exists only while shown
  bool m_placementSaved = false;
  fw::qt::CommandActions* m_actions = nullptr;
  QToolBar* m_wndToolBar = nullptr;
  QLabel* m_paneText = nullptr;
  std::array<QLabel*, 3> m_indicators{};
  QSplitter* m_wndSplitter = nullptr;
  QSplitter* m_wndSplitterRight = nullptr;
  tree::qt::CDriveView* m_driveView = nullptr;
  lists::qt::CFileView* m_fileView = nullptr;
  lists::qt::CDirView* m_dirView = nullptr;
};

}  // namespace shell
