// A dialog made from a template of res/: modal (DoModal) or modeless
// (Create, then shown by the caller). OK and Cancel end a modal dialog and
// destroy a modeless one unless a subclass handles them itself. A modeless
// dialog's keys (Tab, Return, Esc) need PreTranslateMessage in the message
// loop. Message table handlers return the message's result, as window
// procedures do; set-up belongs in OnInitDialog, not in a WM_INITDIALOG
// entry.
#pragma once

#include "framework/win32/DialogTemplateBuilder.h"
#include "framework/win32/MessageWindow.h"

namespace fw::win32 {

class CDialog : public CMessageWindow {
 public:
  explicit CDialog(const res::DialogTemplate& tpl) : m_template(tpl) {}
  ~CDialog() override;

  INT_PTR DoModal(HWND parent);
  bool Create(HWND parent);
  bool PreTranslateMessage(MSG& msg) const { return m_hWnd != nullptr && ::IsDialogMessageW(m_hWnd, &msg); }

  const res::DialogTemplate& Template() const { return m_template; }

 protected:
  // True lets the system put the focus on the first control.
  virtual bool OnInitDialog() { return true; }
  virtual void OnOK() { End(IDOK); }
  virtual void OnCancel() { End(IDCANCEL); }
  void End(INT_PTR result);

 private:
  static INT_PTR CALLBACK DlgProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp);

  const res::DialogTemplate& m_template;
  bool m_modal = false;
};

}  // namespace fw::win32
