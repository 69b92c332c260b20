#include "output/win32/OleAutomationServer.h"

#include "output/win32/OleDispatchTarget.h"
#include "output/win32/OleVariant.h"

namespace output::win32 {

std::shared_ptr<IDispatchTarget> OleAutomationServer::CreateDispatch(std::string_view progId) {
  auto apartment = std::make_shared<ComApartment>();
  if (!apartment->Ready()) return nullptr;
  CLSID clsid{};
  if (FAILED(::CLSIDFromProgID(Widen(progId).c_str(), &clsid))) return nullptr;
  IDispatch* object = nullptr;
  if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&object))) ||
      object == nullptr) {
    return nullptr;
  }
  return std::make_shared<OleDispatchTarget>(object, std::move(apartment));
}

}  // namespace output::win32
