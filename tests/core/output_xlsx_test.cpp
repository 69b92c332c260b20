#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "output/ExcelExport.h"
#include "output/XlsxFile.h"
#include "output/XlsxWorkbookServer.h"
#include "tests/core/export_fakes.h"

namespace {

namespace fs = std::filesystem;
using namespace output;

// A Python with openpyxl, or empty.
std::string FindReader() {
  for (const char* python : {"/usr/bin/python3", "python3"}) {
    const std::string probe = std::string(python) + " -c \"import openpyxl\" >/dev/null 2>&1";
    if (std::system(probe.c_str()) == 0) return python;
  }
  return {};
}

std::vector<std::string> ReadBack(const fs::path& workbook, const fs::path& listing) {
  static const std::string python = FindReader();
  if (python.empty()) return {};
  const std::string command = python + " " KOLBRIN_TEST_SCRIPTS "/read_xlsx.py \"" +
                              workbook.string() + "\" \"" + listing.string() + "\"";
  if (std::system(command.c_str()) != 0) return {"reader failed"};
  std::ifstream in(listing);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class XlsxServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!XlsxWorkbookServer::Available()) GTEST_SKIP() << "built without the xlsx writer";
    m_dir = fs::temp_directory_path() /
            ("kolbrin-xlsx-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(m_dir);
    fs::create_directories(m_dir / "out");
  }
  void TearDown() override { fs::remove_all(m_dir); }
  XlsxWorkbookServer Server(bool canOpen, const std::string& folder = "out") {
    return XlsxWorkbookServer(
        [this, canOpen](const std::string& path) {
          m_opened.push_back(path);
          return canOpen;
        },
        m_dir / folder);
  }

  fs::path m_dir;
  std::vector<std::string> m_opened;
  exporttest::MessageCatcher m_messages;
};

TEST_F(XlsxServerTest, WritesEveryCellAsTextAndOpensTheWorkbook) {
  const ExportRows rows = {{"Dateiname", "Dateigr\xc3\xb6\xc3\x9f" "e", "Anzahl"},
                           {"brief.txt", "1.234 Byte", "42"},
                           {"", "tab\there", "\xff" "bad"}};
  auto server = Server(true);
  ASSERT_TRUE(ExportToExcel(rows, server));
  ASSERT_TRUE(m_messages.boxes.empty());
  ASSERT_EQ(m_opened.size(), 1u);
  const fs::path book(m_opened[0]);
  EXPECT_EQ(book.parent_path(), m_dir / "out");
  EXPECT_EQ(book.filename(), "Kolbrin-Export-1.xlsx");

  if (FindReader().empty()) GTEST_SKIP() << "no python3 with openpyxl to read the workbook";
  const std::vector<std::string> expected = {
      "sheets 1",
      "width A 20.7109375", "width B 20.7109375", "width C 20.7109375",
      "cell A1 s \"Dateiname\"", "cell B1 s \"Dateigr\xc3\xb6\xc3\x9f" "e\"", "cell C1 s \"Anzahl\"",
      "cell A2 s \"brief.txt\"", "cell B2 s \"1.234 Byte\"", "cell C2 s \"42\"",
      "cell B3 s \"tab\\there\"", "cell C3 s \"\xef\xbf\xbd" "bad\""};
  EXPECT_EQ(ReadBack(book, m_dir / "listing.txt"), expected);
}

TEST_F(XlsxServerTest, EachExportGetsItsOwnFile) {
  auto server = Server(true);
  ASSERT_TRUE(ExportToExcel({{"a"}}, server));
  ASSERT_TRUE(ExportToExcel({{"b"}}, server));
  ASSERT_EQ(m_opened.size(), 2u);
  EXPECT_NE(m_opened[0], m_opened[1]);
  EXPECT_TRUE(fs::exists(m_opened[0]));
  EXPECT_TRUE(fs::exists(m_opened[1]));
}

TEST_F(XlsxServerTest, NoProgramToOpenItReportsExcelFailedAndLeavesNoFile) {
  auto server = Server(false);
  EXPECT_FALSE(ExportToExcel({{"a"}, {"b"}}, server));
  ASSERT_EQ(m_messages.boxes.size(), 1u);
  EXPECT_EQ(m_messages.boxes[0].text, "Excel kann nicht ausgef\xc3\xbchrt werden.");
  EXPECT_TRUE(fs::is_empty(m_dir / "out"));
}

TEST_F(XlsxServerTest, UnwritableFolderIsReportedWithoutOpening) {
  auto server = Server(true, "missing");
  EXPECT_FALSE(ExportToExcel({{"a"}}, server));
  EXPECT_TRUE(m_opened.empty());
  ASSERT_EQ(m_messages.boxes.size(), 1u);
  EXPECT_EQ(m_messages.boxes[0].text, std::strerror(ENOENT));
}

TEST(XlsxServer, OnlyTheSpreadsheetIdentifierIsServed) {
  XlsxWorkbookServer server([](const std::string&) { return true; }, fs::temp_directory_path());
  EXPECT_EQ(server.CreateDispatch("Word.Application"), nullptr);
  EXPECT_EQ(server.CreateDispatch("Excel.Application") != nullptr, XlsxWorkbookServer::Available());
}

TEST(XlsxTextTest, InvalidUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(ValidUtf8("plain \xc3\xa4 \xe2\x82\xac \xf0\x9f\x98\x80"),
            "plain \xc3\xa4 \xe2\x82\xac \xf0\x9f\x98\x80");
  EXPECT_EQ(ValidUtf8("a\xff" "b"), "a\xef\xbf\xbd" "b");
  EXPECT_EQ(ValidUtf8("\xc3"), "\xef\xbf\xbd");                  // cut short
  EXPECT_EQ(ValidUtf8("\xc0\xaf"), "\xef\xbf\xbd\xef\xbf\xbd");  // overlong
  EXPECT_EQ(ValidUtf8("\xed\xa0\x80"), "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd");  // surrogate
}

}  // namespace
