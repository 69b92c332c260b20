#include "output/ExportCommand.h"

#include "output/ExcelExport.h"
#include "output/ExportBuilder.h"
#include "output/ExportTable.h"
#include "output/ListContents.h"

namespace output {

bool RunExport(const CListContents& list, int mode, ExportUi& ui) {
  if (mode != EXPORT_TO_FILE && mode != EXPORT_TO_EXCEL) return false;
  bool selectedOnly = false;
  if (const int selected = list.SelectedCount(); selected > 0) {
    const std::optional<bool> choice = ui.AskSelection(list.RowCount(), selected);
    if (!choice) return false;
    selectedOnly = *choice;
  }
  if (mode == EXPORT_TO_EXCEL)
    return ExportToExcel(BuildExportRows(list, selectedOnly), ui.Program());

  // The file goes exactly where the user chose; the current directory is
  // neither used nor changed.
  const std::optional<std::string> path = ui.AskSaveFile();
  if (!path || path->empty()) return false;
  CExportTable table;
  return table.WriteToFile(*path, BuildExportRows(list, selectedOnly), ui.Files(), ui.Runner());
}

}  // namespace output
