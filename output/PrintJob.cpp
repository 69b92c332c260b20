#include "output/PrintJob.h"

#include <cstdint>
#include <string_view>

#include "framework/StringTable.h"
#include "res/resource.h"

namespace output {

namespace {

// Titles and cell texts are read with room for 999 characters, terminator
// included; the cut never splits a UTF-8 sequence.
constexpr std::size_t kMaxText = 998;

std::string Limited(std::string text) {
  if (text.size() <= kMaxText) return text;
  std::size_t cut = kMaxText;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  text.resize(cut);
  return text;
}

// A format with both justification bits has no alignment of its own: left.
unsigned Alignment(unsigned format) {
  switch (format & ColumnFormat::kJustifyMask) {
    case ColumnFormat::kRight: return TextFlags::kRight;
    case ColumnFormat::kCenter: return TextFlags::kCenter;
    default: return TextFlags::kLeft;
  }
}

std::string PageNumberText(int page) {
  const std::string format(fw::LoadResString(IDS_PRINT_PAGE));
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
  return fw::FormatV(format.c_str(), page);
#pragma GCC diagnostic pop
}

}  // namespace

int PrintJob::BeginPrinting(const PrintSource& list, PrintDC& dc) {
  const int rows = list.RowCount();
  const int h = dc.GetDeviceCaps(DeviceCap::kHorzRes);
  const int v = dc.GetDeviceCaps(DeviceCap::kVertRes);
  const int y = dc.GetDeviceCaps(DeviceCap::kLogPixelsY);
  PrintMetrics& m = m_metrics;
  m.marginLeft = h / 30;
  m.marginTop = v / 20;
  m.marginBottom = v / 25;
  m.pageWidth = h - 2 * (h / 30);
  m.pageHeight = v - v / 25 - v / 20;

  m_fontPrint = FontSpec{"Arial", -(8 * y / 72), 400};
  int charHeight = -dc.FontHeight(*m_fontPrint);
  if (charHeight < 0) charHeight = -charHeight;  // a cell height reads back positive
  m.lineHeight = charHeight + charHeight / 3;
  if (m.lineHeight < 1) m.lineHeight = 1;

  // One line less than fits; at least one row, so the page count stays finite.
  m.rowsPerPage = m.pageHeight / m.lineHeight - 1;
  if (m.rowsPerPage < 1) m.rowsPerPage = 1;
  return (rows > 0 ? rows : 0) / m.rowsPerPage + 1;
}

std::vector<PrintColumn> PrintJob::LayoutColumns(const PrintSource& list) const {
  std::vector<PrintColumn> columns;
  std::int64_t total = 0;
  ListColumn info;
  for (int i = 0; list.GetColumn(i, info); ++i) {
    if (info.width < kMinColumnWidth) continue;
    columns.push_back({Limited(info.title), info.width, Alignment(info.format), i});
    total += info.width;
  }
  for (PrintColumn& column : columns) {
    column.width = static_cast<int>(std::int64_t{m_metrics.pageWidth} * column.width / total);
  }
  return columns;
}

void PrintJob::PrintPage(const PrintSource& list, PrintDC& dc, int page) const {
  if (!m_fontPrint) return;
  const int insetX = dc.GetDeviceCaps(DeviceCap::kLogPixelsX) / 30;
  const int insetY = dc.GetDeviceCaps(DeviceCap::kLogPixelsY) / 30;
  const FontSpec previous = dc.SelectFont(*m_fontPrint);
  const PrintMetrics& m = m_metrics;

  const Rect band{m.marginLeft, m.marginTop - 2 * m.lineHeight, m.marginLeft + m.pageWidth,
                  m.marginTop};
  dc.DrawText(PageNumberText(page), band,
              TextFlags::kSingleLine | TextFlags::kVCenter | TextFlags::kRight);

  const std::vector<PrintColumn> columns = LayoutColumns(list);
  const int rowsTop = m.marginTop + 2 * m.lineHeight + insetY;
  DrawTitles(dc, columns, insetX);
  DrawRules(dc, columns, rowsTop);
  DrawRows(list, dc, columns, page, insetX, rowsTop);
  dc.SelectFont(previous);
}

void PrintJob::DrawTitles(PrintDC& dc, const std::vector<PrintColumn>& columns, int inset) const {
  const PrintMetrics& m = m_metrics;
  int x = m.marginLeft;
  for (const PrintColumn& column : columns) {
    const Rect cell{x + inset, m.marginTop, x + column.width - inset, m.marginTop + 2 * m.lineHeight};
    dc.DrawText(column.title, cell, column.format | TextFlags::kWordBreak | TextFlags::kVCenter);
    x += column.width;
  }
}

void PrintJob::DrawRules(PrintDC& dc, const std::vector<PrintColumn>& columns, int rowsTop) const {
  const PrintMetrics& m = m_metrics;
  const int underTitles = m.marginTop + 2 * m.lineHeight;
  dc.MoveTo(m.marginLeft, underTitles);
  dc.LineTo(m.marginLeft + m.pageWidth, underTitles);
  if (columns.empty()) return;
  const int bottom = rowsTop + m.rowsPerPage * m.lineHeight;
  int x = m.marginLeft;
  for (const PrintColumn& column : columns) {
    dc.MoveTo(x, m.marginTop);
    dc.LineTo(x, bottom);
    x += column.width;
  }
  dc.MoveTo(x, m.marginTop);
  dc.LineTo(x, bottom);
}

void PrintJob::DrawRows(const PrintSource& list, PrintDC& dc, const std::vector<PrintColumn>& columns,
                        int page, int insetX, int rowsTop) const {
  const PrintMetrics& m = m_metrics;
  if (page < 1) return;
  const std::int64_t first = std::int64_t{page - 1} * m.rowsPerPage;
  const int count = list.RowCount();
  for (int j = 0; j < m.rowsPerPage && first + j < count; ++j) {
    const int row = static_cast<int>(first + j);
    const int top = rowsTop + j * m.lineHeight;
    int x = m.marginLeft;
    for (const PrintColumn& column : columns) {
      const Rect cell{x + insetX, top, x + column.width - insetX, top + m.lineHeight};
      dc.DrawText(Limited(list.CellText(row, column.column)), cell,
                  column.format | TextFlags::kSingleLine | TextFlags::kVCenter);
      x += column.width;
    }
  }
}

}  // namespace output
