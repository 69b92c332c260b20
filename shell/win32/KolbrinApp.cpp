#include "shell/win32/KolbrinApp.h"

#include <ole2.h>

#include "framework/win32/Dialog.h"
#include "framework/win32/MessageBoxPresenter.h"
#include "output/win32/Win32ExportUi.h"
#include "res/Templates.h"
#include "shell/KolbrinDoc.h"
#include "shell/win32/MainFrame.h"

namespace shell::win32 {

CKolbrinApp::CKolbrinApp(std::unique_ptr<CProfile> profile, std::unique_ptr<CPaneFactory> panes,
                         platform::FileSystem* fs)
    : m_profile(std::move(profile)),
      m_panes(std::move(panes)),
      m_fs(fs != nullptr ? *fs : platform::FileSystem::Native()) {}

CKolbrinApp::~CKolbrinApp() { ExitInstance(); }

const fw::RouteMap* CKolbrinApp::GetRouteMap() const {
  using fw::Route::Command;
  static const fw::RouteEntry entries[] = {
      Command<&CKolbrinApp::OnAppAbout>(ID_APP_ABOUT),
      Command<&CKolbrinApp::OnFileNew>(ID_FILE_NEW),
      Command<&CKolbrinApp::OnFileOpen>(ID_FILE_OPEN),
      Command<&CKolbrinApp::OnAppExit>(ID_APP_EXIT),
      Command<&CKolbrinApp::OnFilePrintSetup>(ID_FILE_PRINT_SETUP),
  };
  static const fw::RouteMap map{entries, nullptr};
  return &map;
}

bool CKolbrinApp::InitInstance() {
  // OLE for the spreadsheet export; the program starts without it.
  m_oleInitialized = SUCCEEDED(::OleInitialize(nullptr));
  // A message that comes up while a long job is waited for is shown after.
  m_previousPresenter = fw::SetMessageBoxPresenter(
      [this, show = fw::win32::MessageBoxPresenterFor([this] { return m_frame ? m_frame->Handle() : nullptr; })](
          const fw::MessageBoxRequest& request) { return m_wait.Present(request, show); });

  m_doc = std::make_unique<CKolbrinDoc>(m_fs);
  m_exportUi = std::make_unique<output::win32::CWin32ExportUi>(
      [this] { return m_frame != nullptr ? m_frame->Handle() : nullptr; }, m_doc->FileSystem(), m_wait);
  m_doc->SetExportUi(m_exportUi.get());
  m_frame = std::make_unique<CMainFrame>(*m_doc, *m_profile, this, *m_panes, m_wait);
  m_frame->SetListPrinting(&m_printing);
  if (!m_frame->Create()) return false;
  m_loop.AddFilter([this](MSG& msg) { return m_frame != nullptr && m_frame->PreTranslateMessage(msg); });
  m_loop.AddIdleHandler([this] {
    if (m_frame != nullptr && m_frame->Handle() != nullptr) m_frame->OnIdle();
  });
  m_frame->ShowRestored(m_startDirectory);
  return true;
}

int CKolbrinApp::ExitInstance() {
  m_frame.reset();
  m_doc.reset();
  m_exportUi.reset();
  if (m_previousPresenter) fw::SetMessageBoxPresenter(std::move(m_previousPresenter));
  m_previousPresenter = nullptr;
  if (m_oleInitialized) ::OleUninitialize();
  m_oleInitialized = false;
  return 0;
}

void CKolbrinApp::OnAppAbout() {
  fw::win32::CDialog about(*res::FindDialog(IDD_ABOUTBOX));
  about.DoModal(m_frame->Handle());
}

void CKolbrinApp::OnAppExit() { m_frame->PostMsg(WM_CLOSE); }

// The system's printer setup; what it chooses is used by the next print.
void CKolbrinApp::OnFilePrintSetup() { m_printer.Setup(m_frame->Handle()); }

}  // namespace shell::win32
