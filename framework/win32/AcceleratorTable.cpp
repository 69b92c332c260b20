#include "framework/win32/AcceleratorTable.h"

#include <vector>

namespace fw::win32 {

ACCEL CAcceleratorTable::ToAccel(const res::Accelerator& key) {
  ACCEL a{};
  a.fVirt = FVIRTKEY;
  if (key.modifiers & res::kCtrl) a.fVirt |= FCONTROL;
  if (key.modifiers & res::kShift) a.fVirt |= FSHIFT;
  if (key.modifiers & res::kAlt) a.fVirt |= FALT;
  // Printable keys are given in upper case, which is their virtual-key code.
  a.key = static_cast<WORD>(key.key >= res::kFunctionKeyBase ? VK_F1 + (key.key - res::kFunctionKeyBase - 1)
                                                             : key.key);
  a.cmd = static_cast<WORD>(key.id);
  return a;
}

CAcceleratorTable::CAcceleratorTable(std::span<const res::Accelerator> keys) {
  std::vector<ACCEL> table;
  for (const res::Accelerator& key : keys) table.push_back(ToAccel(key));
  m_hAccel = ::CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
}

CAcceleratorTable::~CAcceleratorTable() {
  if (m_hAccel != nullptr) ::DestroyAcceleratorTable(m_hAccel);
}

}  // namespace fw::win32
