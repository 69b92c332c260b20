// The export's dialogs offscreen: "Datensatzauswahl" with its captions and
// preselection, and the save dialog's filter, extension and overwrite
// question.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "output/ExportSelectDlg.h"
#include "output/QtExportUi.h"
#include "res/resource.h"

namespace {

using output::CExportSelectDlg;

// Runs act on the modal dialog of type T once it is open.
template <typename T>
void WhenModal(std::function<void(T*)> act) {
  QTimer::singleShot(0, [act] {
    QWidget* modal = QApplication::activeModalWidget();
    auto* dialog = dynamic_cast<T*>(modal);
    if (dialog == nullptr) {
      ADD_FAILURE() << "the expected dialog is not open";
      if (modal != nullptr) modal->close();
      return;
    }
    act(dialog);
  });
}

QRadioButton* Radio(const CExportSelectDlg& dlg, res::Id id) { return dlg.Item<QRadioButton>(id); }

TEST(ExportSelectDialog, CaptionsCarryTheCountsAndTheSelectedRowsArePreselected) {
  CExportSelectDlg dlg;
  EXPECT_EQ(dlg.m_nSelection, -1);
  EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Datensatzauswahl"));
  dlg.m_nTotal = 12;
  dlg.m_nSelected = 3;
  dlg.OnInitDialog();
  ASSERT_NE(Radio(dlg, IDC_RADIO_ALLE), nullptr);
  ASSERT_NE(Radio(dlg, IDC_RADIO_SEL), nullptr);
  EXPECT_EQ(Radio(dlg, IDC_RADIO_ALLE)->text(), QStringLiteral("Alle Datensätzen  (Anzahl = 12)"));
  EXPECT_EQ(Radio(dlg, IDC_RADIO_SEL)->text(),
            QStringLiteral("Alle markierten Datensätze  (Anzahl = 3)"));
  EXPECT_EQ(dlg.m_nSelection, 1);
  EXPECT_FALSE(Radio(dlg, IDC_RADIO_ALLE)->isChecked());
  EXPECT_TRUE(Radio(dlg, IDC_RADIO_SEL)->isChecked());
  dlg.show();
  dlg.grab().save(QDir::temp().filePath(QStringLiteral("kolbrin-export-select.png")));

  // The user turns on the first button and confirms.
  Radio(dlg, IDC_RADIO_ALLE)->click();
  EXPECT_FALSE(Radio(dlg, IDC_RADIO_SEL)->isChecked());
  dlg.accept();
  EXPECT_EQ(dlg.m_nSelection, 0);
}

TEST(ExportSelectDialog, WithoutSelectedRowsTheFirstButtonIsOn) {
  CExportSelectDlg dlg;
  dlg.m_nTotal = 4;
  dlg.OnInitDialog();
  EXPECT_EQ(dlg.m_nSelection, 0);
  EXPECT_TRUE(Radio(dlg, IDC_RADIO_ALLE)->isChecked());
  EXPECT_EQ(Radio(dlg, IDC_RADIO_SEL)->text(),
            QStringLiteral("Alle markierten Datensätze  (Anzahl = 0)"));
}

TEST(ExportSelectDialog, AskSelectionReturnsTheChoiceOrNothingOnCancel) {
  QWidget parent;
  output::CQtExportUi ui(&parent, [](const std::string&) { return false; });
  WhenModal<CExportSelectDlg>([&parent](CExportSelectDlg* d) {
    EXPECT_TRUE(d->Item<QRadioButton>(IDC_RADIO_SEL)->isChecked());
    EXPECT_EQ(d->parentWidget(), &parent);
    d->Item<QPushButton>(IDOK)->click();
  });
  EXPECT_EQ(ui.AskSelection(5, 2), std::optional<bool>(true));

  WhenModal<CExportSelectDlg>([](CExportSelectDlg* d) {
    d->Item<QRadioButton>(IDC_RADIO_ALLE)->click();
    d->Item<QPushButton>(IDOK)->click();
  });
  EXPECT_EQ(ui.AskSelection(5, 5), std::optional<bool>(false));

  WhenModal<CExportSelectDlg>([](CExportSelectDlg* d) { d->Item<QPushButton>(IDCANCEL)->click(); });
  EXPECT_EQ(ui.AskSelection(5, 2), std::nullopt);
}

class SaveDialog : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QWidget parent;
  output::CQtExportUi ui{&parent, [](const std::string&) { return false; }};
};

TEST_F(SaveDialog, AsksForATextFileAndGivesTheFullPathWithExtension) {
  WhenModal<QFileDialog>([this](QFileDialog* d) {
    EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(d->nameFilters(), QStringList{QStringLiteral("Textdatei (*.txt)")});
    EXPECT_EQ(d->defaultSuffix(), QStringLiteral("txt"));
    EXPECT_FALSE(d->testOption(QFileDialog::DontConfirmOverwrite));
    d->selectFile(dir.filePath(QStringLiteral("liste")));
    static_cast<QDialog*>(d)->accept();  // as the Save button does
  });
  const std::optional<std::string> path = ui.AskSaveFile();
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(*path, QFile::encodeName(dir.filePath(QStringLiteral("liste.txt"))).toStdString());
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("liste.txt"))));
}

TEST_F(SaveDialog, CancelGivesNothing) {
  WhenModal<QFileDialog>([](QFileDialog* d) { d->reject(); });
  EXPECT_EQ(ui.AskSaveFile(), std::nullopt);
}

TEST_F(SaveDialog, AsksBeforeReplacingAFile) {
  const QString existing = dir.filePath(QStringLiteral("alt.txt"));
  QFile file(existing);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  bool asked = false;
  WhenModal<QFileDialog>([&](QFileDialog* d) {
    WhenModal<QMessageBox>([&](QMessageBox* box) {
      asked = true;
      box->button(QMessageBox::Yes)->click();
    });
    d->selectFile(existing);
    static_cast<QDialog*>(d)->accept();  // as the Save button does
  });
  const std::optional<std::string> path = ui.AskSaveFile();
  EXPECT_TRUE(asked);
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(*path, QFile::encodeName(existing).toStdString());
}

}  // namespace
