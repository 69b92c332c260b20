// Holds at most one automation object reference and releases it when it is
// released, replaced or destroyed.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "output/Automation.h"

namespace output {

class DispatchDriver {
 public:
  DispatchDriver() = default;
  DispatchDriver(const DispatchDriver&) = delete;
  DispatchDriver& operator=(const DispatchDriver&) = delete;
  ~DispatchDriver() { ReleaseDispatch(); }

  // Creates the object through server; false (and nothing held) on failure.
  bool CreateDispatch(AutomationServer& server, std::string_view progId);

  // Takes over the object of a returned value. A value without an object is
  // a failed call: the interface did not give what the model promises.
  void AttachDispatch(const Variant& result);

  void ReleaseDispatch() { m_object.reset(); }

  // Calls the held object; throws AutomationError when nothing is held or
  // the call fails.
  Variant InvokeHelper(DispId dispid, unsigned short flags, std::vector<Variant> args);

 private:
  std::shared_ptr<IDispatchTarget> m_object;
};

}  // namespace output
