#include "output/win32/OleVariant.h"

#include <cstdio>
#include <utility>

#include "output/win32/OleDispatchTarget.h"

namespace output::win32 {

void ToVariant(const Variant& in, VARIANT& out) {
  switch (in.vt) {
    case output::VarType::kI2:
      out.vt = ::VT_I2;
      out.iVal = in.iVal;
      break;
    case output::VarType::kBool:
      out.vt = ::VT_BOOL;
      out.boolVal = in.iVal != 0 ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    case output::VarType::kBstr: {
      const std::wstring text = Widen(in.bstrVal);
      out.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
      if (out.bstrVal == nullptr) throw AutomationError("out of memory", AutomationError::Kind::kUnavailable);
      out.vt = ::VT_BSTR;
      break;
    }
    case output::VarType::kDispatch: {
      const auto* object = dynamic_cast<const OleDispatchTarget*>(in.pdispVal.get());
      if (in.pdispVal && object == nullptr) {
        throw AutomationError("object of another kind", AutomationError::Kind::kUnavailable);
      }
      out.vt = ::VT_DISPATCH;
      out.pdispVal = object ? object->Object() : nullptr;
      if (out.pdispVal) out.pdispVal->AddRef();
      break;
    }
    default:
      out.vt = ::VT_EMPTY;
      break;
  }
}

Variant FromVariant(const VARIANT& in, const std::shared_ptr<ComApartment>& apartment) {
  switch (in.vt) {
    case ::VT_EMPTY: return {};
    case ::VT_I2: return Variant::I2(in.iVal);
    case ::VT_BOOL: return Variant::Bool(in.boolVal != VARIANT_FALSE ? 1 : 0);
    case ::VT_BSTR: return Variant::Str(Narrow(in.bstrVal, ::SysStringLen(in.bstrVal)));
    case ::VT_DISPATCH: {
      Variant v;
      v.vt = output::VarType::kDispatch;
      if (in.pdispVal) {
        in.pdispVal->AddRef();
        v.pdispVal = std::make_shared<OleDispatchTarget>(in.pdispVal, apartment);
      }
      return v;
    }
    default: {
      VARIANT text;
      ::VariantInit(&text);
      Variant v;
      if (SUCCEEDED(::VariantChangeType(&text, const_cast<VARIANT*>(&in), 0, ::VT_BSTR))) {
        v = Variant::Str(Narrow(text.bstrVal, ::SysStringLen(text.bstrVal)));
      }
      ::VariantClear(&text);
      return v;
    }
  }
}

namespace {

std::string SystemText(HRESULT result) {
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(result), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string out = Narrow(text, length);
  if (text) ::LocalFree(text);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' ')) out.pop_back();
  return out;
}

}  // namespace

std::string DescribeFailure(HRESULT result, EXCEPINFO& info) {
  std::string description;
  if (result == DISP_E_EXCEPTION) {
    if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
    description = Narrow(info.bstrDescription, ::SysStringLen(info.bstrDescription));
    if (info.scode != 0) result = info.scode;
  }
  ::SysFreeString(info.bstrSource);
  ::SysFreeString(info.bstrDescription);
  ::SysFreeString(info.bstrHelpFile);
  info = EXCEPINFO{};
  if (description.empty()) description = SystemText(result);
  if (description.empty()) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    description = code;
  }
  return description;
}

}  // namespace output::win32
