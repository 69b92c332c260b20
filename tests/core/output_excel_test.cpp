#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/MessageBox.h"
#include "output/ExcelExport.h"

namespace {

using namespace output;

// Every call and every release, in order, as readable lines.
struct Log {
  std::vector<std::string> lines;
  int failAtCall = -1;  // the call with this index throws
  int calls = 0;
};

std::string Describe(const Variant& v) {
  switch (v.vt) {
    case VT_BOOL: return "BOOL:" + std::to_string(v.iVal);
    case VT_I2: return "I2:" + std::to_string(v.iVal);
    case VT_BSTR: return "BSTR:" + v.bstrVal;
    case VT_DISPATCH: return "DISPATCH";
    default: return "EMPTY";
  }
}

const char* Kind(unsigned short flags) {
  if (flags == (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) return "get";
  if (flags == DISPATCH_METHOD) return "method";
  if (flags == DISPATCH_PROPERTYPUT) return "put";
  return "?";
}

// An object that answers every get and method with a new recording object.
class Recorder : public IDispatchTarget {
 public:
  Recorder(std::shared_ptr<Log> log, std::string name) : m_log(std::move(log)), m_name(std::move(name)) {}
  ~Recorder() override { m_log->lines.push_back("release " + m_name); }

  Variant Invoke(DispId dispid, unsigned short flags, const std::vector<Variant>& args) override {
    std::string line = m_name + " " + Kind(flags) + " " + std::to_string(dispid);
    for (const Variant& a : args) line += " " + Describe(a);
    m_log->lines.push_back(line);
    if (m_log->calls++ == m_log->failAtCall) throw AutomationError("Zugriff verweigert (Test)");
    if (flags == DISPATCH_PROPERTYPUT) return {};
    const std::string child = dispid == xl::kWorksheetRange ? "range " + args.at(0).bstrVal
                              : dispid == xl::kApplicationWorkbooks ? "books"
                              : dispid == xl::kWorkbooksAdd ? "book"
                                                            : "sheet";
    return Variant::Dispatch(std::make_shared<Recorder>(m_log, child));
  }

 private:
  std::shared_ptr<Log> m_log;
  std::string m_name;
};

class RecordingServer : public AutomationServer {
 public:
  std::shared_ptr<IDispatchTarget> CreateDispatch(std::string_view progId) override {
    log->lines.push_back("create " + std::string(progId));
    if (!available) return nullptr;
    return std::make_shared<Recorder>(log, "app");
  }
  std::shared_ptr<Log> log = std::make_shared<Log>();
  bool available = true;
};

class ExcelExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_previous = fw::SetMessageBoxPresenter([this](const fw::MessageBoxRequest& r) {
      m_boxes.push_back(r);
      return fw::IDRESULT_OK;
    });
  }
  void TearDown() override { fw::SetMessageBoxPresenter(m_previous); }

  // Lines of the cells of one row, titles with their width first.
  static void ExpectCell(std::vector<std::string>& out, const std::string& cell,
                         const std::string& text, bool title) {
    if (title) {
      out.push_back("sheet get 197 BSTR:" + cell);
      out.push_back("range " + cell + " put 242 I2:20");
      out.push_back("release range " + cell);
    }
    out.push_back("sheet get 197 BSTR:" + cell);
    out.push_back("range " + cell + " put 6 BSTR:" + text);
    out.push_back("release range " + cell);
  }

  RecordingServer m_server;
  std::vector<fw::MessageBoxRequest> m_boxes;
  fw::MessageBoxPresenter m_previous;
};

TEST_F(ExcelExportTest, MakesTheExactCallSequence) {
  const ExportRows rows = {{"Name", "Pfad", "Dateien", "Bytes", "Verz", "Gesamt"},
                           {"a", "/x", "1", "1.234 Byte", "0", "42"},
                           {"b", "/y", "2", "5 Byte", "", "7"}};
  ASSERT_TRUE(ExportToExcel(rows, m_server));
  std::vector<std::string> expected = {
      "create Excel.Application", "app put 558 BOOL:1", "app get 572",
      "books method 181 I2:-4167", "book get 494 I2:1"};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (std::size_t k = 0; k < rows[i].size(); ++k) {
      const std::string cell = std::string(1, static_cast<char>('A' + k)) + std::to_string(i + 1);
      ExpectCell(expected, cell, rows[i][k], i == 0);
    }
  }
  for (const char* line : {"book put 298 BOOL:1", "release sheet", "release book", "release books",
                           "release app"}) {
    expected.push_back(line);
  }
  EXPECT_EQ(m_server.log->lines, expected);
  EXPECT_TRUE(m_boxes.empty());
}

