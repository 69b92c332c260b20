// Excel through OLE automation on Windows. Wine has no spreadsheet program,
// so creating "Excel.Application" fails and there is no workbook; the calls
// the workbook makes are checked against a recording component, and the
// calls themselves against Scripting.Dictionary, which Wine registers.
#include "output/ExcelExport.h"
#include "output/win32/OleAutomationServer.h"
#include "output/win32/OleSpreadsheet.h"
#include "tests/core/export_fakes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/win32/OleDispatchTarget.h"
#include "output/win32/OleVariant.h"

namespace {

using output::AutomationError;
using output::Variant;
using output::win32::OleAutomationServer;
using output::win32::OleSpreadsheet;
namespace xl = output::win32::xl;

constexpr unsigned short kMethod = 1, kGet = 2, kPut = 4;
using Lines = std::vector<std::string>;

// A component that writes every call and release down as a line:
// "sheet get 197 BSTR:A1"; the call with index failAt is refused.
struct Recording : output::AutomationServer {
  struct Object : output::IDispatchTarget {
    Object(Recording& r, std::string n) : recording(r), name(std::move(n)) {}
    ~Object() override { recording.log.push_back("release " + name); }
    Variant Invoke(output::DispId id, unsigned short flags, const std::vector<Variant>& args) override {
      std::string line = name + (flags == xl::kGet ? " get " : flags == kMethod ? " method " : " put ") +
                         std::to_string(id);
      for (const Variant& a : args)
        line += a.vt == output::VarType::kBstr ? " BSTR:" + a.bstrVal : " " + std::to_string(a.iVal);
      recording.log.push_back(line);
      if (recording.calls++ == recording.failAt) throw AutomationError("Zugriff verweigert (Test)");
      if (flags == kPut) return {};
      const std::string child = id == xl::kWorksheetRange         ? "range " + args.at(0).bstrVal
                                : id == xl::kApplicationWorkbooks ? "books"
                                : id == xl::kWorkbooksAdd         ? "book"
                                                                  : "sheet";
      return Variant::Dispatch(std::make_shared<Object>(recording, child));
    }
    Recording& recording;
    std::string name;
  };
  std::shared_ptr<output::IDispatchTarget> CreateDispatch(std::string_view progId) override {
    log.push_back("create " + std::string(progId));
    return std::make_shared<Object>(*this, "app");
  }
  Lines log;
  int calls = 0, failAt = -1;
};

TEST(OleAutomation, TheWorkbookMakesExcelsCallsAndReleasesNewestFirst) {
  Recording excel;
  OleSpreadsheet program(excel);
  exporttest::MessageCatcher messages;
  ASSERT_TRUE(output::ExportToExcel({{"Name"}, {"x"}}, program));
  EXPECT_EQ(excel.log, (Lines{"create Excel.Application", "app put 558 1", "app get 572", "books method 181 -4167",
                              "book get 494 1", "sheet get 197 BSTR:A1", "range A1 put 242 20", "release range A1",
                              "sheet get 197 BSTR:A1", "range A1 put 6 BSTR:Name", "release range A1",
                              "sheet get 197 BSTR:A2", "range A2 put 6 BSTR:x", "release range A2",
                              "book put 298 1", "release sheet", "release book", "release books", "release app"}));
  excel.log.clear();
  excel.calls = 0;
  excel.failAt = 5;  // the width of A1
  EXPECT_FALSE(output::ExportToExcel({{"Name"}}, program));
  EXPECT_EQ(Lines(excel.log.end() - 5, excel.log.end()),
            (Lines{"release range A1", "release sheet", "release book", "release books", "release app"}));
  ASSERT_EQ(messages.boxes.size(), 1u);
  EXPECT_EQ(messages.boxes[0].text, "Zugriff verweigert (Test)");
  const std::pair<unsigned, const char*> letters[] = {{1, "A"},   {26, "Z"},   {27, "AA"},   {52, "AZ"},
                                                      {53, "BA"}, {702, "ZZ"}, {703, "AAA"}, {16384, "XFD"}};
  for (const auto& [n, text] : letters) EXPECT_EQ(output::win32::ColumnLetters(n), text) << n;
}

// Dispatch ids by name, as the component itself gives them.
DISPID IdOf(IDispatch* object, const wchar_t* name) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  return id;
}

TEST(OleAutomation, AMissingComponentGivesNoObjectAndCallsPassArgumentsInOrderReturnValuesAndFailWithADescription) {
  OleAutomationServer server;
  EXPECT_EQ(server.CreateDispatch("No.Such.Component"), nullptr);
  const output::win32::ComApartment apartment;
  CLSID clsid;
  if (FAILED(::CLSIDFromProgID(output::win32::Widen(xl::kProgId).c_str(), &clsid))) {
    EXPECT_EQ(OleSpreadsheet(server).NewWorkbook(), nullptr) << "without Excel no workbook";
  }
  IDispatch* raw = nullptr;
  if (FAILED(::CLSIDFromProgID(L"Scripting.Dictionary", &clsid)) ||
      FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch, reinterpret_cast<void**>(&raw))))
    GTEST_SKIP() << "no Scripting.Dictionary";
  const DISPID add = IdOf(raw, L"Add"), item = IdOf(raw, L"Item");
  const DISPID count = IdOf(raw, L"Count"), exists = IdOf(raw, L"Exists");
  raw->Release();
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
