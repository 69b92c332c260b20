// What the user reads after "Dateifehler: " when the export file cannot be
// written on Windows: the program's German description for every cause a
// Windows write meets here (a read-only file is the export dialogs' test).
#include <gtest/gtest.h>

#include <string>

#include "output/ExportTable.h"
#include "platform/FileSystem.h"
#include "platform/Job.h"
#include "platform/win32/Win32Api.h"

namespace {

std::string Failure(const std::string& path) {
  platform::Job job(platform::FileSystem::Native());
  return output::WriteExportFile(job, path, "x\r\n").value_or("(written)");
}

TEST(Win32ExportErrors, EachCauseIsToldInGerman) {
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "kolbrin-errors-" + std::to_string(::GetCurrentProcessId());
  ::CreateDirectoryA(folder.c_str(), nullptr);
  const std::string locked = folder + "\\offen.txt";
  const HANDLE held = ::CreateFileA(locked.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);

  EXPECT_EQ(Failure(folder + "\\fehlt\\liste.txt"), "Der Ordner existiert nicht");
  EXPECT_EQ(Failure(folder), "Unter diesem Namen besteht ein Ordner");
  EXPECT_TRUE(Failure(locked) == "Die Datei wird gerade verwendet" || Failure(locked) == "Zugriff verweigert");
  EXPECT_EQ(Failure(folder + "\\a?b.txt"), "Der Dateiname ist ung\xC3\xBCltig");
  EXPECT_EQ(Failure(folder + "\\" + std::string(300, 'a') + ".txt"), "Der Dateiname ist zu lang");

  ::CloseHandle(held);
  ::DeleteFileA(locked.c_str());
  ::RemoveDirectoryA(folder.c_str());
}

}  // namespace
