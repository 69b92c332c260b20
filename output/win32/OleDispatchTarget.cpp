#include "output/win32/OleDispatchTarget.h"

#include "output/win32/OleVariant.h"

namespace output::win32 {
namespace {

// The arguments of one call, in OLE's order (the last argument first);
// cleared however the call ends.
class ArgumentBlock {
 public:
  explicit ArgumentBlock(const std::vector<Variant>& args) : m_values(args.size()) {
    for (VARIANT& v : m_values) ::VariantInit(&v);
    for (std::size_t i = 0; i < args.size(); ++i) ToVariant(args[i], m_values[args.size() - 1 - i]);
  }
  ~ArgumentBlock() {
    for (VARIANT& v : m_values) ::VariantClear(&v);
  }
  ArgumentBlock(const ArgumentBlock&) = delete;
  ArgumentBlock& operator=(const ArgumentBlock&) = delete;

  // A property put names its value argument, as OLE requires.
  DISPPARAMS Parameters(WORD flags) {
    DISPPARAMS params{};
    params.rgvarg = m_values.empty() ? nullptr : m_values.data();
    params.cArgs = static_cast<UINT>(m_values.size());
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
      params.rgdispidNamedArgs = &m_putId;
      params.cNamedArgs = 1;
    }
    return params;
  }

 private:
  std::vector<VARIANT> m_values;
  DISPID m_putId = DISPID_PROPERTYPUT;
};

}  // namespace

ComApartment::ComApartment() {
  const HRESULT result = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  // S_FALSE: already initialised here, and still to be balanced.
  m_mustUninitialize = SUCCEEDED(result);
  // Another threading model chosen earlier on this thread still lets calls go.
  m_ready = m_mustUninitialize || result == RPC_E_CHANGED_MODE;
}

ComApartment::~ComApartment() {
  if (m_mustUninitialize) ::CoUninitialize();
}

OleDispatchTarget::OleDispatchTarget(IDispatch* object, std::shared_ptr<ComApartment> apartment)
    : m_object(object), m_apartment(std::move(apartment)) {}

OleDispatchTarget::~OleDispatchTarget() {
  if (m_object) m_object->Release();
}

Variant OleDispatchTarget::Invoke(DispId dispid, unsigned short flags, const std::vector<Variant>& args) {
  ArgumentBlock block(args);
  DISPPARAMS params = block.Parameters(flags);
  VARIANT result;
  ::VariantInit(&result);
  EXCEPINFO info{};
  UINT badArgument = 0;
  const HRESULT hr = m_object->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                      &result, &info, &badArgument);
  if (FAILED(hr)) {
    ::VariantClear(&result);
    throw AutomationError(DescribeFailure(hr, info));
  }
  Variant value = FromVariant(result, m_apartment);
  ::VariantClear(&result);
  return value;
}

}  // namespace output::win32
