#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "output/PrintJob.h"

namespace {

using namespace output;

struct TextCall {
  std::string text;
  Rect rect;
  unsigned flags;
};
struct Line {
  int x0, y0, x1, y1;
  bool operator==(const Line&) const = default;
};

class RecordingDC : public PrintDC {
 public:
  int GetDeviceCaps(DeviceCap index) const override {
    switch (index) {
      case DeviceCap::kHorzRes: return h;
      case DeviceCap::kVertRes: return v;
      case DeviceCap::kLogPixelsX: return x;
      case DeviceCap::kLogPixelsY: return y;
    }
    return 0;
  }
  FontSpec SelectFont(const FontSpec& font) override {
    selected.push_back(font);
    return std::exchange(current, font);
  }
  int FontHeight(const FontSpec& font) const override { return font.height; }
  void DrawText(std::string_view text, const Rect& rect, unsigned flags) override {
    texts.push_back({std::string(text), rect, flags});
  }
  void MoveTo(int px, int py) override { m_x = px, m_y = py; }
  void LineTo(int px, int py) override {
    lines.push_back({m_x, m_y, px, py});
    m_x = px, m_y = py;
  }

  int h = 4800, v = 6800, x = 600, y = 600;
  FontSpec current{"System", 12, 400};
  std::vector<FontSpec> selected;
  std::vector<TextCall> texts;
  std::vector<Line> lines;

 private:
  int m_x = 0, m_y = 0;
};

class FakeList : public PrintSource {
 public:
  int RowCount() const override { return rows; }
  bool GetColumn(int index, ListColumn& out) const override {
    if (index < 0 || index >= static_cast<int>(columns.size())) return false;
    out = columns[static_cast<std::size_t>(index)];
    return true;
  }
  std::string CellText(int row, int column) const override {
    return "r" + std::to_string(row) + "c" + std::to_string(column);
  }

  int rows = 138;
  std::vector<ListColumn> columns = {{200, "Name", ColumnFormat::kLeft},
                                     {100, "Gr\xc3\xb6\xc3\x9f" "e", ColumnFormat::kRight},
                                     {100, "Datum", ColumnFormat::kCenter}};
};

struct PrintJobTest : ::testing::Test {
  RecordingDC dc;
  FakeList list;
  PrintJob job;
};

TEST_F(PrintJobTest, WorkedExampleMeasurements) {
  EXPECT_EQ(job.BeginPrinting(list, dc), 3);
  const PrintMetrics& m = job.Metrics();
  // Margins left, top and bottom, page width and height, line height, rows.
  EXPECT_EQ((std::vector{m.marginLeft, m.marginTop, m.marginBottom, m.pageWidth, m.pageHeight,
                         m.lineHeight, m.rowsPerPage}),
            (std::vector{160, 340, 272, 4480, 6188, 88, 69}));
  ASSERT_TRUE(job.Font().has_value());
  EXPECT_EQ(*job.Font(), (FontSpec{"Arial", -66, 400}));
  job.EndPrinting();
  EXPECT_FALSE(job.Font().has_value());
}

TEST_F(PrintJobTest, WorkedExamplePageLayout) {
  list.columns = {{100, "Name", ColumnFormat::kLeft}, {100, "Gr\xc3\xb6\xc3\x9f" "e", ColumnFormat::kRight}};
  job.BeginPrinting(list, dc);
  job.PrintPage(list, dc, 1);
  ASSERT_GE(dc.texts.size(), 3u);
  EXPECT_EQ(dc.texts[0].text, "Seite:  1");
  EXPECT_EQ(dc.texts[0].rect, (Rect{160, 164, 4640, 340}));
  EXPECT_EQ(dc.texts[0].flags, unsigned{TextFlags::kSingleLine | TextFlags::kVCenter | TextFlags::kRight});
  // Titles across the two-line band, inset by 20 pixels.
  EXPECT_EQ(dc.texts[1].rect, (Rect{180, 340, 2380, 516}));
  EXPECT_EQ(dc.texts[1].flags, unsigned{TextFlags::kLeft | TextFlags::kWordBreak | TextFlags::kVCenter});
  EXPECT_EQ(dc.texts[2].rect, (Rect{2420, 340, 4620, 516}));
  EXPECT_EQ(dc.texts[2].flags, unsigned{TextFlags::kRight | TextFlags::kWordBreak | TextFlags::kVCenter});
  // The first row starts at 536, one line high.
  EXPECT_EQ(dc.texts[3].text, "r0c0");
  EXPECT_EQ(dc.texts[3].rect, (Rect{180, 536, 2380, 624}));
  EXPECT_EQ(dc.texts[3].flags, unsigned{TextFlags::kLeft | TextFlags::kSingleLine | TextFlags::kVCenter});
  EXPECT_EQ(dc.texts.size(), 3u + 69u * 2u);
  const std::vector<Line> rules = {{160, 516, 4640, 516},
                                   {160, 340, 160, 6608},
                                   {2400, 340, 2400, 6608},
                                   {4640, 340, 4640, 6608}};
  EXPECT_EQ(dc.lines, rules);
  // The print font is selected and the old one put back.
  ASSERT_EQ(dc.selected.size(), 2u);
  EXPECT_EQ(dc.selected[0].face, "Arial");
  EXPECT_EQ(dc.current, (FontSpec{"System", 12, 400}));
}

TEST_F(PrintJobTest, PageCountAlwaysHasRoomForALastPage) {
  const int r = 69;
  for (const auto& [rows, pages] : std::vector<std::pair<int, int>>{
           {0, 1}, {1, 1}, {r - 1, 1}, {r, 2}, {r + 1, 2}, {2 * r, 3}}) {
    list.rows = rows;
    EXPECT_EQ(job.BeginPrinting(list, dc), pages) << rows << " rows";
  }
}

TEST_F(PrintJobTest, TinyPageStillPrintsOneRowPerPage) {
  dc.v = 100;  // a page height of 91 pixels: one line, less one, leaves none
  list.rows = 5;
  EXPECT_EQ(job.BeginPrinting(list, dc), 6);
  EXPECT_EQ(job.Metrics().rowsPerPage, 1);
}

TEST_F(PrintJobTest, NarrowColumnsAreDroppedAndTheOthersWiden) {
  list.columns = {{300, "A", ColumnFormat::kLeft}, {15, "hidden", ColumnFormat::kLeft},
                  {100, "B", ColumnFormat::kRight | ColumnFormat::kCenter}, {16, "C", ColumnFormat::kCenter}};
  job.BeginPrinting(list, dc);
  const std::vector<PrintColumn> columns = job.LayoutColumns(list);
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[0].column, 0);
  EXPECT_EQ(columns[1].column, 2);
  EXPECT_EQ(columns[2].column, 3);
  EXPECT_EQ(columns[0].width, 4480 * 300 / 416);
  EXPECT_EQ(columns[1].width, 4480 * 100 / 416);
  EXPECT_EQ(columns[2].width, 4480 * 16 / 416);
  EXPECT_EQ(columns[0].format, unsigned{TextFlags::kLeft});
  EXPECT_EQ(columns[1].format, unsigned{TextFlags::kLeft});  // both justification bits
  EXPECT_EQ(columns[2].format, unsigned{TextFlags::kCenter});
  job.PrintPage(list, dc, 1);
  for (const TextCall& t : dc.texts) EXPECT_EQ(t.text.find("c1"), std::string::npos) << t.text;
}

