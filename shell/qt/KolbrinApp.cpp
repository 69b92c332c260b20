#include "shell/qt/KolbrinApp.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFont>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTranslator>

#include "framework/qt/ModalWait.h"
#include "framework/qt/Text.h"
#include "output/qt/QtExportUi.h"
#include "shell/KolbrinDoc.h"
#include "shell/qt/AboutDlg.h"
#include "shell/qt/GermanLocale.h"
#include "shell/qt/MainFrame.h"
#include "shell/qt/QtMessageBoxPresenter.h"
#include "shell/qt/SettingsProfile.h"

// The resources live in a static library: pull them in explicitly.
static void InitKolbrinResources() { Q_INIT_RESOURCE(kolbrin); }

namespace shell {

CKolbrinApp::CKolbrinApp(std::unique_ptr<CProfile> profile, platform::FileSystem* fs)
    : m_profile(profile ? std::move(profile) : std::make_unique<SettingsProfile>()),
      m_fs(fs != nullptr ? fs : &platform::FileSystem::Native()),
      m_wait(std::make_unique<fw::qt::CModalWait>()) {
  InitKolbrinResources();
}

CKolbrinApp::~CKolbrinApp() {
  m_frame.reset();
  m_doc.reset();
  m_exportUi.reset();
}

const fw::RouteMap* CKolbrinApp::GetRouteMap() const {
  using fw::Route::Command;
  static const fw::RouteEntry entries[] = {
      Command<&CKolbrinApp::OnAppAbout>(ID_APP_ABOUT),
      Command<&CKolbrinApp::OnFileNew>(ID_FILE_NEW),
      Command<&CKolbrinApp::OnFileOpen>(ID_FILE_OPEN),
      Command<&CKolbrinApp::OnFilePrintSetup>(ID_FILE_PRINT_SETUP),
      Command<&CKolbrinApp::OnAppExit>(ID_APP_EXIT),
  };
  static const fw::RouteMap map{entries, nullptr};
  return &map;
}

bool CKolbrinApp::InitInstance(bool show) {
  // Standard dialogs speak German too.
  m_translator = InstallQtGermanTranslator();
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
  // The panes' fixed column widths are made for an 8-point interface font.
  QFont uiFont(QStringLiteral("Liberation Sans"));
  uiFont.setStyleHint(QFont::SansSerif);
  uiFont.setPointSize(8);
  QApplication::setFont(uiFont);
  // A message that comes up while a long job is waited for is shown after.
  m_previousPresenter = fw::SetMessageBoxPresenter(
      [wait = m_wait.get(), show = QtMessageBoxPresenter()](const fw::MessageBoxRequest& request) {
        return wait->Present(request, show);
      });

  m_doc = std::make_unique<CKolbrinDoc>(*m_fs);
  m_frame = std::make_unique<CMainFrame>(*m_doc, *m_profile, this, *this, *m_wait, m_startDirectory);
  m_exportUi = std::make_unique<output::CQtExportUi>(m_frame.get(), *m_fs, *m_wait);
  m_doc->SetExportUi(m_exportUi.get());
  if (show) m_frame->ShowRestored();
  return true;
}

int CKolbrinApp::ExitInstance() {
  m_frame.reset();
  m_doc.reset();
  m_exportUi.reset();
  fw::SetMessageBoxPresenter(std::move(m_previousPresenter));
  return 0;
}

QPrinter& CKolbrinApp::Printer() {
  if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *m_printer;
}

void CKolbrinApp::OnAppAbout() {
  CAboutDlg dlg(m_frame.get());
  dlg.exec();
}

void CKolbrinApp::OnAppExit() {
  if (m_frame) m_frame->close();
}

// The system's print dialog, set up for choosing rather than printing: the
// printer, and behind "Eigenschaften" that printer's own papers,
// orientation, margins and trays. Qt's page setup alone offers no printer.
void CKolbrinApp::OnFilePrintSetup() {
  QPrintDialog dlg(&Printer(), m_frame.get());
  dlg.setWindowTitle(fw::qt::ResString(IDS_PRINT_SETUP_TITLE));
  dlg.setOption(QAbstractPrintDialog::PrintToFile, true);
  for (const auto option : {QAbstractPrintDialog::PrintPageRange, QAbstractPrintDialog::PrintSelection,
                            QAbstractPrintDialog::PrintCurrentPage, QAbstractPrintDialog::PrintCollateCopies}) {
    dlg.setOption(option, false);
  }
  // Its accepting button says "OK": accepting prints nothing here.
  auto* buttons = dlg.findChild<QDialogButtonBox*>();
  if (QPushButton* ok = buttons != nullptr ? buttons->button(QDialogButtonBox::Ok) : nullptr) {
    ok->setText(fw::qt::ResString(IDS_PRINT_SETUP_OK));
  }
  dlg.exec();
}

}  // namespace shell
