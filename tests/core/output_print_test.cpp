// One print job of a list against a device that records every call.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "output/PageCache.h"
#include "output/PreviewPages.h"
#include "output/PrintJob.h"
#include "tests/core/export_fakes.h"

namespace {

using namespace output;

using TextCall = exporttest::RecordingDC::Text;
using Line = exporttest::RecordingDC::Line;
constexpr unsigned kBand = TextFlags::kWordBreak | TextFlags::kVCenter;
constexpr unsigned kCell = TextFlags::kSingleLine | TextFlags::kVCenter;

// 138 rows of "r<row>c<column>" in three columns: left, right, centred.
struct PrintJobTest : ::testing::Test {
  PrintJobTest() {
    list.columns = {{200, "Name", ColumnFormat::kLeft}, {100, "Gr\xc3\xb6\xc3\x9f" "e", ColumnFormat::kRight},
                    {100, "Datum", ColumnFormat::kCenter}};
    Rows(138);
  }
  void Rows(int n) {
    list.cells.resize(static_cast<std::size_t>(n));
    for (std::size_t r = 0; r < list.cells.size(); ++r)
      for (int c = 0; c < 60; ++c) list.cells[r].push_back("r" + std::to_string(r) + "c" + std::to_string(c));
  }
  std::vector<int> Measured() const {
    const PrintMetrics& m = job.Metrics();
    return {m.marginLeft, m.marginTop, m.marginBottom, m.pageWidth, m.pageHeight, m.lineHeight, m.rowsPerPage};
  }
  exporttest::RecordingDC dc;
  exporttest::FakeList list;
  PrintJob job;
};

// Each job measures its own device; the font lives from its start to its
// end, and outside a job nothing is drawn.
TEST_F(PrintJobTest, MeasurementsAndFontOfEachJob) {
  job.PrintPage(list, dc, 1);
  EXPECT_TRUE(dc.texts.empty() && dc.selected.empty());
  EXPECT_EQ(job.BeginPrinting(list, dc), 3);
  // Margins left, top and bottom, page width and height, line height, rows.
  EXPECT_EQ(Measured(), (std::vector{160, 340, 272, 4480, 6188, 88, 69}));
  EXPECT_EQ(job.Font(), (FontSpec{"Arial", -66, 400}));
  job.EndPrinting();
  EXPECT_FALSE(job.Font().has_value());
  job.PrintPage(list, dc, 1);
  EXPECT_TRUE(dc.texts.empty());
  exporttest::RecordingDC coarse;  // a preview
  coarse.h = 480, coarse.v = 680, coarse.x = coarse.y = 60, coarse.cellHeights = true;
  EXPECT_EQ(job.BeginPrinting(list, coarse), 2);
  EXPECT_EQ(Measured(), (std::vector{16, 34, 27, 448, 619, 8, 76}));
  coarse.x = coarse.y = 6;  // no character height at all: lines of one pixel
  job.BeginPrinting(list, coarse);
  EXPECT_EQ(job.Metrics().lineHeight, 1);
}

TEST_F(PrintJobTest, PageCountAlwaysHasRoomForALastPage) {
  const int r = 69;
  for (const auto& [rows, pages] : {std::pair{0, 1}, {1, 1}, {r - 1, 1}, {r, 2}, {r + 1, 2}, {2 * r, 3}}) {
    Rows(rows);
    EXPECT_EQ(job.BeginPrinting(list, dc), pages) << rows << " rows";
  }
  dc.v = 100;  // a page height of 91 pixels: one line, less one, leaves none
  Rows(5);
  EXPECT_EQ(job.BeginPrinting(list, dc), 6);
  EXPECT_EQ(job.Metrics().rowsPerPage, 1);
}

// The page number right-aligned above, the titles across the two-line
// band and the rows one line high from 536, inset by 20 pixels; the rules
// run the full height; the print font is selected and the old one put back.
TEST_F(PrintJobTest, WorkedExamplePageLayout) {
  list.columns = {{100, "Name", ColumnFormat::kLeft}, {100, "Gr\xc3\xb6\xc3\x9f" "e", ColumnFormat::kRight}};
  job.BeginPrinting(list, dc);
  job.PrintPage(list, dc, 1);
  ASSERT_EQ(dc.texts.size(), 3u + 69u * 2u);
  EXPECT_EQ(std::vector(dc.texts.begin(), dc.texts.begin() + 4),
            (std::vector<TextCall>{{"Seite:  1", {160, 164, 4640, 340}, TextFlags::kRight | kCell},
                                   {"Name", {180, 340, 2380, 516}, TextFlags::kLeft | kBand},
                                   {list.columns[1].title, {2420, 340, 4620, 516}, TextFlags::kRight | kBand},
                                   {"r0c0", {180, 536, 2380, 624}, TextFlags::kLeft | kCell}}));
  EXPECT_EQ(dc.lines, (std::vector<Line>{{160, 516, 4640, 516}, {160, 340, 160, 6608}, {2400, 340, 2400, 6608},
                                         {4640, 340, 4640, 6608}}));
  EXPECT_EQ(dc.selected, (std::vector<FontSpec>{*job.Font(), {"System", 12, 400}}));
  EXPECT_EQ(dc.current, (FontSpec{"System", 12, 400}));
}

TEST_F(PrintJobTest, LaterPagesShowTheirOwnRows) {
  ASSERT_EQ(job.BeginPrinting(list, dc), 3);
  job.PrintPage(list, dc, 2);
  ASSERT_EQ(dc.texts.size(), 4u + 69 * 3);
  EXPECT_EQ(dc.texts[0].text, "Seite:  2");
  EXPECT_EQ(std::vector(dc.texts.begin() + 4, dc.texts.begin() + 7),
            (std::vector<TextCall>{{"r69c0", {180, 536, 2380, 624}, TextFlags::kLeft | kCell},
                                   {"r69c1", {2420, 536, 3500, 624}, TextFlags::kRight | kCell},
                                   {"r69c2", {3540, 536, 4620, 624}, TextFlags::kCenter | kCell}}));
  EXPECT_EQ(dc.texts.back(),
            (TextCall{"r137c2", {3540, 536 + 68 * 88, 4620, 624 + 68 * 88}, TextFlags::kCenter | kCell}));
  for (const int page : {3, 0}) {
    dc.texts.clear();
    job.PrintPage(list, dc, page);
    EXPECT_EQ(dc.texts.size(), 4u) << page;  // page number and titles only
  }
  EXPECT_EQ(dc.lines.back()[3], 6608);  // rules still run the full height
  job.PrintPage(list, dc, 100);
  EXPECT_EQ(dc.texts[4].text, "Seite: 100");
}

TEST_F(PrintJobTest, NarrowColumnsAreDroppedTheOthersWidenManyAreAllPrintedLongTextsCut) {
  list.columns = {{300, "A", ColumnFormat::kLeft}, {15, "hidden", ColumnFormat::kLeft},
                  {100, "B", ColumnFormat::kRight | ColumnFormat::kCenter}, {16, "C", ColumnFormat::kCenter}};
  job.BeginPrinting(list, dc);
  const std::vector<PrintColumn> columns = job.LayoutColumns(list);
  ASSERT_EQ(columns.size(), 3u);
  const int kept[][3] = {{0, 4480 * 300 / 416, TextFlags::kLeft},
                         {2, 4480 * 100 / 416, TextFlags::kLeft},  // both justification bits
                         {3, 4480 * 16 / 416, TextFlags::kCenter}};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(columns[i].column, kept[i][0]);
    EXPECT_EQ(columns[i].width, kept[i][1]);
    EXPECT_EQ(columns[i].format, static_cast<unsigned>(kept[i][2]));
  }
  job.PrintPage(list, dc, 1);
  for (const TextCall& t : dc.texts) EXPECT_EQ(t.text.find("c1"), std::string::npos) << t.text;
  list.columns.assign(60, {20, "T", ColumnFormat::kLeft});
  EXPECT_EQ(job.LayoutColumns(list).size(), 60u);
  // Long texts are cut before 999 characters, never inside a character.
  list.columns = {{100, std::string(997, 'x') + "\xc3\xa4" + "tail", ColumnFormat::kLeft}};
  dc.texts.clear();
  job.BeginPrinting(list, dc);
  job.PrintPage(list, dc, 1);
  EXPECT_EQ(dc.texts[1].text, std::string(997, 'x'));
}

