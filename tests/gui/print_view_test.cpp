// Printing reads the real list pane: what the header shows on screen
// decides the printed columns, and the cells are the texts shown.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTreeView>
#include <string>
#include <utility>
#include <vector>

#include "lists/ui/FileView.h"
#include "shell/KolbrinDoc.h"
#include "tests/support/FakeFileSystem.h"
#include "tests/support/GuiHarness.h"

namespace {

using namespace output;

// Keeps the texts with their cells; the worked-example device.
class RecordingDC : public PrintDC {
 public:
  int GetDeviceCaps(DeviceCap index) const override {
    return index == DeviceCap::kHorzRes ? 4800 : index == DeviceCap::kVertRes ? 6800 : 600;
  }
  FontSpec SelectFont(const FontSpec& font) override { return std::exchange(m_font, font); }
  int FontHeight(const FontSpec& font) const override { return font.height; }
  void DrawText(std::string_view text, const Rect& r, unsigned) override { texts.emplace_back(text, r); }
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  std::vector<std::pair<std::string, Rect>> texts;

 private:
  FontSpec m_font;
};

TEST(PrintFromFileList, NarrowedColumnIsLeftOutAndTheOthersWiden) {
  test_support::FakeFileSystem fs;
  fs.AddFile("/d/a&b.txt", 1234);
  fs.AddFile("/d/zz.txt", 5);
  testsupport::GuiHarness h(&fs);
  lists::CFileView* view = h.frame()->FileView();
  shell::CKolbrinDoc& doc = *h.app->Document();
  doc.m_strPath = "/d";
  doc.UpdateAllViews(nullptr, fw::UpdateHint(doc.m_strPath));
  view->DetailsView()->header()->resizeSection(2, 15);  // "Attribute", just too narrow

  RecordingDC dc;
  ASSERT_EQ(doc.BeginPrinting(*view, dc), 1);
  doc.PrintPage(*view, dc, 1);
  doc.EndPrinting();
  // Page number, five titles, two rows of five cells.
  ASSERT_EQ(dc.texts.size(), 1u + 5u + 2u * 5u);
  const std::vector<std::string> titles{"Dateiname", "Dateigr\xc3\xb6\xc3\x9f" "e", "Letzte \xc3\x84nderung",
                                        "Hergestellt", "Letzter Zugriff"};
  const int screen[] = {192, 128, 128, 128, 128};
  int left = 160;
  for (std::size_t i = 0; i < titles.size(); ++i) {
    const auto& [text, rect] = dc.texts[1 + i];
    EXPECT_EQ(text, titles[i]);
    const int width = 4480 * screen[i] / 704;  // the table shared in screen proportions
    EXPECT_EQ(rect.left, left + 20);
    EXPECT_EQ(rect.right, left + width - 20);
    left += width;
  }
  // The cells are the shown texts, '&' included (the device underlines).
  const int shown[] = {0, 1, 3, 4, 5};
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(dc.texts[6 + i].first, view->CellText(0, shown[i])) << i;
  EXPECT_EQ(dc.texts[6].first, "a&b.txt");

  view->DetailsView()->header()->resizeSection(2, 16);  // wide enough again
  dc.texts.clear();
  doc.BeginPrinting(*view, dc);
  doc.PrintPage(*view, dc, 1);
  EXPECT_EQ(dc.texts[3].first, "Attribute");
}

}  // namespace
