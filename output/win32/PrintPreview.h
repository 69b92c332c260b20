// The print preview on Windows: a window of its own over the main window,
// with a row of buttons (first, previous, the page number, next, last
// page; one or two pages; smaller, larger; print; close) above the pages
// as the printer prints them (CPreviewPageView). The keys: Page Down and
// Page Up turn the pages, Home and End go to the first and the last, + and
// - zoom, the arrows scroll, Esc closes; a page number typed with Return
// goes there. The print job runs from the opening of the window to its
// closing; printing from it goes through the print dialog as the print
// command does, and the preview then shows the printer chosen there.
#pragma once

#include <string>

#include "framework/win32/WindowImpl.h"
#include "output/win32/PreviewPageView.h"
#include "output/win32/PrinterSettings.h"

namespace output {
class ListOutput;
class PrintSource;
}  // namespace output

namespace output::win32 {

class CPrintPreview : public fw::win32::CWindowImpl {
 public:
  // printer measures the pages; settings give the print dialog and a new
  // printer after it.
  CPrintPreview(ListOutput& job, const PrintSource& list, CPrinterSettings& settings, PrinterDC printer);
  ~CPrintPreview() override;

  // Made and shown over owner's top-level window, the job begun; false
  // when it could not be.
  bool Create(HWND owner);
  // Keeps that window disabled and runs the preview's own message loop
  // until the preview is closed.
  void RunModal();
  // The preview's keys and the tab between its controls.
  bool PreTranslateMessage(MSG& msg);

  const CPreviewPageView& PageView() const { return m_view; }

 protected:
  fw::win32::WindowClass GetWindowClass() const override;
  const fw::win32::MessageMap* GetMessageMap() const override;

 private:
  LRESULT OnCreate(WPARAM, LPARAM);
  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnCommand(WPARAM wp, LPARAM);
  LRESULT OnClose(WPARAM, LPARAM);

  bool CreateControls();
  void Layout();
  void StartJob();
  void ShowPage(int page);
  void Zoom(int steps);
  void ToggleTwoPages();
  void Print();
  void Close();
  bool HandleKey(WPARAM key, HWND target);
  void Update();

  ListOutput& m_job;
  const PrintSource& m_list;
  CPrinterSettings& m_settings;
  PrinterDC m_printer;
  bool m_printing = false;  // between BeginPrinting and EndPrinting
  HWND m_owner = nullptr;
  HFONT m_font = nullptr;
  CPreviewPageView m_view;
};

}  // namespace output::win32
