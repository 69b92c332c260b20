// Printing a list pane on Windows: the print dialog, the printer that the
// printer setup chose, the preview window. The shell hands it to the list
// panes; their print and preview commands come here.
#pragma once

#include "platform/win32/Win32Api.h"

namespace output {
class ListOutput;
class PrintSource;
}  // namespace output

namespace output::win32 {

class ListPrinting {
 public:
  // Prints list with output's print job (BeginPrinting, PrintPage,
  // EndPrinting), after the print dialog; preview shows the pages first.
  // owner: the window the dialogs and the preview belong to.
  virtual void PrintList(output::ListOutput& output, const output::PrintSource& list, HWND owner,
                         bool preview) = 0;

 protected:
  ~ListPrinting() = default;
};

}  // namespace output::win32
