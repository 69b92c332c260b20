// The text export's lines and the writing of the file: fields kept in their
// columns, an empty list, and targets that cannot be written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "output/ExportTable.h"
#include "tests/core/export_fakes.h"

namespace {

namespace fs = std::filesystem;
using output::CExportTable;

TEST(ExportTable, KeepsEveryFieldInItsColumn) {
  CExportTable table;
  const std::pair<output::ExportRow, std::string> cases[] = {
      {{"", "", "x", ""}, ";;x;\r\n"},  // a leading empty field keeps its separator
      {{}, "\r\n"},
      {{""}, "\r\n"},
      // Separator, quote and line breaks are quoted; tabs, '&' and raw bytes are not.
      {{"a;b", "say \"hi\"", "two\nlines", "cr\r"}, "\"a;b\";\"say \"\"hi\"\"\";\"two\nlines\";\"cr\r\"\r\n"},
      {{"tab\there", "R&D", "\xff\xfe"}, "tab\there;R&D;\xff\xfe\r\n"}};
  for (const auto& [row, line] : cases) EXPECT_EQ(table.FormatLine(row), line);
  table.m_chSeparator = ',';
  EXPECT_EQ(table.FormatLine({"a;b", "c,d"}), "a;b,\"c,d\"\r\n");
}

class ExportTableFile : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(m_dir)) names.push_back(e.path().filename().string());
    return names;
  }
  const fs::path m_dir = fs::temp_directory_path() / ("kolbrin-exporttable-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  exporttest::MessageCatcher m_messages;
};

TEST_F(ExportTableFile, EmptyListGivesAnEmptyFileInPlaceOfTheOld) {
  const fs::path file = m_dir / "out.txt";
  std::ofstream(file) << "old contents that must go";
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  // 0640 where the system keeps POSIX modes (not the 0644 a new file gets);
  // Windows keeps only a read-only flag and reports the mode that gives.
  const fs::perms before = fs::status(file).permissions() & fs::perms::all;
  CExportTable table;
  ASSERT_TRUE(table.WriteToFile(file.string(), {}));
  EXPECT_EQ(fs::file_size(file), 0u);
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, before);
  ASSERT_TRUE(table.WriteToFile(file.string(), {{}, {"x"}}));
  EXPECT_EQ(fs::file_size(file), 5u);  // "\r\nx\r\n"
  EXPECT_TRUE(m_messages.boxes.empty());
}

TEST_F(ExportTableFile, TargetsThatCannotBeWrittenAreReportedAndLeftAlone) {
  fs::create_directory(m_dir / "taken");  // a folder of that name is not a file to write
  std::ofstream(m_dir / "taken" / "inside") << "keep";
  const std::pair<fs::path, std::string> cases[] = {
      {m_dir / "no-such-dir" / "out.txt", "Dateifehler: Der Ordner existiert nicht"},
      {m_dir / std::string(300, 'n'), ""},  // an overlong name: in the words of the system
      {m_dir / "taken", "Dateifehler: Unter diesem Namen besteht ein Ordner"}};
  for (const auto& [target, text] : cases) {
    m_messages.boxes.clear();
    EXPECT_FALSE(CExportTable().WriteToFile(target.string(), {{"a", "b"}})) << target;
    ASSERT_EQ(m_messages.boxes.size(), 1u) << target;
    EXPECT_EQ(m_messages.boxes[0].text.rfind("Dateifehler: ", 0), 0u);
    EXPECT_EQ(text.empty() ? text : m_messages.boxes[0].text, text);
    EXPECT_EQ(m_messages.boxes[0].title, "Kolbrin");
    EXPECT_EQ(m_messages.boxes[0].icon, fw::MsgIcon::kStop);
  }
  EXPECT_EQ(fs::file_size(m_dir / "taken" / "inside"), 4u);
  EXPECT_EQ(Entries(), std::vector<std::string>{"taken"});
}

}  // namespace
