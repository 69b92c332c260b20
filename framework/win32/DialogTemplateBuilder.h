// A dialog template of res/ as the system's extended in-memory template
// (DLGTEMPLATEEX), in the same dialog units, for CreateDialogIndirectParamW
// and DialogBoxIndirectParamW. The template's font is kept; "MS Sans Serif"
// becomes "MS Shell Dlg" as the system itself maps old dialogs. Static
// icons show the program's icon, IDI_MAINFRAME, from the module the dialog
// is created with.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "framework/win32/WinApi.h"
#include "res/ResourceTypes.h"

namespace fw::win32 {

class DialogTemplateBuilder {
 public:
  explicit DialogTemplateBuilder(const res::DialogTemplate& tpl);

  const DLGTEMPLATE* Template() const { return reinterpret_cast<const DLGTEMPLATE*>(m_data.data()); }

  // The window class and styles a control of the template gets.
  static const wchar_t* ControlClass(res::ControlKind kind);
  static DWORD ControlStyle(const res::DialogControl& control);

 private:
  void Word(std::uint16_t w);
  void Dword(std::uint32_t d);
  void Text(std::string_view utf8);
  void AlignToDword();

  std::vector<std::uint16_t> m_words;  // built in 16-bit steps
  std::vector<DWORD> m_data;           // the finished template, DWORD-aligned
};

}  // namespace fw::win32
