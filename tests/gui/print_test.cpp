// Printing the file list into a PDF read back with poppler's tools, and the
// print device context drawn into an image.
#include <QFontInfo>
#include <QHeaderView>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>

#include "framework/qt/Text.h"
#include "output/qt/PrintPreview.h"
#include "output/qt/QtPrintDC.h"
#include "tests/support/GuiHarness.h"

namespace {

using namespace output;
using testsupport::Click;
using testsupport::OutputPath;
using testsupport::WhenModal;

constexpr int kRows = 138;

QString RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  return p.waitForFinished(60000) && p.exitCode() == 0 ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

// The text of each page as laid out; each page ends in a form feed.
QStringList PdfPages(const QString& pdf) {
  QStringList pages = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, "-"}).split('\f');
  pages.removeLast();
  return pages;
}

// On the first page, in points: where "Seite:" ends, and where the word
// after it begins and ends; zeros when there is no such word.
std::array<double, 3> PageNumberPlace(const QString& pdf) {
  static const QRegularExpression words(QStringLiteral(
      "xMax=\"([0-9.]+)\"[^>]*>Seite:</word>\\s*<word xMin=\"([0-9.]+)\" yMin=\"[0-9.]+\" xMax=\"([0-9.]+)\""));
  const auto m = words.match(RunTool(QStringLiteral("pdftotext"), {"-bbox", "-f", "1", "-l", "1", pdf, "-"}));
  return {m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble()};
}

// The page number after "Seite:" at the top of a page, or nothing.
QString PageNumberOn(const QString& page) {
  const QStringList words = page.simplified().split(' ');
  return words.size() >= 2 && words[0] == QStringLiteral("Seite:") ? words[1] : QString();
}

class PrintFileList : public testsupport::FrameTest<> {
 protected:
  void SetUp() override {
    for (int i = 0; i < kRows - 1; ++i)
      fs.AddFile(QString::asprintf("/d/datei%03d.txt", i).toStdString(), i * 1000ull).lastWrite = {132000000000000000};
    fs.AddFile("/d/R&D.txt", 5);  // '&' underlines the next letter and is not printed
    Start("/d");
    view = h->files();
    ASSERT_EQ(view->RowCount(), kRows);
    pdf = h->dir.filePath(QStringLiteral("list.pdf"));
    printer().setOutputFileName(pdf);  // a PDF by its suffix
    h->Press(Qt::Key_F6);  // the file list is active
  }
  QPrinter& printer() { return h->app->Printer(); }
  const PrintJob& job() { return h->app->Document()->PrintState(); }
  // Ctrl+P; the print dialog is answered by act.
  void Print(std::function<void(QPrintDialog*)> act) {
    WhenModal<QPrintDialog>(std::move(act));
    h->Press(Qt::Key_P, Qt::ControlModifier);
  }

  lists::qt::CFileView* view = nullptr;
  QString pdf;
};

