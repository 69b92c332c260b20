#include "output/win32/PrinterSettings.h"

#include "framework/win32/ResText.h"

namespace output::win32 {

namespace {

// A global memory block locked for as long as this lives.
template <class T>
class Locked {
 public:
  explicit Locked(HGLOBAL memory) : m_memory(memory), m_data(memory ? static_cast<T*>(::GlobalLock(memory)) : nullptr) {}
  ~Locked() {
    if (m_data != nullptr) ::GlobalUnlock(m_memory);
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
  T* get() const { return m_data; }

 private:
  HGLOBAL m_memory;
  T* m_data;
};

const wchar_t* NameAt(const DEVNAMES* names, WORD offset) {
  return reinterpret_cast<const wchar_t*>(names) + offset;
}

// The setup dialog carries the command's name. Windows calls the setup
// hook for it, Wine the print hook: both are this.
UINT_PTR CALLBACK SetupHook(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) ::SetWindowTextW(dialog, fw::win32::ResText(IDS_PRINT_SETUP_TITLE).c_str());
  return 0;
}

}  // namespace

CPrinterSettings::~CPrinterSettings() {
  if (m_devMode != nullptr) ::GlobalFree(m_devMode);
  if (m_devNames != nullptr) ::GlobalFree(m_devNames);
}

PRINTDLGW CPrinterSettings::Dialog(HWND owner, DWORD flags) const {
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner != nullptr ? ::GetAncestor(owner, GA_ROOT) : nullptr;  // a pane's frame
  dialog.hDevMode = m_devMode;
  dialog.hDevNames = m_devNames;
  dialog.Flags = flags;
  return dialog;
}

// The dialog may have freed the blocks it was given and made new ones.
void CPrinterSettings::Keep(const PRINTDLGW& dialog) {
  m_devMode = dialog.hDevMode;
  m_devNames = dialog.hDevNames;
}

bool CPrinterSettings::Ensure() {
  if (m_devNames != nullptr) return true;
  PRINTDLGW dialog = Dialog(nullptr, PD_RETURNDEFAULT);
  dialog.hDevMode = dialog.hDevNames = nullptr;  // asked for, not given
  if (!::PrintDlgW(&dialog)) return false;
  Keep(dialog);
  return m_devNames != nullptr;
}

bool CPrinterSettings::Setup(HWND owner) {
  PRINTDLGW dialog = Dialog(owner, PD_PRINTSETUP | PD_ENABLESETUPHOOK | PD_ENABLEPRINTHOOK);
  dialog.lpfnSetupHook = &SetupHook;
  dialog.lpfnPrintHook = &SetupHook;
  const bool chosen = ::PrintDlgW(&dialog) != FALSE;
  Keep(dialog);
  return chosen;
}

PrintChoice CPrinterSettings::AskToPrint(HWND owner, int maxPage) {
  PRINTDLGW dialog = Dialog(owner, PD_RETURNDC | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE);
  dialog.nMinPage = 1;
  dialog.nMaxPage = static_cast<WORD>(maxPage < 1 ? 1 : (maxPage > 0xFFFF ? 0xFFFF : maxPage));
  dialog.nFromPage = 1;
  dialog.nToPage = dialog.nMaxPage;
  PrintChoice choice;
  const bool chosen = ::PrintDlgW(&dialog) != FALSE;
  Keep(dialog);
  if (!chosen) return choice;
  choice.dc.reset(dialog.hDC);
  if ((dialog.Flags & PD_PAGENUMS) != 0) {
    choice.fromPage = dialog.nFromPage;
    choice.toPage = dialog.nToPage;
  }
  choice.toFile = (dialog.Flags & PD_PRINTTOFILE) != 0;
  return choice;
}

PrinterDC CPrinterSettings::CreateDC() {
  if (!Ensure()) return nullptr;
  const Locked<DEVNAMES> names(m_devNames);
  const Locked<DEVMODEW> mode(m_devMode);
  if (names.get() == nullptr) return nullptr;
  return PrinterDC(::CreateDCW(NameAt(names.get(), names.get()->wDriverOffset),
                               NameAt(names.get(), names.get()->wDeviceOffset), nullptr, mode.get()));
}

std::wstring CPrinterSettings::PrinterName() {
  if (!Ensure()) return {};
  const Locked<DEVNAMES> names(m_devNames);
  return names.get() != nullptr ? NameAt(names.get(), names.get()->wDeviceOffset) : std::wstring();
}

}  // namespace output::win32
