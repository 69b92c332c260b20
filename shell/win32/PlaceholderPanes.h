// Empty panes that hold the places of the views still to come: a white,
// sunken window named after the pane, which takes the focus when clicked.
#pragma once

#include <memory>
#include <vector>

#include "framework/win32/WindowImpl.h"
#include "shell/win32/PaneFactory.h"

namespace shell::win32 {

class CPlaceholderPane : public fw::win32::CWindowImpl {
 protected:
  fw::win32::WindowClass GetWindowClass() const override;
  const fw::win32::MessageMap* GetMessageMap() const override;

 private:
  LRESULT OnLButtonDown(WPARAM, LPARAM);
};

class CPlaceholderPanes : public CPaneFactory {
 public:
  PaneWindow CreatePane(PaneSlot slot, HWND parent, CKolbrinDoc& doc) override;

 private:
  std::vector<std::unique_ptr<CPlaceholderPane>> m_panes;
};

}  // namespace shell::win32
