// The print device context drawn into an image: measurements, the print
// font, alignment and wrapping, '&' as underline mark, clipping, rules.
#include <gtest/gtest.h>

#include <QDir>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <memory>
#include <utility>

#include "output/ui/QtPrintDC.h"
#include "tests/support/GuiHarness.h"

namespace {

using namespace output;

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
  // Draws text with flags into a fresh image through the context.
  QRect Draw(std::string_view text, const Rect& cell, unsigned flags) {
    img.fill(Qt::white);
    QPainter painter(&img);
    QtPrintDC dc(painter, img);
    const FontSpec previous = dc.SelectFont({"Arial", -(8 * 300 / 72), 400});
    dc.DrawText(text, cell, flags);
    dc.SelectFont(previous);
    painter.end();
    return Ink(img);
  }

  testsupport::GuiHarness h{nullptr, false};  // the app's font substitution
  QImage img;
};

TEST_F(QtPrintDCTest, MeasurementsComeFromTheDevice) {
  QPainter painter;
  QtPrintDC dc(painter, img);
  for (auto [cap, value] : {std::pair{DeviceCap::kHorzRes, 800}, {DeviceCap::kVertRes, 300},
                            {DeviceCap::kLogPixelsX, 300}, {DeviceCap::kLogPixelsY, 300}})
    EXPECT_EQ(dc.GetDeviceCaps(cap), value) << static_cast<int>(cap);
  // 8 points at 300 dpi, Arial as the app maps it.
  const FontSpec arial{"Arial", -33, 400};
  EXPECT_EQ(dc.FontHeight(arial), -33);
  EXPECT_EQ(QFontInfo(dc.ToQFont(arial)).family(), QStringLiteral("Liberation Sans"));
}

TEST_F(QtPrintDCTest, AlignmentWithinTheCell) {
  const Rect cell{100, 50, 700, 150};
  const QRect left = Draw("Name", cell, TextFlags::kLeft | TextFlags::kSingleLine | TextFlags::kVCenter);
  const QRect right = Draw("Name", cell, TextFlags::kRight | TextFlags::kSingleLine | TextFlags::kVCenter);
  const QRect centre = Draw("Name", cell, TextFlags::kCenter | TextFlags::kSingleLine | TextFlags::kVCenter);
  EXPECT_LT(left.left() - 100, 6);
  EXPECT_LT(700 - right.right(), 8);
  EXPECT_NEAR(centre.center().x(), 400, 4);
  EXPECT_NEAR(left.center().y(), 100, 8);  // vertically centred
}

TEST_F(QtPrintDCTest, AmpersandUnderlinesTheNextCharacter) {
  const Rect cell{10, 10, 790, 290};
  const QRect marked = Draw("R&D", cell, TextFlags::kLeft | TextFlags::kSingleLine);
  QDir().mkpath(QStringLiteral(KOLBRIN_TEST_OUTPUT));
  img.copy(0, 0, 200, 80).save(QStringLiteral(KOLBRIN_TEST_OUTPUT "/print_mnemonic.png"));
  const QRect plain = Draw("RD", cell, TextFlags::kLeft | TextFlags::kSingleLine);
  const QRect literal = Draw("R&&D", cell, TextFlags::kLeft | TextFlags::kSingleLine);  // "&&" prints one '&'
  EXPECT_NEAR(marked.width(), plain.width(), 2);  // no '&' drawn
  EXPECT_GT(literal.width(), plain.width() + 10);
  EXPECT_GT(marked.bottom(), plain.bottom());  // the underline below the baseline
}

TEST_F(QtPrintDCTest, TextStaysInsideItsCell) {
  const Rect cell{100, 100, 200, 130};
  const QRect ink =
      Draw("WWWWWWWWWWWWWWWWWWWW", cell, TextFlags::kLeft | TextFlags::kSingleLine | TextFlags::kVCenter);
  EXPECT_FALSE(ink.isEmpty());
  EXPECT_TRUE(QRect(100, 100, 100, 30).contains(ink)) << ink.x() << "," << ink.right();
  EXPECT_TRUE(Draw("Text", {300, 100, 300, 130}, TextFlags::kLeft).isEmpty());  // an empty cell shows nothing
}

TEST_F(QtPrintDCTest, LongTitleWrapsFromTheTopOfItsBand) {
  // Two lines of 8 points (44 px each) in a column too narrow for the title,
  // in a band taller than both: wrapped text ignores the vertical centring.
  const Rect band{100, 100, 420, 250};
  const QRect ink = Draw("Dateianzahl einschl. aller Unterverz", band,
                         TextFlags::kLeft | TextFlags::kWordBreak | TextFlags::kVCenter);
  EXPECT_TRUE(QRect(100, 100, 320, 150).contains(ink));
  EXPECT_LT(ink.top(), 112);
  EXPECT_GT(ink.bottom(), 150);  // the second line is used
}

TEST_F(QtPrintDCTest, RulesFollowMoveToAndLineTo) {
  img.fill(Qt::white);
  QPainter painter(&img);
  QtPrintDC dc(painter, img);
  dc.MoveTo(50, 20);
  dc.LineTo(50, 220);
  dc.LineTo(250, 220);  // continues from the last point
  painter.end();
  EXPECT_EQ(Ink(img), QRect(QPoint(50, 20), QPoint(250, 220)));
  EXPECT_LT(qGray(img.pixel(50, 120)), 128);
  EXPECT_LT(qGray(img.pixel(150, 220)), 128);
  EXPECT_GT(qGray(img.pixel(150, 120)), 128);
}

}  // namespace
