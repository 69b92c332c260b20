#include "framework/win32/Dialog.h"

namespace fw::win32 {

namespace {
// Messages whose result a dialog procedure returns itself instead of
// through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
  return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_COMPAREITEM ||
         message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == WM_QUERYDRAGICON ||
         message == WM_INITDIALOG;
}
}  // namespace

CDialog::~CDialog() {
  if (m_hWnd != nullptr && !m_modal) {
    const HWND hwnd = m_hWnd;
    Detach();
    ::DestroyWindow(hwnd);
  }
}

INT_PTR CDialog::DoModal(HWND parent) {
  m_modal = true;
  const DialogTemplateBuilder built(m_template);
  const INT_PTR result = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), built.Template(), parent,
                                                   &CDialog::DlgProc, reinterpret_cast<LPARAM>(this));
  m_modal = false;
  return result;
}

bool CDialog::Create(HWND parent) {
  m_modal = false;
  const DialogTemplateBuilder built(m_template);
  return ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), built.Template(), parent, &CDialog::DlgProc,
                                      reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::End(INT_PTR result) {
  if (m_modal) {
    ::EndDialog(m_hWnd, result);
  } else {
    ::DestroyWindow(m_hWnd);
  }
}

INT_PTR CALLBACK CDialog::DlgProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_INITDIALOG) reinterpret_cast<CDialog*>(lp)->Attach(hwnd);
  auto* self = static_cast<CDialog*>(FromHandle(hwnd));
  if (self == nullptr) return FALSE;
  LRESULT result = 0;
  INT_PTR handled = FALSE;
  if (self->Dispatch(message, wp, lp, result)) {
    // What a handler returns is the message's result.
    if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    handled = TRUE;
  } else if (message == WM_INITDIALOG) {
    handled = self->OnInitDialog() ? TRUE : FALSE;
  } else if (message == WM_COMMAND && LOWORD(wp) == IDOK) {
    self->OnOK();
    handled = TRUE;
  } else if (message == WM_COMMAND && LOWORD(wp) == IDCANCEL) {
    self->OnCancel();
    handled = TRUE;
  }
  if (message == WM_NCDESTROY) self->Detach();
  return handled;
}

}  // namespace fw::win32
