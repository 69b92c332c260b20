#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/MessageBox.h"
#include "output/ExportTable.h"

namespace {

namespace fs = std::filesystem;
using output::CExportTable;
using output::ExportRows;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class ExportTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() /
            ("kolbrin-export-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
    m_previous = fw::SetMessageBoxPresenter([this](const fw::MessageBoxRequest& r) {
      m_boxes.push_back(r);
      return fw::IDRESULT_OK;
    });
  }
  void TearDown() override {
    fw::SetMessageBoxPresenter(m_previous);
    fs::remove_all(m_dir);
  }
  // Names in the directory besides the given file.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(m_dir)) names.push_back(e.path().filename().string());
    return names;
  }

  fs::path m_dir;
  std::vector<fw::MessageBoxRequest> m_boxes;
  fw::MessageBoxPresenter m_previous;
};

TEST_F(ExportTableTest, WritesTitlesAndRowsWithCrLfAndNoBom) {
  const ExportRows rows = {
      {"Dateiname", "Dateigr\xc3\xb6\xc3\x9f" "e", "Attribute"},
      {"brief.txt", "1.234 Byte", "A"},
  };
  const fs::path file = m_dir / "out.txt";
  CExportTable table;
  ASSERT_TRUE(table.WriteToFile(file.string(), rows));
  EXPECT_EQ(ReadAll(file),
            "Dateiname;Dateigr\xc3\xb6\xc3\x9f" "e;Attribute\r\nbrief.txt;1.234 Byte;A\r\n");
  EXPECT_TRUE(m_boxes.empty());
  EXPECT_EQ(Entries(), std::vector<std::string>{"out.txt"});
}

TEST_F(ExportTableTest, KeepsEveryFieldInItsColumn) {
  CExportTable table;
  // A leading empty field keeps its separator, so columns stay aligned.
  EXPECT_EQ(table.FormatLine({"", "", "x", ""}), ";;x;\r\n");
  EXPECT_EQ(table.FormatLine({}), "\r\n");
  EXPECT_EQ(table.FormatLine({""}), "\r\n");
  // Separator, quote and line breaks are quoted; tabs, '&' and raw bytes are not.
  EXPECT_EQ(table.FormatLine({"a;b", "say \"hi\"", "two\nlines", "cr\r"}),
            "\"a;b\";\"say \"\"hi\"\"\";\"two\nlines\";\"cr\r\"\r\n");
  EXPECT_EQ(table.FormatLine({"tab\there", "R&D", "\xff\xfe"}), "tab\there;R&D;\xff\xfe\r\n");
  table.m_chSeparator = ',';
  EXPECT_EQ(table.FormatLine({"a;b", "c,d"}), "a;b,\"c,d\"\r\n");
}

TEST_F(ExportTableTest, EmptyListGivesEmptyFileAndReplacesTheOld) {
  const fs::path file = m_dir / "out.txt";
  WriteAll(file, "old contents that must go");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  // 0640 where the system keeps POSIX modes (not the 0644 a new file gets);
  // Windows keeps only a read-only flag and reports the mode that gives.
  const fs::perms before = fs::status(file).permissions() & fs::perms::all;
  CExportTable table;
  ASSERT_TRUE(table.WriteToFile(file.string(), {}));
  EXPECT_EQ(fs::file_size(file), 0u);
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, before);
  ASSERT_TRUE(table.WriteToFile(file.string(), {{}, {"x"}}));
  EXPECT_EQ(ReadAll(file), "\r\nx\r\n");
}

TEST_F(ExportTableTest, FileThatCannotBeCreatedIsReported) {
  CExportTable table;
  EXPECT_FALSE(table.WriteToFile((m_dir / "no-such-dir" / "out.txt").string(), {{"a"}}));
  ASSERT_EQ(m_boxes.size(), 1u);
  EXPECT_EQ(m_boxes[0].text, "Dateifehler: Der Ordner existiert nicht");
  EXPECT_EQ(m_boxes[0].title, "Kolbrin");
  EXPECT_EQ(m_boxes[0].icon, fw::MsgIcon::kStop);
  // An overlong name likewise.
  EXPECT_FALSE(table.WriteToFile((m_dir / std::string(300, 'n')).string(), {{"a"}}));
  EXPECT_EQ(m_boxes.size(), 2u);
  EXPECT_TRUE(Entries().empty());
}

TEST_F(ExportTableTest, TargetThatCannotBeReplacedStaysAndIsReported) {
  // A directory of that name is not a file to write.
  const fs::path target = m_dir / "taken";
  fs::create_directory(target);
  WriteAll(target / "inside", "keep");
  CExportTable table;
  EXPECT_FALSE(table.WriteToFile(target.string(), {{"a", "b"}}));
  EXPECT_EQ(ReadAll(target / "inside"), "keep");
  EXPECT_EQ(Entries(), std::vector<std::string>{"taken"});
  ASSERT_EQ(m_boxes.size(), 1u);
  EXPECT_EQ(m_boxes[0].text, "Dateifehler: Unter diesem Namen besteht ein Ordner");
}

}  // namespace
