// What the print and preview tests share: the test printers, the document
// whose print job lays out the pages, and a list whose texts are made as
// they are read.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "framework/win32/WinApi.h"

#include <dlgs.h>

#include "output/PrintDC.h"
#include "platform/win32/Utf16.h"
#include "shell/KolbrinDoc.h"
#include "tests/win32/support/TestPrinter.h"
#include "tests/win32/support/Windows.h"

namespace win32test {

// "r<row>c<column>" in a name, a right-aligned size and a centred date
// column; each read counted.
class GeneratedList : public output::PrintSource {
 public:
  explicit GeneratedList(int count) : rows(count) {}
  int RowCount() const override { return rows; }
  bool GetColumn(int index, output::ListColumn& out) const override {
    if (index < 0 || index >= 3) return false;
    out = {index == 0 ? 200 : index == 1 ? 60 : 100, titles[index], static_cast<unsigned>(index == 0 ? 0 : index == 1 ? 1 : 2)};
    return true;
  }
  std::string CellText(int row, int column) const override {
    ++reads;
    return row == 0 && column == 0 ? firstName : "r" + std::to_string(row) + "c" + std::to_string(column);
  }
  int rows;
  std::string titles[3] = {"Name", "Dateianzahl einschl. aller Unterverz", "Datum"};
  std::string firstName = "r0c0";
  mutable long reads = 0;
};

// A button of a common dialog pressed; the printer chosen in its list; the
// page range typed in.
inline void Press(HWND dialog, int id) { ::PostMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// The list of printers: the combo box that offers the test printer.
inline HWND PrinterList(HWND dialog) {
  for (HWND c : Children(dialog)) {
    if (ClassOf(c) == L"ComboBox" && ::SendMessageW(c, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(kTestPrinter)) >= 0) return c;
  }
  return nullptr;
}

inline void ChoosePrinter(HWND dialog, const wchar_t* name) {
  const HWND list = PrinterList(dialog);
  ::SendMessageW(list, CB_SETCURSEL, ::SendMessageW(list, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(name)), 0);
  ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(list), CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

inline void ChoosePages(HWND dialog, int from, int to) {
  ::SendMessageW(::GetDlgItem(dialog, rad3), BM_CLICK, 0, 0);
  ::SetDlgItemInt(dialog, edt1, static_cast<UINT>(from), FALSE);
  ::SetDlgItemInt(dialog, edt2, static_cast<UINT>(to), FALSE);
}

// What the test printer printed last.
inline std::string Printed() {
  std::ifstream in(platform::win32::Narrow(kTestPrinterFile), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class PrintTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(InstallTestPrinters()); }
  shell::CKolbrinDoc doc;
};

}  // namespace win32test
