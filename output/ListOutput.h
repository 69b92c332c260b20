// The commands both list panes share and the document carries out: the
// export of a pane and the print job that draws it page by page. The frame
// hands the document to the panes as this when it builds them.
#pragma once

#include "output/PrintDC.h"

namespace output {

class CListContents;

class ListOutput {
 public:
  // Exports the rows of a list pane (every row, or after asking only the
  // selected ones) with EXPORT_TO_FILE or EXPORT_TO_EXCEL (RunExport).
  virtual void ExportList(const CListContents& list, int nMode) = 0;

  // One print job of a list pane: BeginPrinting makes the print font and
  // the page measurements for dc and returns the page count; PrintPage
  // draws page (from 1); EndPrinting gives up the font.
  virtual int BeginPrinting(const PrintSource& list, PrintDC& dc) = 0;
  virtual void PrintPage(const PrintSource& list, PrintDC& dc, int page) const = 0;
  virtual void EndPrinting() = 0;

 protected:
  ~ListOutput() = default;
};

}  // namespace output
