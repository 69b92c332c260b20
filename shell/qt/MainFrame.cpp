#include "shell/qt/MainFrame.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QMenu>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <utility>

#include "driveinfo/qt/DriveInfoDlg.h"
#include "framework/CmdUI.h"
#include "framework/CommandFailure.h"
#include "framework/qt/CommandActions.h"
#include "framework/qt/ModalWait.h"
#include "framework/qt/Text.h"
#include "lists/qt/DirView.h"
#include "lists/qt/FileView.h"
#include "platform/Keyboard.h"
#include "res/Templates.h"
#include "shell/KolbrinDoc.h"
#include "shell/WindowPlacement.h"
#include "shell/qt/AppIcon.h"
#include "tree/qt/DriveView.h"

namespace shell {

using fw::qt::ResString;

CMainFrame::CMainFrame(CKolbrinDoc& doc, CProfile& profile, fw::CWinApp* app, output::PrinterSource& printers,
                       fw::qt::CModalWait& wait, std::string startDirectory)
    : m_doc(doc), m_profile(profile), m_wait(wait), m_startDirectory(std::move(startDirectory)) {
  SetApp(app);
  SetDocument(&doc);
  setWindowTitle(ResString(AFX_IDS_APP_TITLE));
  setWindowIcon(AppIcon());
  m_actions = new fw::qt::CommandActions(this, this, m_wait);
  m_actions->BuildMenuBar(res::MainMenu(), menuBar());
  // A closed menu leaves the idle prompt, as a hovered item left its own.
  for (QAction* popup : menuBar()->actions()) {
    if (QMenu* menu = popup->menu()) {
      connect(menu, &QMenu::aboutToHide, this, [this] { ShowIdlePrompt(); });
    }
  }
  // The tree reads the first fixed drive while the panes are made; pane 0
  // exists only with the bars, so that a wait for a slow drive then tells
  // nothing.
  OnCreateClient(printers);
  CreateBars();
  m_wait.SetStatusPane(this);
  m_actions->AddAccelerators(res::MainAccelerators());
  m_driveView->SetCommandActions(m_actions);
  for (fw::CView* v : m_doc.Views()) v->OnInitialUpdate();
  if (m_startDirectory.empty()) m_driveView->ReselectCurrent();

  // F10 opens the menu bar, as Alt does.
  auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
  connect(menuKey, &QShortcut::activated, this, [this] { ActivateMenuBar(); });

  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (fw::CView* v = ViewOfWidget(now)) SetActiveView(v);
  });
  connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
          [this] { m_actions->UpdateAll(); });
  // The lock keys are read four times a second, not at every idle moment.
  auto* indicators = new QTimer(this);
  connect(indicators, &QTimer::timeout, this, [this] { UpdateIndicators(); });
  indicators->start(250);
}

CMainFrame::~CMainFrame() {
  // The base destructor deletes the child widgets, which moves the focus and
  // may block the event loop: neither may reach this half-destroyed frame.
  disconnect(qApp, nullptr, this, nullptr);
  disconnect(QAbstractEventDispatcher::instance(), nullptr, this, nullptr);
  // The views go with their widgets; the routing must not reach them later.
  SetActiveView(nullptr);
  m_wait.SetStatusPane(nullptr);
}

