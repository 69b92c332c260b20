// The system's dialog for the name of a file to open or to save, over
// GetOpenFileNameW and GetSaveFileNameW. The filter is given as resources
// keep it, "Description|*.ext||"; the current directory stays as it was.
#pragma once

#include <string>
#include <vector>

#include "framework/win32/WinApi.h"

namespace fw::win32 {

class CFileDialog {
 public:
  // defaultExtension is added to a name typed without one ("txt", no dot);
  // flags are OFN_ flags such as OFN_OVERWRITEPROMPT.
  CFileDialog(bool open, std::wstring defaultExtension, std::wstring filter, DWORD flags);

  // True when the user chose a file.
  bool DoModal(HWND owner);
  // The full path chosen, as UTF-8.
  std::string PathName() const;

 private:
  bool m_open;
  std::wstring m_defaultExtension;
  std::wstring m_filter;  // the parts split by NUL, as the system wants them
  DWORD m_flags;
  std::vector<wchar_t> m_file;
};

}  // namespace fw::win32
