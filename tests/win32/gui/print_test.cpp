// Printing through GDI against the test printers: the pages the layout
// computes, as the print context draws them into a metafile measured by the
// printer; the print dialog's pages into the printer's file; the printer
// chosen in setup used next, and a printer that fails told. The print
// preview of a long list: open at once, each page drawn only when it is
// shown, paged forward and back by keys and buttons, two pages, zoom,
// printing from it, and closed with Esc.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "framework/win32/WinApi.h"

#include <dlgs.h>

#include "framework/StringTable.h"
#include "framework/win32/ResText.h"
#include "output/PrintDC.h"
#include "output/win32/GdiPrintDC.h"
#include "output/win32/ListPrinter.h"
#include "output/win32/PrintPreview.h"
#include "output/win32/PrinterSettings.h"
#include "platform/win32/Utf16.h"
#include "shell/KolbrinDoc.h"
#include "tests/core/export_fakes.h"
#include "tests/win32/gui/TestWindows.h"
#include "tests/win32/support/TestPrinter.h"

namespace {

using namespace win32test;
using fw::win32::ResText;
using output::win32::CListPrinter;
using output::win32::CPrinterSettings;
using output::win32::CPrintPreview;
namespace TextFlags = output::TextFlags;
using Line = exporttest::RecordingDC::Line;

// "r<row>c<column>" under a name, a right-aligned title too long for its
// column and a centred date; the list counts its cell reads.
exporttest::FakeList Generated(int rows) {
  namespace ColumnFormat = output::ColumnFormat;
  exporttest::FakeList list;
  list.columns = {{200, "Name", ColumnFormat::kLeft},
                  {60, "Dateianzahl einschl. aller Unterverz", ColumnFormat::kRight},
                  {100, "Datum", ColumnFormat::kCenter}};
  list.cells.resize(static_cast<std::size_t>(rows));
  for (std::size_t r = 0; r < list.cells.size(); ++r)
    for (int c = 0; c < 3; ++c) list.cells[r].push_back("r" + std::to_string(r) + "c" + std::to_string(c));
  return list;
}

// A button of a common dialog pressed; the printer chosen in its list; the
// page range typed in.
void Press(HWND dialog, int id) { ::PostMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// The list of printers: the combo box that offers the test printer.
HWND PrinterList(HWND dialog) {
  for (HWND c : Children(dialog)) {
    if (ClassOf(c) == L"ComboBox" && ::SendMessageW(c, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(kTestPrinter)) >= 0) return c;
  }
  return nullptr;
}

void ChoosePrinter(HWND dialog, const wchar_t* name) {
  const HWND list = PrinterList(dialog);
  ::SendMessageW(list, CB_SETCURSEL, ::SendMessageW(list, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(name)), 0);
  ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(list), CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void ChoosePages(HWND dialog, int from, int to) {
  ::SendMessageW(::GetDlgItem(dialog, rad3), BM_CLICK, 0, 0);
  ::SetDlgItemInt(dialog, edt1, static_cast<UINT>(from), FALSE);
  ::SetDlgItemInt(dialog, edt2, static_cast<UINT>(to), FALSE);
}

// What the test printer printed last.
std::string Printed() {
  std::ifstream in(platform::win32::Narrow(kTestPrinterFile), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class PrintTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(InstallTestPrinters()); }
  shell::CKolbrinDoc doc;
};

// What a metafile holds: text runs, lines and fonts.
struct Metafile {
  struct Run {
    std::wstring text;
    POINTL at;
    RECTL clip;
    DWORD options;
    int width;
  };
  std::vector<Run> runs;
  std::vector<Line> lines;
  std::vector<LOGFONTW> fonts;
  POINTL at{};
};

int CALLBACK Collect(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
  auto& m = *reinterpret_cast<Metafile*>(data);
  const auto* bytes = reinterpret_cast<const BYTE*>(record);
  if (record->iType == EMR_EXTTEXTOUTW) {
    const EMRTEXT& t = reinterpret_cast<const EMREXTTEXTOUTW*>(record)->emrtext;
    const auto* dx = reinterpret_cast<const INT*>(bytes + t.offDx);
    int width = 0;
    for (DWORD i = 0; t.offDx != 0 && i < t.nChars; ++i) width += dx[i];
    m.runs.push_back({{reinterpret_cast<const wchar_t*>(bytes + t.offString), t.nChars}, t.ptlReference, t.rcl,
                      t.fOptions, width});
  } else if (record->iType == EMR_MOVETOEX) {
    m.at = reinterpret_cast<const EMRMOVETOEX*>(record)->ptl;
  } else if (record->iType == EMR_LINETO) {
    const POINTL to = reinterpret_cast<const EMRLINETO*>(record)->ptl;
    m.lines.push_back({m.at.x, m.at.y, to.x, to.y});
    m.at = to;
  } else if (record->iType == EMR_EXTCREATEFONTINDIRECTW) {
    m.fonts.push_back(reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record)->elfw.elfLogFont);
  }
  return 1;
}

// The character cell height of 8-point Arial on the printer.
int TextHeight(HDC printer) {
  const HFONT font = ::CreateFontW(-(8 * ::GetDeviceCaps(printer, LOGPIXELSY) / 72), 0, 0, 0, 400, 0, 0, 0,
                                   DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
  const HGDIOBJ before = ::SelectObject(printer, font);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(printer, &metrics);
  ::DeleteObject(::SelectObject(printer, before));
  return metrics.tmHeight;
}

TEST_F(PrintTest, GdiDrawsThePageTheLayoutComputesInThePrintersPixels) {
  CPrinterSettings settings;
  EXPECT_EQ(settings.PrinterName(), kTestPrinter);  // the default printer
  const output::win32::PrinterDC printer = settings.CreateDC();
  ASSERT_NE(printer, nullptr);
  exporttest::FakeList list = Generated(200);
  list.cells[0][0] = "a&b " + std::string(300, 'x');  // a mnemonic, and far wider than its cell
  const HDC recorder = ::CreateEnhMetaFileW(printer.get(), nullptr, nullptr, nullptr);
  output::win32::GdiPrintDC gdi(printer.get(), recorder);
  exporttest::RecordingDC layout(&gdi);
  doc.BeginPrinting(list, layout);
  doc.PrintPage(list, layout, 1);
  doc.EndPrinting();
  const HENHMETAFILE file = ::CloseEnhMetaFile(recorder);
  Metafile emf;
  ::EnumEnhMetaFile(nullptr, file, &Collect, &emf, nullptr);
  ::DeleteEnhMetaFile(file);

  ASSERT_FALSE(emf.fonts.empty());
  EXPECT_STREQ(emf.fonts[0].lfFaceName, L"Arial");
  const LOGFONTW& f = emf.fonts[0];
  EXPECT_EQ(std::tuple(f.lfHeight, f.lfWeight, f.lfCharSet, f.lfItalic, f.lfUnderline),
            std::tuple(-(8 * ::GetDeviceCaps(printer.get(), LOGPIXELSY) / 72), 400L, BYTE{DEFAULT_CHARSET}, BYTE{0},
                       BYTE{0}));
  // The rules as laid out, then the mnemonic's underline beneath the "b".
  ASSERT_EQ(emf.lines.size(), layout.lines.size() + 1);
  EXPECT_EQ(std::vector(emf.lines.begin(), emf.lines.end() - 1), layout.lines);

  const int height = TextHeight(printer.get());
  std::size_t run = 0;
  for (const exporttest::RecordingDC::Text& call : layout.texts) {
    const RECTL cell{call.rect.left, call.rect.top, call.rect.right, call.rect.bottom};
    std::wstring drawn;
    int lines = 0;
    const auto inCell = [&](const RECTL& r) {
      return r.left == cell.left && r.top == cell.top && r.right == cell.right && r.bottom == cell.bottom;
    };
    for (; run < emf.runs.size() && inCell(emf.runs[run].clip); ++run, ++lines) {
      const Metafile::Run& r = emf.runs[run];
      EXPECT_TRUE(r.options & ETO_CLIPPED) << call.text;  // cut at the cell's edges
      const int x = (call.flags & TextFlags::kRight)    ? cell.right - r.width
                    : (call.flags & TextFlags::kCenter) ? (cell.left + cell.right - r.width) / 2
                                                        : cell.left;
      // Wrapped lines from the top down; a single line in the middle.
      const int y = (call.flags & TextFlags::kSingleLine) ? (cell.top + cell.bottom - height) / 2
                                                          : cell.top + lines * height;
      EXPECT_NEAR(r.at.x, x, 1) << call.text;
      EXPECT_NEAR(r.at.y, y, 1) << call.text;
      drawn += (lines > 0 ? L" " : L"") + r.text;
    }
    std::wstring shown = platform::win32::Widen(call.text);
    if (const auto amp = shown.find(L'&'); amp != std::wstring::npos) shown.erase(amp, 1);
    EXPECT_EQ(drawn, shown);
    EXPECT_EQ(lines, call.text == list.columns[1].title ? 2 : 1) << call.text;  // the long title wraps
  }
  EXPECT_EQ(run, emf.runs.size());
  EXPECT_EQ(layout.texts.front().text, "Seite:  1");
  const Line underline = emf.lines.back();
  const auto mnemonic = std::find_if(emf.runs.begin(), emf.runs.end(), [](const auto& r) { return r.text.rfind(L"ab ", 0) == 0; });
  ASSERT_NE(mnemonic, emf.runs.end());
  EXPECT_EQ(underline[1], underline[3]);
  EXPECT_GT(underline[1], mnemonic->at.y + height / 2);
  EXPECT_GT(underline[0], mnemonic->at.x);
}

// The dialog offers the job's pages on the printer; the pages chosen come
// out of it, and the print font goes with the job. The setup's choice prints
// next: a job it cannot take is told, a cancelled one is not.
TEST_F(PrintTest, PrintCommandPrintsThePagesChosenThenThePrinterChosenInSetupWhoseFailureIsTold) {
  ::DeleteFileW(kTestPrinterFile);
  const exporttest::FakeList list = Generated(150);
  CHostWindow host;
  CPrinterSettings settings;
  std::wstring offered, title, shown;
  {
    CModalWatcher watcher([&](HWND dialog) {
      offered = TextOf(::GetDlgItem(dialog, edt2));
      ChoosePages(dialog, 2, 3);
      Press(dialog, IDOK);
    });
    EXPECT_TRUE(CListPrinter(doc, list).Print(settings, host.Handle()));
  }
  EXPECT_EQ(offered, std::to_wstring(150 / doc.PrintState().Metrics().rowsPerPage + 1));
  EXPECT_FALSE(doc.PrintState().Font().has_value());
  const std::string printed = Printed();
  EXPECT_NE(printed.find("%%Page: 2 2"), std::string::npos);
  EXPECT_EQ(printed.find("%%Page: 3 3"), std::string::npos);
  EXPECT_NE(printed.find("%%Pages: 2"), std::string::npos);

  {
    CModalWatcher watcher([&](HWND dialog) {
      title = TextOf(dialog);
      ChoosePrinter(dialog, kBrokenPrinter);
      Press(dialog, IDOK);
    });
    EXPECT_TRUE(settings.Setup(host.Handle()));
  }
  EXPECT_EQ(title, L"Druckereinrichtung");
  EXPECT_EQ(settings.PrinterName(), kBrokenPrinter);
  exporttest::MessageCatcher messages;
  for (const int answer : {IDCANCEL, IDOK}) {
    CModalWatcher watcher([&](HWND dialog) {
      shown = TextOf(PrinterList(dialog));
      Press(dialog, answer);
    });
    EXPECT_FALSE(CListPrinter(doc, list).Print(settings, host.Handle()));
    EXPECT_EQ(shown, kBrokenPrinter);
  }
  ASSERT_EQ(messages.boxes.size(), 1u);
  EXPECT_EQ(messages.boxes[0].text, fw::LoadResString(IDS_PRINT_FAILED));
}

// The preview's messages, as its own loop takes them, until pred holds or
// five seconds have passed.
bool PumpUntil(CPrintPreview& preview, const std::function<bool()>& pred) {
  const ULONGLONG end = ::GetTickCount64() + 5000;
  MSG msg{};
  while (!pred()) {
    if (::GetTickCount64() > end) return false;
    if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    } else if (!preview.PreTranslateMessage(msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  return true;
}

TEST_F(PrintTest, PreviewOfAHundredThousandRowsDrawsThePagesAsTheyAreShown) {
  const exporttest::FakeList list = Generated(100000);
  CHostWindow host;
  CPrinterSettings settings;
  std::optional<CPrintPreview> preview(std::in_place, doc, list, settings, settings.CreateDC());
  ASSERT_TRUE(preview->Create(host.Handle()));
  const HWND window = preview->Handle(), pages = preview->PageView().Handle();
  const auto& cache = preview->PageView().Cache();
  const int rows = doc.PrintState().Metrics().rowsPerPage, last = 100000 / rows + 1;
  const auto shows = [&](int first) {
    return PumpUntil(*preview, [&] { return TextOf(Child(window, L"Edit")) == std::to_wstring(first) && cache.Holds(first); });
  };
  EXPECT_EQ(TextOf(window), L"Seitenansicht");
  EXPECT_NE(Child(window, L"Static", L"von " + std::to_wstring(last)), nullptr);
  ASSERT_TRUE(shows(1));
  EXPECT_LE(list.cellReads, 3 * rows);  // the first page alone
  for (const auto& [key, first] : {std::pair{VK_NEXT, 2}, {VK_NEXT, 3}, {VK_END, last}, {VK_PRIOR, last - 1},
                                   {VK_HOME, 1}}) {
    PostKey(pages, key);
    EXPECT_TRUE(shows(first)) << first;
  }
  EXPECT_LE(list.cellReads, 5 * 3 * rows);
  EXPECT_LE(cache.Size(), 6u);

  ::PostMessageW(Child(window, L"Button", ResText(IDS_PREVIEW_TWO_PAGES)), BM_CLICK, 0, 0);
  // Smaller pages: the two are drawn anew, and nothing else is held.
  EXPECT_TRUE(PumpUntil(*preview, [&] {
    return Child(window, L"Button", ResText(IDS_PREVIEW_ONE_PAGE)) != nullptr && cache.Size() == 2 &&
           cache.Holds(1) && cache.Holds(2);
  }));
  PostKey(pages, VK_ADD);
  EXPECT_TRUE(PumpUntil(*preview, [&] {
    SCROLLINFO bar{sizeof bar, SIF_ALL, 0, 0, 0, 0, 0};
    return ::GetScrollInfo(pages, SB_VERT, &bar) && bar.nMax >= static_cast<int>(bar.nPage);
  }));

  // Printing from it: the print dialog, then the preview goes on.
  ::DeleteFileW(kTestPrinterFile);
  CModalWatcher watcher([](HWND dialog) {
    ChoosePages(dialog, 2, 2);
    Press(dialog, IDOK);
  });
  ::PostMessageW(Child(window, L"Button", ResText(IDS_PREVIEW_PRINT)), BM_CLICK, 0, 0);
  EXPECT_TRUE(PumpUntil(*preview, [] { return Printed().find("%%Pages: 1") != std::string::npos; }));
  EXPECT_TRUE(doc.PrintState().Font().has_value());

  PostKey(pages, VK_ESCAPE);
  preview->RunModal();
  EXPECT_EQ(preview->Handle(), nullptr);
  EXPECT_TRUE(::IsWindowEnabled(host.Handle()));
  preview.reset();
  EXPECT_FALSE(doc.PrintState().Font().has_value());
}

}  // namespace
