// The application's printer, which the printer setup changes and every
// print and preview command uses. The frame hands it to the list panes.
#pragma once

class QPrinter;

namespace output {

class PrinterSource {
 public:
  virtual QPrinter& Printer() = 0;

 protected:
  ~PrinterSource() = default;
};

}  // namespace output
