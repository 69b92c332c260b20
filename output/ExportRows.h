// The export row list: row 0 holds the column titles, every further row the
// cell texts of one exported list row, in column order.
#pragma once

#include <string>
#include <vector>

namespace output {

using ExportRow = std::vector<std::string>;
using ExportRows = std::vector<ExportRow>;

}  // namespace output
