// One automation object of another component, called through its
// IDispatch interface. Values cross as VARIANTs (see OleVariant.h); a
// failed call throws AutomationError with the component's description of
// the failure, or the system's text for the error code.
#pragma once

#include <memory>
#include <vector>

#include "output/win32/Automation.h"

struct IDispatch;

namespace output::win32 {

// COM on the calling thread, for as long as any object made through it
// lives: the last object's release comes before the uninitialisation.
class ComApartment {
 public:
  ComApartment();
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  bool Ready() const { return m_ready; }

 private:
  bool m_ready = false;
  bool m_mustUninitialize = false;
};

class OleDispatchTarget : public IDispatchTarget {
 public:
  // Takes over one reference of object.
  OleDispatchTarget(IDispatch* object, std::shared_ptr<ComApartment> apartment);
  ~OleDispatchTarget() override;
  OleDispatchTarget(const OleDispatchTarget&) = delete;
  OleDispatchTarget& operator=(const OleDispatchTarget&) = delete;

  // Arguments in the order of the member's parameters; a property put
  // takes the new value as its last argument.
  Variant Invoke(DispId dispid, unsigned short flags, const std::vector<Variant>& args) override;

  IDispatch* Object() const { return m_object; }

 private:
  IDispatch* m_object;
  std::shared_ptr<ComApartment> m_apartment;
};

}  // namespace output::win32
