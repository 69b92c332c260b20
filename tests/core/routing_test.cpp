// Command routing: handler tables, the framework's first stage (active
// view, frame, application) and the document's second stage over every
// other view, and the update of all views.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/CmdUI.h"
#include "framework/FrameWnd.h"
#include "shell/KolbrinDoc.h"

namespace {

using fw::CCmdUI;
using fw::UINT;
using Log = std::vector<std::string>;

constexpr UINT kIdShared = 500;    // handled by every fake view
constexpr UINT kIdListOnly = 501;  // handled by the list views only
constexpr UINT kIdRange = 510;     // range 510..513 on the list views
constexpr UINT kIdApp = 520;       // handled by the application only
constexpr UINT kIdNobody = 599;

Log g_log;

class FakeView : public fw::CView {
 public:
  FakeView(std::string name, bool list) : m_name(std::move(name)), m_list(list) {}
  void OnShared() { g_log.push_back(m_name + ":shared"); }
  void OnListOnly() { g_log.push_back(m_name + ":list"); }
  void OnRange(UINT id) { g_log.push_back(m_name + ":range" + std::to_string(id)); }
  void OnUpdate(fw::CView*, const fw::UpdateHint& hint) override { g_log.push_back(m_name + ":update " + hint.Path()); }
  void OnUpdateListOnly(CCmdUI* ui) {
    ui->Enable(m_rows > 0);
    ui->SetCheck(m_rows > 1);
  }
  int m_rows = 0;

 protected:
  const fw::RouteMap* GetRouteMap() const override {
    using namespace fw::Route;
    static const fw::RouteEntry common[] = {Command<&FakeView::OnShared>(kIdShared)};
    static const fw::RouteEntry list[] = {Command<&FakeView::OnListOnly>(kIdListOnly),
                                          Update<&FakeView::OnUpdateListOnly>(kIdListOnly),
                                          CommandRange<&FakeView::OnRange>(kIdRange, kIdRange + 3)};
    static const fw::RouteMap base{common, nullptr}, derived{list, &base};
    return m_list ? &derived : &base;
  }

 private:
  std::string m_name;
  bool m_list;
};

class App : public fw::CWinApp {
  void OnApp() { g_log.push_back("app"); }
  const fw::RouteMap* GetRouteMap() const override {
    static const fw::RouteEntry entries[] = {fw::Route::Command<&App::OnApp>(kIdApp)};
    static const fw::RouteMap map{entries, nullptr};
    return &map;
  }
};

// The frame as the main frame routes: framework stage, then the views.
class Frame : public fw::CFrameWnd {
 public:
  bool OnCmdMsg(UINT id, int code, void* extra, fw::AFX_CMDHANDLERINFO* info) override {
    if (fw::CFrameWnd::OnCmdMsg(id, code, extra, info)) return true;
    auto* doc = dynamic_cast<shell::CKolbrinDoc*>(GetActiveDocument());
    return doc != nullptr && doc->RouteCommandToViews(GetActiveView(), id, code, extra, info);
  }
};

struct Routing : ::testing::Test {
  void SetUp() override {
    g_log.clear();
    for (auto* v : {&tree, &files, &dirs}) v->SetDocument(&doc);
    frame.SetDocument(&doc);
    frame.SetApp(&app);
  }
  bool Run(UINT id) { return frame.OnCmdMsg(id, fw::CN_COMMAND, nullptr, nullptr); }
  // Enabled and check state of a command's update.
  std::pair<bool, int> State(UINT id) {
    CCmdUI ui(id);
    ui.DoUpdate(&frame, true);
    return {ui.m_bEnabled, ui.m_nCheck};
  }
  shell::CKolbrinDoc doc;
  FakeView tree{"tree", false}, files{"files", true}, dirs{"dirs", true};
  App app;
  Frame frame;
};

TEST_F(Routing, ActiveViewFirstThenTheApplicationThenOtherViewsInViewOrder) {
  EXPECT_TRUE(Run(kIdRange + 2));  // no active view: every view in order; a range passes the id
  frame.SetActiveView(&dirs);
  EXPECT_TRUE(Run(kIdShared));
  EXPECT_TRUE(Run(kIdListOnly));
  EXPECT_TRUE(Run(kIdApp));
  frame.SetActiveView(&tree);
  EXPECT_TRUE(Run(kIdListOnly));  // the tree lacks it: the file list, first in view order
  EXPECT_FALSE(Run(kIdNobody));
  EXPECT_EQ(g_log, (Log{"files:range512", "dirs:shared", "dirs:list", "app", "files:list"}));
  EXPECT_FALSE(shell::CKolbrinDoc().RouteCommandToViews(nullptr, kIdShared, fw::CN_COMMAND, nullptr, nullptr));
}

// The update asks the view that would execute the command; a command
// without an update handler is enabled when some target would execute it.
TEST_F(Routing, UpdateFollowsTheViewThatWouldExecuteAndExecutesNothing) {
  dirs.m_rows = 5;
  frame.SetActiveView(&dirs);
  EXPECT_EQ(State(kIdListOnly), std::pair(true, 1));
  frame.SetActiveView(&tree);  // now the empty file list decides
  EXPECT_EQ(State(kIdListOnly), std::pair(false, 0));
  EXPECT_EQ(State(kIdShared), std::pair(true, 0));
  EXPECT_EQ(State(kIdApp), std::pair(true, 0));
  EXPECT_EQ(State(kIdNobody), std::pair(false, 0));
  EXPECT_TRUE(g_log.empty());
}

TEST_F(Routing, UpdateAllViewsSkipsTheSender) {
  doc.UpdateAllViews(&tree, fw::UpdateHint("/d"));
  EXPECT_EQ(g_log, (Log{"files:update /d", "dirs:update /d"}));
}

}  // namespace
