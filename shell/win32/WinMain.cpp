// Kolbrin for Windows: the command line as on Linux (kolbrin [VERZEICHNIS],
// --help, --version), its texts in message boxes since a program of the
// window subsystem has no console; then the application.
#include <memory>
#include <string>
#include <vector>

#include "framework/StringTable.h"
#include "framework/win32/ResText.h"
#include "framework/win32/WinApi.h"

#include <shellapi.h>

#include "platform/win32/Utf16.h"
#include "shell/StartArguments.h"
#include "shell/win32/KolbrinApp.h"
#include "shell/win32/RegistryProfile.h"
#include "shell/win32/ViewPanes.h"

namespace {

using platform::win32::Narrow;
using platform::win32::Widen;

std::vector<std::string> Arguments() {
  int count = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(Narrow(argv[i]));
  ::LocalFree(argv);
  return args;
}

int Box(const std::string& text, UINT icon) {
  return ::MessageBoxW(nullptr, Widen(text).c_str(), fw::win32::ResText(IDS_APP_TITLE).c_str(), MB_OK | icon);
}

// The directory's full path; a missing one or a file is told, and the
// program starts without it.
std::string ResolveDirectory(const std::string& argument) {
  const std::wstring given = Widen(argument);
  wchar_t full[32768] = {};
  const DWORD length = ::GetFullPathNameW(given.c_str(), 32768, full, nullptr);
  const DWORD attributes = length > 0 && length < 32768 ? ::GetFileAttributesW(full) : INVALID_FILE_ATTRIBUTES;
  if (argument.empty() || attributes == INVALID_FILE_ATTRIBUTES) {
    Box(shell::FormatArgs(fw::LoadResString(IDS_CMDLINE_MISSING), argument), MB_ICONEXCLAMATION);
    return {};
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    Box(shell::FormatArgs(fw::LoadResString(IDS_CMDLINE_NOT_A_DIRECTORY), argument), MB_ICONEXCLAMATION);
    return {};
  }
  return Narrow(full);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const std::vector<std::string> args = Arguments();
  const shell::StartArguments start = shell::ParseStartArguments(args, "kolbrin");
  switch (start.action) {
    case shell::StartArguments::Action::kHelp:
    case shell::StartArguments::Action::kVersion: Box(start.text, MB_ICONINFORMATION); return 0;
    case shell::StartArguments::Action::kUsageError: Box(start.text, MB_ICONHAND); return 2;
    case shell::StartArguments::Action::kStart: break;
  }
  const std::string directory = start.directory.empty() ? std::string() : ResolveDirectory(start.directory);

  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES |
                                           ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&icc);
  shell::win32::CKolbrinApp app(std::make_unique<shell::win32::CRegistryProfile>(L"Software\\Ostrana\\Kolbrin"),
                                std::make_unique<shell::win32::CViewPanes>());
  app.SetStartDirectory(directory);
  if (!app.InitInstance()) return 1;
  const int rc = app.Run();
  app.ExitInstance();
  return rc;
}
