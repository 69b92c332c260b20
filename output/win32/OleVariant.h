// Conversions between the export's tagged values and OLE's VARIANTs; BSTRs
// and identifiers are converted by platform/win32/Utf16.h.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <memory>
#include <string>
#include <string_view>

#include "output/win32/Automation.h"
#include "platform/win32/Utf16.h"

namespace output::win32 {

class ComApartment;

using platform::win32::Narrow;
using platform::win32::Widen;

// Fills out (initialised, empty) from in. A boolean is VARIANT_TRUE for any
// non-zero value. Throws AutomationError for an object not made by OLE.
void ToVariant(const Variant& in, VARIANT& out);

// The value of a call's result; objects keep apartment alive. Values of
// types the export does not use come back as text where OLE can convert
// them, else empty.
Variant FromVariant(const VARIANT& in, const std::shared_ptr<ComApartment>& apartment);

// The component's description of a failed call, else the system's text for
// the error code, else the code in hexadecimal. Frees the EXCEPINFO strings.
std::string DescribeFailure(HRESULT result, EXCEPINFO& info);

}  // namespace output::win32
