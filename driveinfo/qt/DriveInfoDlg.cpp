#include "driveinfo/qt/DriveInfoDlg.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include "driveinfo/qt/DriveListDelegate.h"
#include "framework/CommandFailure.h"
#include "framework/qt/Text.h"
#include "res/Templates.h"

namespace driveinfo {

namespace {

// The list's one tab stop, in quarters of the average character width.
constexpr int kTypeTabUnits = 80;

// The property lines end in CR LF; the edit wants plain line breaks.
QString EditLines(const std::string& text) {
  QString lines = fw::qt::DisplayText(text);
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  lines.remove(QLatin1Char('\r'));
  return lines;
}

}  // namespace

CDriveInfoDlg::CDriveInfoDlg(platform::FileSystem& fs, fw::JobRunner& runner, QWidget* parent)
    : CDialog(*res::FindDialog(IDD_DRIVEINFO), parent), m_data(fs) {
  // A drive that stops answering must not freeze the window.
  m_data.SetRunner(runner);
  setModal(false);
  m_listDrives = Item<QListWidget>(IDC_LIST_DRIVES);
  OnInitDialog();
}

void CDriveInfoDlg::OnInitDialog() {
  // The lines arrive in the list's sorted order; the list must keep it.
  m_listDrives->setSortingEnabled(false);
  m_listDrives->setSelectionMode(QAbstractItemView::SingleSelection);
  m_listDrives->setUniformItemSizes(true);
  m_delegate = new CDriveListDelegate(
      fw::DialogXToPixels(kTypeTabUnits, fw::qt::BaseUnitsOf(m_listDrives->font())), this);
  m_listDrives->setItemDelegate(m_delegate);
  connect(m_listDrives, &QListWidget::currentRowChanged, this,
          [this](int row) { OnSelchangeDriveList(row); });
  FillDriveList();
}

int CDriveInfoDlg::TypeTabStop() const { return m_delegate->TabStop(); }

void CDriveInfoDlg::FillDriveList() {
  m_data.FillDriveList();
  {
    const QSignalBlocker quiet(m_listDrives);
    m_listDrives->clear();
    for (const DriveLine& line : m_data.Lines()) {
      auto* item = new QListWidgetItem(fw::qt::DisplayText(line.Text()), m_listDrives);
      item->setData(CDriveListDelegate::kRootRole, fw::qt::DisplayText(line.root));
      item->setData(CDriveListDelegate::kTypeRole, fw::qt::DisplayText(line.typeText));
      item->setToolTip(fw::qt::DisplayText(line.root));
    }
    m_listDrives->setCurrentRow(m_data.Selected());
    if (m_data.Selected() < 0) m_listDrives->clearSelection();
  }
  ShowFigures();
}

void CDriveInfoDlg::OnSelchangeDriveList(int row) {
  fw::RunReported([&] { m_data.Select(row); });
  ShowFigures();
}

void CDriveInfoDlg::ShowFigures() {
  for (const res::Id id : CDriveInfoData::FieldControls()) {
    const std::string text = m_data.FieldText(id);
    if (auto* edit = Item<QLineEdit>(id)) {
      edit->setText(fw::qt::DisplayText(text));
      edit->setCursorPosition(0);
    } else if (auto* lines = Item<QPlainTextEdit>(id)) {
      lines->setPlainText(EditLines(text));
    }
  }
}

void CDriveInfoDlg::keyPressEvent(QKeyEvent* event) {
  // Enter closes the window as Esc does; there is no button to press.
  const bool plain = event->modifiers() == Qt::NoModifier ||
                     (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
  if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    accept();
    return;
  }
  CDialog::keyPressEvent(event);
}

void CDriveInfoDlg::done(int result) {
  CDialog::done(result);
  if (m_onClosed) m_onClosed();
}

}  // namespace driveinfo
