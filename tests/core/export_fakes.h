// Stand-ins for the export and print tests: a list with fixed texts,
// scripted answers for the export's questions, a spreadsheet program and a
// print device that record every call, and a catcher for message boxes.
#pragma once

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework/MessageBox.h"
#include "output/ExcelExport.h"
#include "output/ExportUi.h"
#include "output/ListContents.h"
#include "output/PrintDC.h"
#include "platform/FileSystem.h"

namespace exporttest {

class FakeList : public output::CListContents {
 public:
  std::vector<output::ListColumn> columns;
  std::vector<std::vector<std::string>> cells;
  std::set<int> selected;
  mutable int cellReads = 0;
  int RowCount() const override { return static_cast<int>(cells.size()); }
  bool GetColumn(int index, output::ListColumn& out) const override {
    if (index < 0 || index >= ColumnCount()) return false;
    out = columns[static_cast<std::size_t>(index)];
    return true;
  }
  std::string CellText(int row, int column) const override {
    ++cellReads;
    return cells.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
  }
  int ColumnCount() const override { return static_cast<int>(columns.size()); }
  int SelectedCount() const override { return static_cast<int>(selected.size()); }
  bool IsRowSelected(int row) const override { return selected.count(row) != 0; }
};

// A spreadsheet program that writes every call down as a line: "new",
// "width 1 20", "cell 2 1 text", "show", "close".
class RecordingSpreadsheet : public output::Spreadsheet {
 public:
  std::unique_ptr<output::Workbook> NewWorkbook() override;
  bool Logged(const std::string& line) const { return std::find(log.begin(), log.end(), line) != log.end(); }
  std::vector<std::string> log;
  bool available = true;
  int failAtCall = -1;  // the call with this index, "new" counting as 0, is refused
  output::WorkbookError::Kind failure = output::WorkbookError::Kind::kFailed;
};

class RecordingWorkbook : public output::Workbook {
 public:
  explicit RecordingWorkbook(RecordingSpreadsheet& program) : m_program(program) {}
  ~RecordingWorkbook() override { m_program.log.push_back("close"); }
  void SetCell(std::uint32_t row, std::uint32_t column, const std::string& text) override {
    Note("cell " + std::to_string(row) + " " + std::to_string(column) + " " + text);
  }
  void SetColumnWidth(std::uint32_t column, int characters) override {
    Note("width " + std::to_string(column) + " " + std::to_string(characters));
  }
  bool Show() override {
    Note("show");
    return true;
  }

 private:
  void Note(const std::string& line) {
    m_program.log.push_back(line);
    if (static_cast<int>(m_program.log.size()) - 1 == m_program.failAtCall)
      throw output::WorkbookError("Zugriff verweigert (Test)", m_program.failure);
  }
  RecordingSpreadsheet& m_program;
};

inline std::unique_ptr<output::Workbook> RecordingSpreadsheet::NewWorkbook() {
  log.push_back("new");
  return available ? std::make_unique<RecordingWorkbook>(*this) : nullptr;
}

// Answers the export's questions as scripted and counts them.
class ScriptedUi : public output::ExportUi {
 public:
  explicit ScriptedUi(output::Spreadsheet& program) : m_program(&program) {}
  std::optional<bool> selection = false;            // nullopt: Cancel
  std::optional<std::string> file;                  // nullopt: Cancel
  std::vector<std::pair<int, int>> selectionAsked;  // (total, selected)
  int fileAsked = 0;
  std::optional<bool> AskSelection(int total, int selectedCount) override {
    selectionAsked.emplace_back(total, selectedCount);
    return selection;
  }
  std::optional<std::string> AskSaveFile() override {
    ++fileAsked;
    return file;
  }
  output::Spreadsheet& Program() override { return *m_program; }
  platform::FileSystem& Files() override { return platform::FileSystem::Native(); }

 private:
  output::Spreadsheet* m_program;
};

// A print device that writes down every text, rule and font: with measures
// of its own, or passing every call on to the device it is given.
class RecordingDC : public output::PrintDC {
 public:
  struct Text {
    std::string text;
    output::Rect rect;
    unsigned flags;
    bool operator==(const Text&) const = default;
    friend void PrintTo(const Text& t, std::ostream* os) {
      *os << t.text << " " << t.rect.left << "," << t.rect.top << "," << t.rect.right << "," << t.rect.bottom << " "
          << t.flags;
    }
  };
  using Line = std::array<int, 4>;  // from x, y to x, y

  explicit RecordingDC(output::PrintDC* inner = nullptr) : m_inner(inner) {}
  int GetDeviceCaps(output::DeviceCap index) const override {
    using output::DeviceCap;
    if (m_inner != nullptr) return m_inner->GetDeviceCaps(index);
    return index == DeviceCap::kHorzRes ? h : index == DeviceCap::kVertRes ? v : index == DeviceCap::kLogPixelsX ? x : y;
  }
  output::FontSpec SelectFont(const output::FontSpec& font) override {
    selected.push_back(font);
    const output::FontSpec previous = m_inner != nullptr ? m_inner->SelectFont(font) : current;
    current = font;
    return previous;
  }
  // A character height as asked for, or a positive cell height as some
  // devices give it.
  int FontHeight(const output::FontSpec& font) const override {
    return m_inner != nullptr ? m_inner->FontHeight(font) : cellHeights ? -font.height : font.height;
  }
  void DrawText(std::string_view text, const output::Rect& rect, unsigned flags) override {
    texts.push_back({std::string(text), rect, flags});
    if (m_inner != nullptr) m_inner->DrawText(text, rect, flags);
  }
  void MoveTo(int px, int py) override {
    m_at = {px, py};
    if (m_inner != nullptr) m_inner->MoveTo(px, py);
  }
  void LineTo(int px, int py) override {
    lines.push_back({m_at[0], m_at[1], px, py});
    m_at = {px, py};
    if (m_inner != nullptr) m_inner->LineTo(px, py);
  }
  int h = 4800, v = 6800, x = 600, y = 600;
  bool cellHeights = false;
  output::FontSpec current{"System", 12, 400};
  std::vector<output::FontSpec> selected;
  std::vector<Text> texts;
  std::vector<Line> lines;

 private:
  output::PrintDC* m_inner;
  std::array<int, 2> m_at{};
};

// Collects the message boxes shown while it lives.
class MessageCatcher {
 public:
  MessageCatcher()
      : m_previous(fw::SetMessageBoxPresenter([this](const fw::MessageBoxRequest& r) {
          boxes.push_back(r);
          return fw::IDRESULT_OK;
        })) {}
  ~MessageCatcher() { fw::SetMessageBoxPresenter(m_previous); }
  MessageCatcher(const MessageCatcher&) = delete;
  MessageCatcher& operator=(const MessageCatcher&) = delete;
  std::vector<fw::MessageBoxRequest> boxes;

 private:
  fw::MessageBoxPresenter m_previous;
};

}  // namespace exporttest