void CMainFrame::OnCreateClient(output::PrinterSource& printers) {
  const QSize screen = QGuiApplication::primaryScreen()->size();
  ApplyPlacement(RestoreWindowPlacement(m_profile, screen.width(), screen.height()));
  // A window that comes back maximised lays out its panes for that size.
  const QSize client = m_nShowCmd == ShowCmd::kMaximized
                           ? QGuiApplication::primaryScreen()->availableGeometry().size()
                           : size();
  const SplitterSizes sizes = InitialSplitterSizes(client.width(), client.height());

  m_wndSplitter = new QSplitter(Qt::Horizontal, this);
  m_wndSplitter->setChildrenCollapsible(false);
  m_driveView = new tree::qt::CDriveView(m_doc, m_wait, m_wndSplitter);
  m_wndSplitterRight = new QSplitter(Qt::Vertical, m_wndSplitter);
  m_wndSplitterRight->setChildrenCollapsible(false);
  m_fileView = new lists::qt::CFileView(m_doc, m_wndSplitterRight);
  m_dirView = new lists::qt::CDirView(m_doc, m_wndSplitterRight);
  for (lists::CListView* list : {static_cast<lists::CListView*>(m_fileView), static_cast<lists::CListView*>(m_dirView)}) {
    list->SetStatusPane(this);
    list->SetJobRunner(&m_wait);
    list->SetListOutput(&m_doc);
  }
  m_fileView->SetPrinterSource(&printers);
  m_dirView->SetPrinterSource(&printers);
  m_wndSplitter->setSizes({sizes.treeWidth, client.width() - sizes.treeWidth});
  m_wndSplitterRight->setSizes({sizes.listHeight, sizes.listHeight});
  m_wndSplitter->setStretchFactor(1, 1);
  setCentralWidget(m_wndSplitter);

  m_driveView->setAccessibleName(ResString(IDS_NAME_DRIVE_TREE));
  m_fileView->setAccessibleName(ResString(IDS_NAME_FILE_LIST));
  m_dirView->setAccessibleName(ResString(IDS_NAME_DIR_LIST));
  SetActiveView(m_driveView);
}

void CMainFrame::CreateBars() {
  m_wndToolBar = addToolBar(ResString(IDS_NAME_TOOLBAR));
  m_wndToolBar->setObjectName(QStringLiteral("toolbar"));
  m_wndToolBar->setIconSize(QSize(16, 15));
  m_wndToolBar->setAccessibleName(ResString(IDS_NAME_TOOLBAR));
  const auto& tb = res::MainToolbar();
  m_actions->BuildToolBar(tb, QPixmap(QStringLiteral(":/res/bitmap128.xpm")), QColor(192, 192, 192),
                          m_wndToolBar);

  QStatusBar* bar = statusBar();
  bar->setAccessibleName(ResString(IDS_NAME_STATUSBAR));
  m_paneText = new QLabel(ResString(AFX_IDS_IDLEMESSAGE), bar);
  bar->addWidget(m_paneText, 1);
  const auto indicators = res::StatusIndicators();
  for (size_t i = 1; i < indicators.size() && i <= m_indicators.size(); ++i) {
    auto* label = new QLabel(bar);
    const QString text = ResString(indicators[i]);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + 8);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAccessibleName(text);
    bar->addPermanentWidget(label);
    m_indicators[i - 1] = label;
  }
  UpdateIndicators();
}

void CMainFrame::UpdateIndicators() {
  const platform::LockKeys keys = platform::QueryLockKeys();
  const bool on[] = {keys.caps, keys.num, keys.scroll};
  const auto ids = res::StatusIndicators();
  for (size_t i = 0; i < m_indicators.size(); ++i) {
    if (m_indicators[i] == nullptr) continue;
    const QString text = on[i] ? ResString(ids[i + 1]) : QString();
    if (m_indicators[i]->text() != text) m_indicators[i]->setText(text);
  }
}

void CMainFrame::ApplyPlacement(const WindowPlacement& p) {
  const WindowRect& r = p.rcNormal;
  setGeometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
  m_nShowCmd = p.showCmd;
}

void CMainFrame::ShowRestored() {
  if (m_nShowCmd == ShowCmd::kMaximized) {
    showMaximized();
  } else if (m_nShowCmd == ShowCmd::kMinimized) {
    showMinimized();
  } else {
    show();
  }
  if (!m_startDirectory.empty()) QTimer::singleShot(0, this, [this] { OpenStartDirectory(); });
}

void CMainFrame::OpenStartDirectory() {
  const std::string path = std::exchange(m_startDirectory, {});
  fw::RunReported([&] {
    if (!m_driveView->SelectPath(path)) m_driveView->ReselectCurrent();
  });
}

