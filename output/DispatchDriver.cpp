#include "output/DispatchDriver.h"

#include <utility>

namespace output {

Variant Variant::Bool(short value) {
  Variant v;
  v.vt = VarType::kBool;
  v.iVal = value;
  return v;
}

Variant Variant::I2(short value) {
  Variant v;
  v.vt = VarType::kI2;
  v.iVal = value;
  return v;
}

Variant Variant::Str(std::string value) {
  Variant v;
  v.vt = VarType::kBstr;
  v.bstrVal = std::move(value);
  return v;
}

Variant Variant::Dispatch(std::shared_ptr<IDispatchTarget> object) {
  Variant v;
  v.vt = VarType::kDispatch;
  v.pdispVal = std::move(object);
  return v;
}

bool DispatchDriver::CreateDispatch(AutomationServer& server, std::string_view progId) {
  ReleaseDispatch();
  m_object = server.CreateDispatch(progId);
  return m_object != nullptr;
}

void DispatchDriver::AttachDispatch(const Variant& result) {
  ReleaseDispatch();
  if (result.vt != VarType::kDispatch || result.pdispVal == nullptr) {
    throw AutomationError("call returned no object", AutomationError::Kind::kUnavailable);
  }
  m_object = result.pdispVal;
}

Variant DispatchDriver::InvokeHelper(DispId dispid, unsigned short flags, std::vector<Variant> args) {
  if (m_object == nullptr) throw AutomationError("no object attached", AutomationError::Kind::kUnavailable);
  return m_object->Invoke(dispid, flags, args);
}

}  // namespace output
