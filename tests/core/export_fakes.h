// Stand-ins for the export tests: a list with fixed texts, scripted answers
// for the export's questions, an automation server that records every call,
// and a catcher for message boxes.
#pragma once

#include <algorithm>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework/MessageBox.h"
#include "output/Automation.h"
#include "output/ExcelExport.h"
#include "output/ExportUi.h"
#include "platform/FileSystem.h"
#include "output/ListContents.h"

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

class RecordingServer : public output::AutomationServer {
 public:
  std::shared_ptr<output::IDispatchTarget> CreateDispatch(std::string_view progId) override;
  bool Logged(const std::string& line) const { return std::find(log->begin(), log->end(), line) != log->end(); }
  std::shared_ptr<std::vector<std::string>> log = std::make_shared<std::vector<std::string>>();
  bool available = true;
  int failAtCall = -1;  // the call with this index, counted over all objects, throws
  int calls = 0;
};

// Every call and release as a readable line: "sheet get 197 BSTR:A1".
class Recorder : public output::IDispatchTarget {
 public:
  Recorder(RecordingServer& server, std::string name) : m_server(server), m_name(std::move(name)) {}
  ~Recorder() override { m_server.log->push_back("release " + m_name); }
  output::Variant Invoke(output::DispId dispid, unsigned short flags,
                         const std::vector<output::Variant>& args) override {
    using namespace output;
    std::string line = m_name + (flags == xl::kGet ? " get " : flags == InvokeFlags::kMethod ? " method " : " put ") +
                       std::to_string(dispid);
    for (const Variant& a : args) {
      line += a.vt == VarType::kBool   ? " BOOL:" + std::to_string(a.iVal)
              : a.vt == VarType::kI2   ? " I2:" + std::to_string(a.iVal)
              : a.vt == VarType::kBstr ? " BSTR:" + a.bstrVal
                                       : std::string(" ?");
    }
    m_server.log->push_back(line);
    if (m_server.calls++ == m_server.failAtCall) throw AutomationError("Zugriff verweigert (Test)");
    if (flags == InvokeFlags::kPropertyPut) return {};
    const std::string child = dispid == xl::kWorksheetRange         ? "range " + args.at(0).bstrVal
                              : dispid == xl::kApplicationWorkbooks ? "books"
                              : dispid == xl::kWorkbooksAdd         ? "book"
                                                                    : "sheet";
    return Variant::Dispatch(std::make_shared<Recorder>(m_server, child));
  }

 private:
  RecordingServer& m_server;
  std::string m_name;
};

inline std::shared_ptr<output::IDispatchTarget> RecordingServer::CreateDispatch(std::string_view progId) {
  log->push_back("create " + std::string(progId));
  return available ? std::make_shared<Recorder>(*this, "app") : nullptr;
}

// Answers the export's questions as scripted and counts them.
class ScriptedUi : public output::ExportUi {
 public:
  explicit ScriptedUi(output::AutomationServer& server) : m_server(&server) {}
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
  output::AutomationServer& Server() override { return *m_server; }
  platform::FileSystem& Files() override { return platform::FileSystem::Native(); }

 private:
  output::AutomationServer* m_server;
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