TEST_F(PrintJobTest, ManyColumnsAreAllPrinted) {
  list.columns.assign(60, {20, "T", ColumnFormat::kLeft});
  job.BeginPrinting(list, dc);
  EXPECT_EQ(job.LayoutColumns(list).size(), 60u);
}

TEST_F(PrintJobTest, LaterPagesShowTheirOwnRows) {
  ASSERT_EQ(job.BeginPrinting(list, dc), 3);
  job.PrintPage(list, dc, 2);
  EXPECT_EQ(dc.texts[0].text, "Seite:  2");
  const std::size_t firstRow = 1 + list.columns.size();
  ASSERT_EQ(dc.texts.size(), firstRow + 69 * list.columns.size());
  EXPECT_EQ(dc.texts[firstRow].text, "r69c0");
  EXPECT_EQ(dc.texts[firstRow + 1].text, "r69c1");
  const unsigned cell = TextFlags::kSingleLine | TextFlags::kVCenter;
  EXPECT_EQ(dc.texts[firstRow + 1].flags, TextFlags::kRight | cell);
  EXPECT_EQ(dc.texts[firstRow + 2].flags, TextFlags::kCenter | cell);
  EXPECT_EQ(dc.texts.back().text, "r137c2");
  EXPECT_EQ(dc.texts.back().rect.top, 536 + 68 * 88);

  dc.texts.clear();
  dc.lines.clear();
  job.PrintPage(list, dc, 3);
  EXPECT_EQ(dc.texts.size(), 1u + list.columns.size());  // page number and titles only
  EXPECT_EQ(dc.texts[0].text, "Seite:  3");
  EXPECT_EQ(dc.lines.back().y1, 6608);  // rules still run the full height

  dc.texts.clear();
  job.PrintPage(list, dc, 100);
  EXPECT_EQ(dc.texts[0].text, "Seite: 100");
}

TEST_F(PrintJobTest, LongTextsAreCutBeforeNineHundredNinetyNineCharacters) {
  list.rows = 1;
  list.columns = {{100, std::string(997, 'x') + "\xc3\xa4" + "tail", ColumnFormat::kLeft}};
  job.BeginPrinting(list, dc);
  job.PrintPage(list, dc, 1);
  EXPECT_EQ(dc.texts[1].text, std::string(997, 'x'));  // never half a character
}

}  // namespace
