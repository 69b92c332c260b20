// The accelerator table of res/ as the system's: keys that send a command
// to the frame before any window sees them. F10 and Alt open the menu bar
// through the system's own handling and need no entry.
#pragma once

#include <span>

#include "framework/win32/WinApi.h"
#include "res/ResourceTypes.h"

namespace fw::win32 {

class CAcceleratorTable {
 public:
  explicit CAcceleratorTable(std::span<const res::Accelerator> keys);
  CAcceleratorTable(const CAcceleratorTable&) = delete;
  CAcceleratorTable& operator=(const CAcceleratorTable&) = delete;
  ~CAcceleratorTable();

  HACCEL Handle() const { return m_hAccel; }
  // True when msg was a key of the table; its command went to window.
  bool Translate(HWND window, MSG& msg) const { return ::TranslateAcceleratorW(window, m_hAccel, &msg) != 0; }

  static ACCEL ToAccel(const res::Accelerator& key);

 private:
  HACCEL m_hAccel = nullptr;
};

}  // namespace fw::win32
