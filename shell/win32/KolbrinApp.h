// The application object on Windows: OLE, the profile in the registry, the
// document, the main frame with the panes its factory makes, the message
// loop and the wait for long work that every pane shares, the printer, and
// the application-wide commands (about box, printer setup, exit).
#pragma once

#include <memory>
#include <string>

#include "framework/FrameWnd.h"
#include "framework/MessageBox.h"
#include "framework/win32/MessageLoop.h"
#include "framework/win32/ModalWait.h"
#include "output/win32/PrinterListPrinting.h"
#include "output/win32/PrinterSettings.h"
#include "platform/FileSystem.h"
#include "shell/Profile.h"
#include "shell/win32/PaneFactory.h"

namespace output::win32 {
class CWin32ExportUi;
}

namespace shell {
class CKolbrinDoc;
}

namespace shell::win32 {

class CMainFrame;

class CKolbrinApp : public fw::CWinApp {
 public:
  // fs: the file system the views read; the machine's own unless given.
  CKolbrinApp(std::unique_ptr<CProfile> profile, std::unique_ptr<CPaneFactory> panes,
              platform::FileSystem* fs = nullptr);
  ~CKolbrinApp() override;

  // The directory the tree opens once the window shows.
  void SetStartDirectory(std::string directory) { m_startDirectory = std::move(directory); }
  const std::string& StartDirectory() const { return m_startDirectory; }

  // Creates the document and the main frame and shows it; false on failure.
  bool InitInstance();
  // The message loop, until the main window is gone; its exit code.
  int Run() { return m_loop.Run(); }
  int ExitInstance();

  CMainFrame* MainFrame() const { return m_frame.get(); }
  CKolbrinDoc* Document() const { return m_doc.get(); }
  fw::win32::CModalWait& Wait() { return m_wait; }
  fw::win32::CMessageLoop& Loop() { return m_loop; }
  // The printer that printer setup chooses and every print and preview of
  // the list panes uses.
  output::win32::CPrinterSettings& Printer() { return m_printer; }

 protected:
  const fw::RouteMap* GetRouteMap() const override;

 private:
  void OnAppAbout();
  void OnAppExit();
  void OnFilePrintSetup();
  void OnFileNew() {}
  void OnFileOpen() {}

  bool m_oleInitialized = false;
  std::unique_ptr<CProfile> m_profile;
  std::unique_ptr<CPaneFactory> m_panes;  // outlives the frame whose panes it made
  platform::FileSystem& m_fs;
  std::string m_startDirectory;
  fw::win32::CMessageLoop m_loop;
  fw::win32::CModalWait m_wait{&m_loop};
  output::win32::CPrinterSettings m_printer;
  output::win32::CPrinterListPrinting m_printing{m_printer};
  std::unique_ptr<output::win32::CWin32ExportUi> m_exportUi;  // outlives the document that uses it
  std::unique_ptr<CKolbrinDoc> m_doc;
  std::unique_ptr<CMainFrame> m_frame;
  fw::MessageBoxPresenter m_previousPresenter;
};

}  // namespace shell::win32