TEST_F(ExcelExportTest, EveryTextKeepsItsOwnCell) {
  const ExportRows rows = {{"A", "B", "C"}, {"", "tab\there", "x"}};
  ASSERT_TRUE(ExportToExcel(rows, m_server));
  const auto& lines = m_server.log->lines;
  const auto has = [&](const std::string& l) {
    return std::find(lines.begin(), lines.end(), l) != lines.end();
  };
  EXPECT_TRUE(has("range A2 put 6 BSTR:"));
  EXPECT_TRUE(has("range B2 put 6 BSTR:tab\there"));
  EXPECT_TRUE(has("range C2 put 6 BSTR:x"));
  EXPECT_FALSE(has("sheet get 197 BSTR:D2"));
}

TEST_F(ExcelExportTest, ColumnsGoOnAfterZ) {
  ExportRows rows(1);
  for (int k = 0; k < 28; ++k) rows[0].push_back("T" + std::to_string(k + 1));
  ASSERT_TRUE(ExportToExcel(rows, m_server));
  const auto& lines = m_server.log->lines;
  const auto has = [&](const std::string& l) {
    return std::find(lines.begin(), lines.end(), l) != lines.end();
  };
  EXPECT_TRUE(has("range Z1 put 6 BSTR:T26"));
  EXPECT_TRUE(has("range AA1 put 242 I2:20"));
  EXPECT_TRUE(has("range AA1 put 6 BSTR:T27"));
  EXPECT_TRUE(has("range AB1 put 6 BSTR:T28"));
}

TEST_F(ExcelExportTest, MissingComponentShowsTheMessageAndCallsNothingElse) {
  m_server.available = false;
  EXPECT_FALSE(ExportToExcel({{"a"}, {"b"}}, m_server));
  EXPECT_EQ(m_server.log->lines, std::vector<std::string>{"create Excel.Application"});
  ASSERT_EQ(m_boxes.size(), 1u);
  EXPECT_EQ(m_boxes[0].text, "Excel kann nicht ausgef\xc3\xbchrt werden.");
  EXPECT_EQ(m_boxes[0].icon, fw::MsgIcon::kExclamation);
}

TEST_F(ExcelExportTest, FailingCallStopsAndReleasesNewestFirst) {
  m_server.log->failAtCall = 7;  // the Value of A1, after its width
  EXPECT_FALSE(ExportToExcel({{"a", "b"}, {"c", "d"}}, m_server));
  const std::vector<std::string> tail(m_server.log->lines.end() - 6, m_server.log->lines.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"range A1 put 6 BSTR:a", "release range A1",
                                            "release sheet", "release book", "release books",
                                            "release app"}));
  ASSERT_EQ(m_boxes.size(), 1u);
  EXPECT_EQ(m_boxes[0].text, "Zugriff verweigert (Test)");
}

TEST(ExcelHelpersTest, ColumnLetters) {
  EXPECT_EQ(ColumnLetters(1), "A");
  EXPECT_EQ(ColumnLetters(26), "Z");
  EXPECT_EQ(ColumnLetters(27), "AA");
  EXPECT_EQ(ColumnLetters(52), "AZ");
  EXPECT_EQ(ColumnLetters(53), "BA");
  EXPECT_EQ(ColumnLetters(702), "ZZ");
  EXPECT_EQ(ColumnLetters(703), "AAA");
  EXPECT_EQ(ColumnLetters(16384), "XFD");
}

TEST(ExcelHelpersTest, GetFieldCountsEmptyFields) {
  std::string f = "stale";
  EXPECT_TRUE(GetField(f, "a\t\tb", 1, '\t'));
  EXPECT_EQ(f, "a");
  EXPECT_TRUE(GetField(f, "a\t\tb", 2, '\t'));
  EXPECT_EQ(f, "");
  EXPECT_TRUE(GetField(f, "a\t\tb", 3, '\t'));
  EXPECT_EQ(f, "b");
  EXPECT_FALSE(GetField(f, "a\t\tb", 4, '\t'));
  EXPECT_EQ(f, "");
  EXPECT_TRUE(GetField(f, "", 1, '\t'));
  EXPECT_FALSE(GetField(f, "", 2, '\t'));
  EXPECT_FALSE(GetField(f, "a", 0, '\t'));
  EXPECT_TRUE(GetField(f, "x;y;", 3, ';'));
  EXPECT_EQ(f, "");
}

}  // namespace
