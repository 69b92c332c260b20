// A window whose messages this program handles through message tables:
// the object behind a handle is kept in the handle's GWLP_USERDATA, set
// here and nowhere else.
#pragma once

#include "framework/win32/MessageMap.h"
#include "framework/win32/Window.h"

namespace fw::win32 {

class CMessageWindow : public CWindow {
 public:
  CMessageWindow() = default;
  CMessageWindow(const CMessageWindow&) = delete;
  CMessageWindow& operator=(const CMessageWindow&) = delete;
  virtual ~CMessageWindow();

 protected:
  // The object of a window of this program's own classes (others are never
  // asked), else null.
  static CMessageWindow* FromHandle(HWND hwnd);

  virtual const MessageMap* GetMessageMap() const { return nullptr; }

  // Runs the handler of the message from the tables; false when there is
  // none.
  bool Dispatch(UINT message, WPARAM wp, LPARAM lp, LRESULT& result);

  // Ties the handle to this object, or unties it (the window is going).
  void Attach(HWND hwnd);
  void Detach();
};

}  // namespace fw::win32
