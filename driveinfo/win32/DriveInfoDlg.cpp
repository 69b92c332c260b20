#include "driveinfo/win32/DriveInfoDlg.h"

#include "framework/CommandFailure.h"
#include "framework/win32/ListBox.h"
#include "platform/win32/Utf16.h"
#include "res/Templates.h"

namespace driveinfo::win32 {

using fw::win32::CListBox;
using fw::win32::CWindow;

namespace {
// The list's one tab stop, in quarters of the average character width: the
// type text lines up under the "Typ" heading.
constexpr int kTypeTabUnits = 80;
}  // namespace

CDriveInfoDlg::CDriveInfoDlg(platform::FileSystem& fs, fw::JobRunner& runner)
    : CDialog(*res::FindDialog(IDD_DRIVEINFO)), m_data(fs) {
  // A drive that stops answering must not freeze the window.
  m_data.SetRunner(runner);
}

const fw::win32::MessageMap* CDriveInfoDlg::GetMessageMap() const {
  namespace Msg = fw::win32::Msg;
  static constexpr fw::win32::MessageEntry entries[] = {Msg::On<&CDriveInfoDlg::OnCommand>(WM_COMMAND)};
  static constexpr fw::win32::MessageMap map{entries, nullptr};
  return &map;
}

bool CDriveInfoDlg::OnInitDialog() {
  const int stop = kTypeTabUnits;
  CListBox(DlgItem(IDC_LIST_DRIVES)).SetTabStops(1, &stop);
  FillDriveList();
  return true;
}

void CDriveInfoDlg::FillDriveList() {
  fw::RunReported([this] { m_data.FillDriveList(); });
  const CListBox list(DlgItem(IDC_LIST_DRIVES));
  list.ResetContent();
  // The list box sorts as it likes; each line keeps the index of its drive.
  int selected = -1;
  for (std::size_t i = 0; i < m_data.Lines().size(); ++i) {
    const int at = list.AddString(platform::win32::Widen(m_data.Lines()[i].Text()).c_str());
    if (at < 0) continue;
    list.SetItemData(at, static_cast<LPARAM>(i));
    if (static_cast<int>(i) == m_data.Selected()) selected = at;
  }
  if (selected >= 0) list.SetCurSel(selected);
  ShowFigures();
}

void CDriveInfoDlg::OnSelchangeDriveList() {
  const CListBox list(DlgItem(IDC_LIST_DRIVES));
  const int at = list.CurSel();
  const int line = at < 0 ? -1 : static_cast<int>(list.ItemData(at));
  fw::RunReported([&] { m_data.Select(line); });
  // The wait may have outlived the window (the program was closed meanwhile).
  if (m_hWnd != nullptr) ShowFigures();
}

void CDriveInfoDlg::ShowFigures() const {
  for (const res::Id id : CDriveInfoData::FieldControls()) {
    CWindow(DlgItem(static_cast<int>(id))).SetText(m_data.FieldText(id));
  }
}

LRESULT CDriveInfoDlg::OnCommand(WPARAM wp, LPARAM) {
  const UINT id = LOWORD(wp);
  if (id == IDC_LIST_DRIVES && HIWORD(wp) == LBN_SELCHANGE) {
    OnSelchangeDriveList();
  } else if (id == IDOK || id == IDCANCEL) {  // Enter, Esc and the close box
    Close();
  }
  return 0;
}

void CDriveInfoDlg::Close() {
  End(IDCANCEL);
  if (m_onClosed) m_onClosed();
}

}  // namespace driveinfo::win32