// The preview holds the last few pages drawn, whatever the length of the
// list: a page held is not drawn again, the one shown longest ago goes first.
TEST(PageCache, KeepsTheLastPagesShownAndDrawsEachOnce) {
  output::PageCache<std::string> cache(3);
  std::vector<int> drawn;
  const auto show = [&](int page) {
    return cache.Get(page, [&](int p) {
      drawn.push_back(p);
      return "page " + std::to_string(p);
    });
  };
  for (int page : {1, 2, 3, 1, 4, 2, 1}) EXPECT_EQ(show(page), "page " + std::to_string(page));
  EXPECT_EQ(drawn, (std::vector<int>{1, 2, 3, 4, 2}));  // 4 pushed out 2, shown longer ago than 1
  EXPECT_EQ(cache.Size(), 3u);
  EXPECT_FALSE(cache.Holds(3));
  cache.Clear();
  show(1);
  EXPECT_EQ(drawn.back(), 1);
}

// The page shown stays within the job, two pages end with the last beside
// the one before; the first zoom step fits the pages into the view, in
// its middle, and each further step is half as large again.
TEST(PreviewPages, PagesStayWithinTheJobAndFitTheViewAtFirst) {
  PreviewPages pages;
  pages.SetPageCount(5);
  pages.ShowPage(9);
  EXPECT_EQ(std::pair(pages.FirstPage(), pages.AtLast()), std::pair(5, true));
  pages.SetTwoPages(true);
  EXPECT_EQ(std::tuple(pages.FirstPage(), pages.ShownCount(), pages.AtLast()), std::tuple(4, 2, true));
  pages.ShowPage(0);
  EXPECT_EQ(std::tuple(pages.FirstPage(), pages.AtFirst(), pages.AtLast()), std::tuple(1, true, false));
  pages.SetPageCount(1);
  EXPECT_EQ(std::pair(pages.FirstPage(), pages.ShownCount()), std::pair(1, 1));

  const PreviewGeometry g{{2000, 3000}, {1000, 620}, 10};  // 600 pixels high for the page
  pages.SetTwoPages(false);
  EXPECT_EQ(pages.PageSize(g), (Extent{400, 600}));
  EXPECT_EQ(pages.PageRect(0, g), (Rect{300, 10, 700, 610}));
  pages.SetZoomStep(PreviewPages::kMaxZoomStep + 3);
  EXPECT_EQ(pages.ZoomStep(), PreviewPages::kMaxZoomStep);
  pages.SetZoomStep(2);
  EXPECT_EQ(pages.ContentSize(g), (Extent{900 + 20, 1350 + 20}));
  EXPECT_EQ(pages.PageRect(0, g), (Rect{50, 10, 950, 1360}));  // in the middle across only
}

}  // namespace
