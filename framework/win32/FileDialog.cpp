#include "framework/win32/FileDialog.h"

#include <commdlg.h>

#include <algorithm>

#include "platform/win32/Utf16.h"

namespace fw::win32 {

CFileDialog::CFileDialog(bool open, std::wstring defaultExtension, std::wstring filter, DWORD flags)
    : m_open(open),
      m_defaultExtension(std::move(defaultExtension)),
      m_filter(std::move(filter)),
      m_flags(flags | OFN_NOCHANGEDIR),
      m_file(32768, L'\0') {  // room for a long path
  std::replace(m_filter.begin(), m_filter.end(), L'|', L'\0');
}

bool CFileDialog::DoModal(HWND owner) {
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = m_filter.c_str();
  ofn.lpstrFile = m_file.data();
  ofn.nMaxFile = static_cast<DWORD>(m_file.size());
  ofn.lpstrDefExt = m_defaultExtension.empty() ? nullptr : m_defaultExtension.c_str();
  ofn.Flags = m_flags;
  const BOOL chosen = m_open ? ::GetOpenFileNameW(&ofn) : ::GetSaveFileNameW(&ofn);
  return chosen && m_file[0] != L'\0';
}

std::string CFileDialog::PathName() const { return platform::win32::Narrow(m_file.data()); }

}  // namespace fw::win32
