// OLE automation on Windows. Wine has no spreadsheet program, so creating
// "Excel.Application" fails and the export tells the user; the calls
// themselves are checked against Scripting.Dictionary, which Wine registers.
#include "output/ExcelExport.h"
#include "tests/core/export_fakes.h"
#include "output/win32/OleAutomationServer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/win32/OleDispatchTarget.h"
#include "output/win32/OleVariant.h"

namespace {

using output::AutomationError;
using output::Variant;
using output::win32::OleAutomationServer;

constexpr unsigned short kMethod = 1, kGet = 2, kPut = 4;

bool Registered(const char* progId) {
  const output::win32::ComApartment apartment;
  CLSID clsid;
  return SUCCEEDED(::CLSIDFromProgID(output::win32::Widen(progId).c_str(), &clsid));
}

TEST(OleAutomation, WithoutExcelCreationFailsAndTheUserIsTold) {
  if (Registered(output::xl::kProgId)) GTEST_SKIP() << "a spreadsheet program is installed";
  OleAutomationServer server;
  EXPECT_EQ(server.CreateDispatch(output::xl::kProgId), nullptr);
  EXPECT_EQ(server.CreateDispatch("No.Such.Component"), nullptr);
  exporttest::MessageCatcher messages;
  EXPECT_FALSE(output::ExportToExcel({{"Name"}, {"a"}}, server));
  ASSERT_EQ(messages.boxes.size(), 1u);
  EXPECT_EQ(messages.boxes[0].text, "Excel kann nicht ausgeführt werden.");
}

// Dispatch ids by name, as the component itself gives them.
DISPID IdOf(IDispatch* object, const wchar_t* name) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  return id;
}

TEST(OleAutomation, CallsPassArgumentsInOrderReturnValuesAndFailWithADescription) {
  const output::win32::ComApartment apartment;
  CLSID clsid;
  IDispatch* raw = nullptr;
  if (FAILED(::CLSIDFromProgID(L"Scripting.Dictionary", &clsid)) ||
      FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch, reinterpret_cast<void**>(&raw))))
    GTEST_SKIP() << "no Scripting.Dictionary";
  const DISPID add = IdOf(raw, L"Add"), item = IdOf(raw, L"Item");
  const DISPID count = IdOf(raw, L"Count"), exists = IdOf(raw, L"Exists");
  raw->Release();
  OleAutomationServer server;
  auto dict = server.CreateDispatch("Scripting.Dictionary");
  ASSERT_NE(dict, nullptr);
  dict->Invoke(add, kMethod, {Variant::Str("Schlüssel"), Variant::Str("Wert; mit Ümlaut")});
  dict->Invoke(add, kMethod, {Variant::Str("zwei"), Variant::I2(-4167)});
  EXPECT_EQ(dict->Invoke(item, kGet, {Variant::Str("Schlüssel")}).bstrVal, "Wert; mit Ümlaut");
  const Variant number = dict->Invoke(item, kGet, {Variant::Str("zwei")});
  EXPECT_EQ(number.vt, output::VarType::kI2);
  EXPECT_EQ(number.iVal, -4167);
  EXPECT_EQ(dict->Invoke(count, kGet | kMethod, {}).bstrVal, "2");  // a 32-bit count comes back as text
  dict->Invoke(item, kPut, {Variant::Str("zwei"), Variant::Bool(1)});
  const Variant flag = dict->Invoke(item, kGet, {Variant::Str("zwei")});
  EXPECT_EQ(flag.vt, output::VarType::kBool);
  EXPECT_EQ(flag.iVal, 1);
  EXPECT_EQ(dict->Invoke(exists, kMethod, {Variant::Str("drei")}).iVal, 0);
  try {
    dict->Invoke(0x7FFF, kMethod, {});  // no such member
    ADD_FAILURE() << "the call succeeded";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.kind(), AutomationError::Kind::kCallFailed);
    EXPECT_STRNE(e.what(), "");
  }
}

}  // namespace
