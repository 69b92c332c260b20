// The component behind a programmatic identifier on Windows, through OLE
// automation: CLSIDFromProgID and CoCreateInstance make the application
// object, whose calls go to IDispatch::Invoke by dispatch id. Where the
// component is not installed (no spreadsheet program, as under Wine),
// creation gives null and the export tells the user it cannot run.
#pragma once

#include <memory>
#include <string_view>

#include "output/win32/Automation.h"

namespace output::win32 {

class OleAutomationServer : public AutomationServer {
 public:
  // Null when the identifier is unknown or the object cannot be created.
  std::shared_ptr<IDispatchTarget> CreateDispatch(std::string_view progId) override;
};

}  // namespace output::win32
