// The export's dialogs offscreen: "Datensatzauswahl" with its captions and
// preselection, and the save dialog's filter, extension and overwrite
// question.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <utility>

#include "output/ui/ExportSelectDlg.h"
#include "output/ui/QtExportUi.h"
#include "res/resource.h"
#include "tests/support/Input.h"

namespace {

using output::CExportSelectDlg;

using testsupport::WhenModal;

QRadioButton* Radio(const CExportSelectDlg& dlg, res::Id id) { return dlg.Item<QRadioButton>(id); }

TEST(ExportSelectDialog, CaptionsCarryTheCountsAndSelectedRowsPreselectTheSecondButton) {
  for (const auto& [total, selected] : {std::pair{12, 3}, {4, 0}}) {
    CExportSelectDlg dlg;
    EXPECT_EQ(dlg.m_nSelection, -1);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Datensatzauswahl"));
    dlg.m_nTotal = total;
    dlg.m_nSelected = selected;
    dlg.OnInitDialog();
    ASSERT_NE(Radio(dlg, IDC_RADIO_ALLE), nullptr);
    ASSERT_NE(Radio(dlg, IDC_RADIO_SEL), nullptr);
    EXPECT_EQ(Radio(dlg, IDC_RADIO_ALLE)->text(), QStringLiteral("Alle Datensätzen  (Anzahl = %1)").arg(total));
    EXPECT_EQ(Radio(dlg, IDC_RADIO_SEL)->text(),
              QStringLiteral("Alle markierten Datensätze  (Anzahl = %1)").arg(selected));
    EXPECT_EQ(dlg.m_nSelection, selected > 0 ? 1 : 0);
    EXPECT_EQ(Radio(dlg, IDC_RADIO_SEL)->isChecked(), selected > 0);
    EXPECT_EQ(Radio(dlg, IDC_RADIO_ALLE)->isChecked(), selected == 0);
  }
}

TEST(ExportSelectDialog, AskSelectionReturnsTheChoiceOrNothingOnCancel) {
  QWidget parent;
  output::CQtExportUi ui(&parent);
  WhenModal<CExportSelectDlg>([&parent](CExportSelectDlg* d) {
    EXPECT_TRUE(d->Item<QRadioButton>(IDC_RADIO_SEL)->isChecked());
    EXPECT_EQ(d->parentWidget(), &parent);
    d->Item<QPushButton>(IDC_OK)->click();
  });
  EXPECT_EQ(ui.AskSelection(5, 2), std::optional<bool>(true));

  WhenModal<CExportSelectDlg>([](CExportSelectDlg* d) {
    d->Item<QRadioButton>(IDC_RADIO_ALLE)->click();
    d->Item<QPushButton>(IDC_OK)->click();
  });
  EXPECT_EQ(ui.AskSelection(5, 5), std::optional<bool>(false));

  WhenModal<CExportSelectDlg>([](CExportSelectDlg* d) { d->Item<QPushButton>(IDC_CANCEL)->click(); });
  EXPECT_EQ(ui.AskSelection(5, 2), std::nullopt);
}

class SaveDialog : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QWidget parent;
  output::CQtExportUi ui{&parent};
};

TEST_F(SaveDialog, AsksForATextFileAndGivesTheFullPathWithExtensionOrNothingOnCancel) {
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
