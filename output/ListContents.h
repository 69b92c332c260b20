// What printing and export read back from a list pane: the column titles,
// widths and formats, the cell texts exactly as shown, and the selection.
#pragma once

#include "output/PrintDC.h"

namespace output {

class CListContents : public PrintSource {
 public:
  virtual int ColumnCount() const = 0;
  virtual int SelectedCount() const = 0;
  virtual bool IsRowSelected(int row) const = 0;
};

}  // namespace output
