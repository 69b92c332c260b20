// The document's print job as both lists use it: the font lives from the
// start to the end of a job, and each job measures its own device.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "output/PrintDC.h"
#include "shell/KolbrinDoc.h"

namespace {

using namespace output;

class CountingDC : public PrintDC {
 public:
  CountingDC(int width, int height, int dpi) : m_w(width), m_h(height), m_dpi(dpi) {}
  int GetDeviceCaps(DeviceCap index) const override {
    return index == DeviceCap::kHorzRes ? m_w : index == DeviceCap::kVertRes ? m_h : m_dpi;
  }
  FontSpec SelectFont(const FontSpec& font) override { return std::exchange(current, font); }
  int FontHeight(const FontSpec& font) const override { return font.height; }
  void DrawText(std::string_view, const Rect&, unsigned) override { ++texts; }
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  FontSpec current;
  int texts = 0;

 private:
  int m_w, m_h, m_dpi;
};

class TwoColumns : public PrintSource {
 public:
  int RowCount() const override { return rows; }
  bool GetColumn(int index, ListColumn& out) const override {
    if (index < 0 || index > 1) return false;
    out = {100, index == 0 ? "Name" : "Size", ColumnFormat::kLeft};
    return true;
  }
  std::string CellText(int row, int) const override { return std::to_string(row); }
  int rows = 10;
};

TEST(DocumentPrinting, FontLivesForOneJobAndEachJobMeasuresItsDevice) {
  shell::CKolbrinDoc doc;
  TwoColumns list;
  CountingDC printer(4800, 6800, 600);
  EXPECT_EQ(doc.BeginPrinting(list, printer), 1);
  ASSERT_TRUE(doc.PrintState().Font().has_value());
  doc.PrintPage(list, printer, 1);
  EXPECT_EQ(printer.texts, 1 + 2 + 10 * 2);
  EXPECT_EQ(printer.current, FontSpec{});  // the device's own font is back
  doc.EndPrinting();
  EXPECT_FALSE(doc.PrintState().Font().has_value());

  // Outside a job nothing is drawn.
  printer.texts = 0;
  doc.PrintPage(list, printer, 1);
  EXPECT_EQ(printer.texts, 0);

  // A preview on a coarser device: new measurements, same cycle.
  CountingDC coarse(480, 680, 60);
  list.rows = 100;
  const int pages = doc.BeginPrinting(list, coarse);
  const int rowsPerPage = doc.PrintState().Metrics().rowsPerPage;
  EXPECT_EQ(doc.PrintState().Metrics().marginLeft, 16);
  EXPECT_EQ(pages, 100 / rowsPerPage + 1);
  doc.EndPrinting();
}

}  // namespace
