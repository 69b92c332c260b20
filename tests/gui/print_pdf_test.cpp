// The file list printed to PDF through the app's printer in PDF mode, read
// back with poppler's tools; the print and preview commands with their dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPageRanges>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/MessageBox.h"
#include "framework/ui/Text.h"
#include "lists/ui/FileView.h"
#include "output/ui/ListPrinter.h"
#include "shell/KolbrinDoc.h"
#include "tests/support/FakeFileSystem.h"
#include "tests/support/GuiHarness.h"

namespace {

constexpr int kRows = 138;

QString RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

int PdfPages(const QString& pdf) {
  const QString info = RunTool(QStringLiteral("pdfinfo"), {pdf});
  for (const QString& line : info.split('\n'))
    if (line.startsWith(QStringLiteral("Pages:"))) return line.mid(6).trimmed().toInt();
  return -1;
}

QString PdfText(const QString& pdf, int page = 0) {
  QStringList args{QStringLiteral("-layout")};
  if (page > 0) args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
  return RunTool(QStringLiteral("pdftotext"), args << pdf << QStringLiteral("-"));
}

struct Word {
  QString text;
  double xMin, xMax;
};

// The words of a page with their horizontal extent in points.
std::vector<Word> PdfWords(const QString& pdf, int page) {
  const QString xml = RunTool(QStringLiteral("pdftotext"),
                              {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                               QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
  static const QRegularExpression word(
      QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"[0-9.]+\" xMax=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
  std::vector<Word> words;
  for (auto it = word.globalMatch(xml); it.hasNext();) {
    const auto m = it.next();
    words.push_back({m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble()});
  }
  return words;
}

// The number printed after "Seite:" on a page of the file.
QString PageNumberOn(const QString& pdf, int page) {
  const std::vector<Word> words = PdfWords(pdf, page);
  if (words.size() < 2 || words[0].text != QStringLiteral("Seite:")) return {};
  return words[1].text;
}

// Rows per page as the job computes them from the printer's measurements.
int RowsPerPage(const QPrinter& printer) {
  const int v = printer.height();
  const int h = 8 * printer.logicalDpiY() / 72;
  const int line = h + h / 3;
  return (v - v / 25 - v / 20) / line - 1;
}

class PrintToPdf : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[32];
    for (int i = 0; i < kRows - 1; ++i) {
      std::snprintf(name, sizeof name, "/d/datei%03d.txt", i);
      fs.AddFile(name, static_cast<std::uint64_t>(i) * 1000).lastWrite = {132000000000000000};
    }
    fs.AddFile("/d/R&D.txt", 5);  // '&' underlines the next letter and is not printed
    h = std::make_unique<testsupport::GuiHarness>(&fs);
    view = h->frame()->FileView();
    doc = h->app->Document();
    doc->m_strPath = "/d";
    doc->UpdateAllViews(nullptr, fw::UpdateHint(doc->m_strPath));
    ASSERT_EQ(view->RowCount(), kRows);
    pdf = tmp.filePath(QStringLiteral("list.pdf"));
    QPrinter& printer = h->app->Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
  }
  QPrinter& printer() { return h->app->Printer(); }
  int ExpectedPages() { return kRows / RowsPerPage(printer()) + 1; }

  test_support::FakeFileSystem fs;
  std::unique_ptr<testsupport::GuiHarness> h;
  lists::CFileView* view = nullptr;
  shell::CKolbrinDoc* doc = nullptr;
  QTemporaryDir tmp;
  QString pdf;
};

TEST_F(PrintToPdf, PagesTitlesAndRowsAsTheLayoutPredicts) {
  ASSERT_TRUE(output::ListPrinter(*doc, *view).PrintTo(printer()));
  const int r = RowsPerPage(printer());
  ASSERT_GT(r, 0);
  EXPECT_EQ(PdfPages(pdf), kRows / r + 1) << r << " rows per page";
  EXPECT_EQ(doc->PrintState().Metrics().rowsPerPage, r);
  EXPECT_FALSE(doc->PrintState().Font().has_value());  // released at the end of the job

  // "Seite:  1": the number padded to two places, flush right over the table.
  const std::vector<Word> words = PdfWords(pdf, 1);
  ASSERT_GE(words.size(), 2u);
  EXPECT_EQ(words[0].text, QStringLiteral("Seite:"));
  EXPECT_EQ(words[1].text, QStringLiteral("1"));
  const double space = 8.0 * 569 / 2048;  // blank of 8-point Arial (metric-equal Liberation Sans)
  const double gap = words[1].xMin - words[0].xMax;
  EXPECT_GT(gap, 1.6 * space);
  EXPECT_LT(gap, 2.4 * space);
  const output::PrintMetrics& m = doc->PrintState().Metrics();
  const double scale = 72.0 / printer().logicalDpiX();
  const double tableRight =
      (printer().pageLayout().paintRectPixels(printer().resolution()).left() + m.marginLeft + m.pageWidth) *
      scale;
  EXPECT_NEAR(words[1].xMax, tableRight, 1.5);

  const QString first = PdfText(pdf, 1);
  for (const char* title : {"Dateiname", "Dateigröße", "Attribute", "Letzte Änderung", "Hergestellt",
                            "Letzter Zugriff"}) {
    EXPECT_TRUE(first.contains(QString::fromUtf8(title))) << title;
  }
  const QString all = PdfText(pdf);
  for (int row = 0; row < kRows; ++row) {
    const QString name = fw::ui::DisplayText(view->CellText(row, 0)).remove('&');
    EXPECT_TRUE(all.contains(name)) << name.toStdString();
  }
  EXPECT_FALSE(all.contains('&'));
  EXPECT_TRUE(all.contains(QString::fromStdString(view->CellText(kRows - 1, 1))));
  EXPECT_EQ(PageNumberOn(pdf, 2), QStringLiteral("2"));
  EXPECT_EQ(PageNumberOn(pdf, 3), QStringLiteral("3"));

  // One page to look at.
  QDir().mkpath(QStringLiteral(KOLBRIN_TEST_OUTPUT));
  RunTool(QStringLiteral("pdftoppm"),
          QStringList{"-png", "-r", "60", "-f", "1", "-l", "1", "-singlefile", pdf,
                      KOLBRIN_TEST_OUTPUT "/print_page1"});
  EXPECT_TRUE(QFile::exists(QStringLiteral(KOLBRIN_TEST_OUTPUT "/print_page1.png")));
}

TEST_F(PrintToPdf, PageRangeOfTheDialogIsHonoured) {
  printer().setPrintRange(QPrinter::PageRange);
  printer().setPageRanges(QPageRanges());
  printer().setFromTo(2, 2);
  ASSERT_TRUE(output::ListPrinter(*doc, *view).PrintTo(printer()));
  EXPECT_EQ(PdfPages(pdf), 1);
  EXPECT_EQ(PageNumberOn(pdf, 1), QStringLiteral("2"));
  EXPECT_TRUE(PdfText(pdf).contains(QString::fromStdString(view->CellText(RowsPerPage(printer()), 0))));

  // A range past the last page prints nothing and writes no file.
  QFile::remove(pdf);
  printer().setFromTo(50, 60);
  EXPECT_TRUE(output::ListPrinter(*doc, *view).PrintTo(printer()));
  EXPECT_FALSE(QFile::exists(pdf));
  printer().setPrintRange(QPrinter::AllPages);
}

// The commands: print through its dialog, accepted as it stands, to the
// chosen file; the preview with the same pages, measured on the printer; a
// file that cannot be written reported, not passed off as a printout.
TEST_F(PrintToPdf, PrintAndPreviewCommandsGoThroughTheirDialogs) {
  view->setFocus();
  h->frame()->SetActiveView(view);
  ASSERT_TRUE(h->updated(ID_FILE_PRINT)->isEnabled());
  int dialogs = 0;
  const auto printThroughDialog = [&] {
    QTimer::singleShot(0, [&] {
      if (auto* dlg = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
        ++dialogs;
        dlg->accept();
      }
    });
    h->action(ID_FILE_PRINT)->trigger();
  };
  printThroughDialog();
  ASSERT_EQ(dialogs, 1);
  EXPECT_EQ(PdfPages(pdf), ExpectedPages());

  int pages = -1;
  QTimer::singleShot(0, [&] {
    auto* dlg = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
    if (dlg == nullptr) return;
    if (auto* preview = dlg->findChild<QPrintPreviewWidget*>()) {
      pages = preview->pageCount();
      dlg->resize(900, 700);
      preview->fitToWidth();
      QDir().mkpath(QStringLiteral(KOLBRIN_TEST_OUTPUT));
      dlg->grab().save(QStringLiteral(KOLBRIN_TEST_OUTPUT "/print_preview.png"));
    }
    dlg->reject();
  });
  h->action(ID_FILE_PRINT_PREVIEW)->trigger();
  EXPECT_EQ(pages, ExpectedPages());
  EXPECT_FALSE(doc->PrintState().Font().has_value());

  printer().setOutputFileName(tmp.filePath(QStringLiteral("no/such/dir/list.pdf")));
  EXPECT_FALSE(output::ListPrinter(*doc, *view).PrintTo(printer()));
  EXPECT_FALSE(doc->PrintState().Font().has_value());
  std::vector<std::string> shown;
  auto previous = fw::SetMessageBoxPresenter([&](const fw::MessageBoxRequest& r) {
    shown.push_back(r.text);
    return fw::IDRESULT_OK;
  });
  printThroughDialog();
  fw::SetMessageBoxPresenter(previous);
  EXPECT_EQ(dialogs, 2);
  EXPECT_EQ(shown, std::vector<std::string>{"Der Druckvorgang konnte nicht gestartet werden."});
}

}  // namespace