// The "Attribute" column dragged too narrow on screen is left out; the
// page number stands padded to two places flush right over the table. The
// preview shows as many pages, and each job releases its font at its end.
TEST_F(PrintFileList, PagesTitlesAndRowsAsShownOnScreenAndInThePreview) {
  QHeaderView* header = view->DetailsView()->header();
  const int edge = header->sectionViewportPosition(2) + header->sectionSize(2) - 1;
  QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(edge, 5));
  QTest::mouseMove(header->viewport(), QPoint(edge - header->sectionSize(2) + 15, 5));
  QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(edge - header->sectionSize(2) + 15, 5));
  ASSERT_EQ(header->sectionSize(2), 15);
  Print([](QPrintDialog* d) { Click(testsupport::OkButton(d)); });
  const int r = job().Metrics().rowsPerPage;
  const QStringList pages = PdfPages(pdf);
  ASSERT_EQ(pages.size(), kRows / r + 1) << r << " rows per page";
  EXPECT_FALSE(job().Font().has_value());
  EXPECT_EQ(PageNumberOn(pages[0]), QStringLiteral("1"));
  const auto [seiteEnd, numberStart, numberEnd] = PageNumberPlace(pdf);
  const double space = 8.0 * 569 / 2048;  // blank of 8-point Arial (metric-equal Liberation Sans)
  EXPECT_GT(numberStart - seiteEnd, 1.6 * space);
  EXPECT_LT(numberStart - seiteEnd, 2.4 * space);
  const PrintMetrics& m = job().Metrics();
  const double left = printer().pageLayout().paintRectPixels(printer().resolution()).left();
  EXPECT_NEAR(numberEnd, (left + m.marginLeft + m.pageWidth) * 72.0 / printer().logicalDpiX(), 1.5);
  const QString all = pages.join(QString());
  for (const char* title : {"Dateiname", "Dateigröße", "Letzte Änderung", "Hergestellt", "Letzter Zugriff"})
    EXPECT_TRUE(all.contains(QString::fromUtf8(title))) << title;
  EXPECT_FALSE(all.contains(QStringLiteral("Attribute")));
  for (int row = 0; row < kRows; ++row) {
    const QString name = fw::qt::DisplayText(view->CellText(row, 0)).remove('&');
    EXPECT_TRUE(all.contains(name)) << name.toStdString();
  }
  EXPECT_FALSE(all.contains('&'));
  EXPECT_TRUE(all.contains(QString::fromStdString(view->CellText(kRows - 1, 1))));
  EXPECT_EQ(PageNumberOn(pages[2]), QStringLiteral("3"));
  RunTool(QStringLiteral("pdftoppm"), {"-png", "-r", "60", "-f", "1", "-l", "1", "-singlefile", pdf,
                                       OutputPath(QStringLiteral("print_page1"))});
  EXPECT_TRUE(QFile::exists(OutputPath(QStringLiteral("print_page1.png"))));
  // The preview draws a page when it comes into view, and each page as
  // printed: its drawings, put into a PDF of their own, read back the same.
  const QString previewPdf = h->dir.filePath(QStringLiteral("preview.pdf"));
  int shown = -1;
  WhenModal<PrintPreview>([&](PrintPreview* d) {
    shown = d->PageCount();
    d->grab();
    EXPECT_TRUE(d->Cache().Holds(1));
    EXPECT_FALSE(d->Cache().Holds(shown));
    d->ShowPage(shown);
    d->grab().save(OutputPath(QStringLiteral("print_preview.png")));
    EXPECT_EQ(d->CurrentPage(), shown);
    EXPECT_TRUE(d->Cache().Holds(shown));
    QPrinter out(QPrinter::HighResolution);
    out.setOutputFileName(previewPdf);
    out.setPageLayout(printer().pageLayout());
    out.setResolution(printer().resolution());
    out.setFullPage(true);  // the preview draws the whole paper
    QPainter painter(&out);
    for (int page = 1; page <= shown; ++page) {
      if (page > 1) out.newPage();
      d->PaintPage(painter, page, 1.0);
    }
    painter.end();
    QTest::keyClick(d, Qt::Key_Escape);
  });
  h->Choose(ID_FILE_PRINT_PREVIEW);
  EXPECT_EQ(shown, pages.size());
  const QStringList previewed = PdfPages(previewPdf);
  ASSERT_EQ(previewed.size(), pages.size());
  for (int i = 0; i < pages.size(); ++i)
    EXPECT_EQ(previewed[i].simplified(), pages[i].simplified()) << "page " << i + 1;
  EXPECT_FALSE(job().Font().has_value());
}

// Pages chosen in the dialog's options: page 2 alone, or a range past the
// last page, which prints nothing and writes no file.
TEST_F(PrintFileList, PagesChosenInTheDialog) {
  for (const int page : {2, 50}) {
    QFile::remove(pdf);
    Print([page](QPrintDialog* d) {
      for (QPushButton* b : d->findChildren<QPushButton*>())
        if (b->text().endsWith(QStringLiteral(">>"))) Click(b);  // the options
      Click(d->findChild<QRadioButton*>(QStringLiteral("printRange")));
      for (const char* name : {"to", "from"}) {
        auto* box = d->findChild<QSpinBox*>(QString::fromLatin1(name));
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, QString::number(page));
      }
      Click(testsupport::OkButton(d));
    });
    EXPECT_EQ(QFile::exists(pdf), page == 2);
    if (page == 50) continue;
    const QStringList pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(PageNumberOn(pages[0]), QStringLiteral("2"));
    EXPECT_TRUE(pages[0].contains(QString::fromStdString(view->CellText(job().Metrics().rowsPerPage, 0))));
  }
}

// Qt's print dialog refuses a file it cannot write; a printer that fails
// only once printing starts must not pass for a printout either.
TEST_F(PrintFileList, APrinterThatFailsIsReported) {
  printer().setOutputFileName(h->dir.filePath(QStringLiteral("no/such/dir/list.pdf")));
  QString message;
  Print([&message](QPrintDialog* d) {
    testsupport::AnswerMessage(&message);
    d->accept();  // past the dialog's own check of the file
  });
  EXPECT_EQ(message, "Der Druckvorgang konnte nicht gestartet werden.");
  EXPECT_FALSE(job().Font().has_value());
}

