// Collects what a list pane shows into an export row list.
#pragma once

#include "output/ExportRows.h"

namespace output {

class CListContents;

// Row 0: the titles of every column, in column order, whatever the column's
// width. Then the cell texts of every row in list order, or of the selected
// rows only. The texts are the list's own cell texts, byte for byte.
ExportRows BuildExportRows(const CListContents& list, bool selectedOnly);

}  // namespace output
