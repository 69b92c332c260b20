// OLE automation on Windows. Wine has no spreadsheet program, so creating
// "Excel.Application" fails and the export tells the user; the calls
// themselves are checked against Scripting.Dictionary, which Wine registers.
#include "output/ExcelExport.h"
#include "output/win32/OleAutomationServer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/MessageBox.h"
#include "framework/StringTable.h"
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

  std::vector<std::string> shown;
  auto previous = fw::SetMessageBoxPresenter([&](const fw::MessageBoxRequest& r) {
    shown.push_back(r.text);
    return fw::IDRESULT_OK;
  });
  const bool exported = output::ExportToExcel({{"Name"}, {"a"}}, server);
  fw::SetMessageBoxPresenter(std::move(previous));
  EXPECT_FALSE(exported);
  EXPECT_EQ(shown, std::vector<std::string>{"Excel kann nicht ausgeführt werden."});
}

// Dispatch ids by name, as the component itself gives them.
DISPID IdOf(const wchar_t* name) {
  CLSID clsid;
  EXPECT_TRUE(SUCCEEDED(::CLSIDFromProgID(L"Scripting.Dictionary", &clsid)));
  IDispatch* object = nullptr;
  EXPECT_TRUE(SUCCEEDED(::CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch,
                                           reinterpret_cast<void**>(&object))));
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  if (object) object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (object) object->Release();
  return id;
}

TEST(OleAutomation, CallsPassArgumentsInOrderAndReturnValues) {
  const output::win32::ComApartment apartment;
  if (!Registered("Scripting.Dictionary")) GTEST_SKIP() << "no Scripting.Dictionary";
  const DISPID add = IdOf(L"Add"), item = IdOf(L"Item"), count = IdOf(L"Count"), exists = IdOf(L"Exists");
  OleAutomationServer server;
  auto dict = server.CreateDispatch("Scripting.Dictionary");
  ASSERT_NE(dict, nullptr);
  dict->Invoke(add, kMethod, {Variant::Str("Schlüssel"), Variant::Str("Wert; mit Ümlaut")});
  dict->Invoke(add, kMethod, {Variant::Str("zwei"), Variant::I2(-4167)});
  EXPECT_EQ(dict->Invoke(item, kGet, {Variant::Str("Schlüssel")}).bstrVal, "Wert; mit Ümlaut");
  const Variant number = dict->Invoke(item, kGet, {Variant::Str("zwei")});
  EXPECT_EQ(number.vt, output::VarType::kI2);
  EXPECT_EQ(number.iVal, -4167);
  // A count is a 32-bit integer, which comes back as text.
  EXPECT_EQ(dict->Invoke(count, kGet | kMethod, {}).bstrVal, "2");
  dict->Invoke(item, kPut, {Variant::Str("zwei"), Variant::Bool(1)});
  const Variant flag = dict->Invoke(item, kGet, {Variant::Str("zwei")});
  EXPECT_EQ(flag.vt, output::VarType::kBool);
  EXPECT_EQ(flag.iVal, 1);
  EXPECT_EQ(dict->Invoke(exists, kMethod, {Variant::Str("drei")}).iVal, 0);
}

TEST(OleAutomation, FailedCallThrowsWithADescription) {
  OleAutomationServer server;
  auto dict = server.CreateDispatch("Scripting.Dictionary");
  if (!dict) GTEST_SKIP() << "no Scripting.Dictionary";
  try {
    dict->Invoke(0x7FFF, kMethod, {});  // no such member
    ADD_FAILURE() << "the call succeeded";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.kind(), AutomationError::Kind::kCallFailed);
    EXPECT_STRNE(e.what(), "");
  }
}

}  // namespace