// The rectangle holding every dark pixel; empty when there is none.
QRect Ink(const QImage& img) {
  QRect box;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (qGray(img.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
  return box;
}

class QtPrintDCTest : public ::testing::Test {
 protected:
  QtPrintDCTest() : img(800, 300, QImage::Format_RGB32) {
    img.setDotsPerMeterX(11811);  // 300 dpi
    img.setDotsPerMeterY(11811);
  }
  // Paints into a fresh image through the context; where the ink went.
  QRect Paint(const std::function<void(QtPrintDC&)>& paint) {
    img.fill(Qt::white);
    QPainter painter(&img);
    QtPrintDC dc(painter, img);
    paint(dc);
    painter.end();
    return Ink(img);
  }
  // Text with flags in 8-point Arial.
  QRect Draw(std::string_view text, const Rect& cell, unsigned flags) {
    return Paint([&](QtPrintDC& dc) {
      const FontSpec previous = dc.SelectFont({"Arial", -(8 * 300 / 72), 400});
      dc.DrawText(text, cell, flags);
      dc.SelectFont(previous);
    });
  }

  testsupport::GuiHarness h;  // the application's fonts
  QImage img;
};

// Measurements come from the device; a rule continues from the last point.
TEST_F(QtPrintDCTest, MeasurementsAndRules) {
  QPainter painter;
  QtPrintDC dc(painter, img);
  for (auto [cap, value] : {std::pair{DeviceCap::kHorzRes, 800}, {DeviceCap::kVertRes, 300},
                            {DeviceCap::kLogPixelsX, 300}, {DeviceCap::kLogPixelsY, 300}})
    EXPECT_EQ(dc.GetDeviceCaps(cap), value) << static_cast<int>(cap);
  const FontSpec arial{"Arial", -33, 400};  // 8 points at 300 dpi, Arial as the app maps it
  EXPECT_EQ(dc.FontHeight(arial), -33);
  EXPECT_EQ(QFontInfo(dc.ToQFont(arial)).family(), QStringLiteral("Liberation Sans"));
  const QRect ink = Paint([](QtPrintDC& rules) {
    rules.MoveTo(50, 20);
    rules.LineTo(50, 220);
    rules.LineTo(250, 220);
  });
  EXPECT_EQ(ink, QRect(QPoint(50, 20), QPoint(250, 220)));
  EXPECT_TRUE(qGray(img.pixel(50, 120)) < 128 && qGray(img.pixel(150, 220)) < 128 && qGray(img.pixel(150, 120)) > 128);
}

TEST_F(QtPrintDCTest, AlignmentWithinTheCellClippingAndWrapping) {
  const Rect cell{100, 50, 700, 150};
  const unsigned line = TextFlags::kSingleLine | TextFlags::kVCenter;
  const QRect left = Draw("Name", cell, TextFlags::kLeft | line);
  EXPECT_LT(left.left() - 100, 6);
  EXPECT_NEAR(left.center().y(), 100, 8);  // vertically centred
  EXPECT_LT(700 - Draw("Name", cell, TextFlags::kRight | line).right(), 8);
  EXPECT_NEAR(Draw("Name", cell, TextFlags::kCenter | line).center().x(), 400, 4);
  const QRect ink = Draw("WWWWWWWWWWWWWWWWWWWW", {100, 100, 200, 130}, TextFlags::kLeft | line);
  EXPECT_FALSE(ink.isEmpty());
  EXPECT_TRUE(QRect(100, 100, 100, 30).contains(ink)) << ink.x() << "," << ink.right();
  EXPECT_TRUE(Draw("Text", {300, 100, 300, 130}, TextFlags::kLeft).isEmpty());  // an empty cell shows nothing
  // Two lines of 8 points (44 px each) in a column too narrow for the title,
  // in a band taller than both: wrapped text ignores the vertical centring.
  const QRect wrapped = Draw("Dateianzahl einschl. aller Unterverz", {100, 100, 420, 250},
                             TextFlags::kLeft | TextFlags::kWordBreak | TextFlags::kVCenter);
  EXPECT_TRUE(QRect(100, 100, 320, 150).contains(wrapped));
  EXPECT_LT(wrapped.top(), 112);
  EXPECT_GT(wrapped.bottom(), 150);  // the second line is used
}

TEST_F(QtPrintDCTest, AmpersandUnderlinesTheNextCharacter) {
  const Rect cell{10, 10, 790, 290};
  const unsigned flags = TextFlags::kLeft | TextFlags::kSingleLine;
  const QRect marked = Draw("R&D", cell, flags);
  img.copy(0, 0, 200, 80).save(OutputPath(QStringLiteral("print_mnemonic.png")));
  const QRect plain = Draw("RD", cell, flags);
  EXPECT_NEAR(marked.width(), plain.width(), 2);  // no '&' drawn
  EXPECT_GT(Draw("R&&D", cell, flags).width(), plain.width() + 10);  // "&&" prints one '&'
  EXPECT_GT(marked.bottom(), plain.bottom());  // the underline below the baseline
}

}  // namespace