void CMainFrame::SaveWindowPlacement() {
  WindowPlacement p;
  const QRect normal = (isMaximized() || isMinimized()) ? normalGeometry() : geometry();
  p.rcNormal = {normal.left(), normal.top(), normal.left() + normal.width(),
                normal.top() + normal.height()};
  p.showCmd = isMinimized()   ? ShowCmd::kMinimized
              : isMaximized() ? ShowCmd::kMaximized
                              : ShowCmd::kNormal;
  shell::SaveWindowPlacement(m_profile, p);
  m_placementSaved = true;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (!m_placementSaved) SaveWindowPlacement();
  QMainWindow::closeEvent(event);
}

// The prompt of the menu item or toolbar button under the pointer goes to
// pane 0, and the idle prompt when the pointer leaves it; Qt's own habit of
// covering the whole bar with a temporary message would hide a scan's
// progress.
bool CMainFrame::event(QEvent* event) {
  if (event->type() != QEvent::StatusTip) return QMainWindow::event(event);
  const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
  if (tip.isEmpty()) {
    ShowIdlePrompt();
  } else {
    ShowPrompt(tip);
  }
  return true;
}

void CMainFrame::ShowIdlePrompt() {
  if (!m_wait.Active()) ShowPrompt(ResString(AFX_IDS_IDLEMESSAGE));
}

void CMainFrame::ShowPrompt(const QString& text) { m_paneText->setText(text); }

void CMainFrame::SetMessageText(std::string_view text, bool immediate) {
  m_paneText->setText(fw::qt::DisplayText(text));
  if (immediate) m_paneText->repaint();
}

std::string CMainFrame::MessageText() const { return fw::qt::FromQ(m_paneText->text()); }

std::array<QWidget*, 3> CMainFrame::PaneWidgets() const {
  return {static_cast<QWidget*>(m_driveView), static_cast<QWidget*>(m_fileView),
          static_cast<QWidget*>(m_dirView)};
}

fw::CView* CMainFrame::ViewOfWidget(const QWidget* w) const {
  const std::array<fw::CView*, 3> views = {m_driveView, m_fileView, m_dirView};
  const auto panes = PaneWidgets();
  for (size_t i = 0; i < panes.size(); ++i) {
    if (w != nullptr && (w == panes[i] || panes[i]->isAncestorOf(w))) return views[i];
  }
  return nullptr;
}

int CMainFrame::ActivePane() const {
  const auto panes = PaneWidgets();
  for (std::size_t i = 0; i < panes.size(); ++i) {
    if (ViewOfWidget(panes[i]) == GetActiveView()) return static_cast<int>(i);
  }
  return -1;
}

void CMainFrame::ActivatePane(int pane) {
  QWidget* widget = PaneWidgets().at(static_cast<std::size_t>(pane));
  widget->setFocus(Qt::OtherFocusReason);
  SetActiveView(ViewOfWidget(widget));
}

void CMainFrame::ActivateMenuBar() {
  const QList<QAction*> menus = menuBar()->actions();
  if (!menus.isEmpty()) menuBar()->setActiveAction(menus.front());
}

bool CMainFrame::IsBarShown(Bar bar) const {
  return !(bar == Bar::kToolBar ? static_cast<QWidget*>(m_wndToolBar) : statusBar())->isHidden();
}

void CMainFrame::ShowBar(Bar bar, bool show) {
  (bar == Bar::kToolBar ? static_cast<QWidget*>(m_wndToolBar) : statusBar())->setVisible(show);
}

void CMainFrame::OpenDriveInfo() {
  m_dlgDriveInfo = std::make_unique<driveinfo::CDriveInfoDlg>(m_doc.FileSystem(), m_wait, this);
  m_dlgDriveInfo->SetOnClosed([this] {
    OnDriveInfoClosed();
    // The window closed itself from one of its own handlers: let it go after.
    if (m_dlgDriveInfo) m_dlgDriveInfo.release()->deleteLater();
  });
  m_dlgDriveInfo->show();
}

void CMainFrame::CloseDriveInfo() { m_dlgDriveInfo.reset(); }

}  // namespace shell
