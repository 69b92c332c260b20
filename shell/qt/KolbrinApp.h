// The application object: the document, the main frame, the profile, and
// the application-wide commands (about box, printer setup, exit).
#pragma once

#include <memory>
#include <string>

#include "framework/FrameWnd.h"
#include "framework/MessageBox.h"
#include "output/qt/PrinterSource.h"
#include "shell/Profile.h"

class QPrinter;
class QTranslator;

namespace fw::qt {
class CModalWait;
}

namespace platform {
class FileSystem;
}
namespace output {
class CQtExportUi;
}

namespace shell {

class CKolbrinDoc;
class CMainFrame;

class CKolbrinApp : public fw::CWinApp, public output::PrinterSource {
 public:
  // profile and fs are the user's own settings and file system unless given.
  explicit CKolbrinApp(std::unique_ptr<CProfile> profile = nullptr,
                       platform::FileSystem* fs = nullptr);
  ~CKolbrinApp() override;

  // The directory the tree selects at start (exact bytes); empty for none.
  void SetStartDirectory(std::string directory) { m_startDirectory = std::move(directory); }
  // Creates the document and the main frame and shows it; false on failure.
  bool InitInstance(bool show = true);
  int ExitInstance();

  CMainFrame* MainFrame() const { return m_frame.get(); }
  // What waits for long work, for everything the application starts.
  fw::qt::CModalWait& Waiter() const { return *m_wait; }
  CKolbrinDoc* Document() const { return m_doc.get(); }
  CProfile& Profile() const { return *m_profile; }
  // Made when it is first asked for.
  QPrinter& Printer() override;

 protected:
  const fw::RouteMap* GetRouteMap() const override;

 private:
  void OnAppAbout();
  void OnAppExit();
  void OnFilePrintSetup();
  void OnFileNew() {}
  void OnFileOpen() {}

  std::unique_ptr<CProfile> m_profile;
  platform::FileSystem* m_fs;
  std::string m_startDirectory;
  std::unique_ptr<QTranslator> m_translator;
  std::unique_ptr<fw::qt::CModalWait> m_wait;  // outlives everyone who waits
  std::unique_ptr<output::CQtExportUi> m_exportUi;  // outlives the document that uses it
  std::unique_ptr<CKolbrinDoc> m_doc;
  std::unique_ptr<CMainFrame> m_frame;
  std::unique_ptr<QPrinter> m_printer;
  fw::MessageBoxPresenter m_previousPresenter;
};

}  // namespace shell
