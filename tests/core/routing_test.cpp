// Command routing: handler tables, the framework's first stage and the
// document's second stage over every other view.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/CmdUI.h"
#include "framework/FrameWnd.h"
#include "shell/KolbrinDoc.h"

namespace {

using fw::CCmdUI;
using fw::UINT;

constexpr UINT kIdShared = 500;   // handled by every fake view
constexpr UINT kIdListOnly = 501; // handled by the second view only
constexpr UINT kIdRange = 510;    // range 510..513 on the second view
constexpr UINT kIdNobody = 599;

std::vector<std::string> g_log;

class FakeView : public fw::CView {
 public:
  FakeView(std::string name, bool list) : m_name(std::move(name)), m_list(list) {}
  void OnShared() { g_log.push_back(m_name + ":shared"); }
  void OnListOnly() { g_log.push_back(m_name + ":list"); }
  void OnRange(UINT id) { g_log.push_back(m_name + ":range" + std::to_string(id)); }
  void OnUpdate(fw::CView*, const fw::UpdateHint& hint) override {
    g_log.push_back(m_name + ":update " + hint.Path());
  }
  void OnUpdateListOnly(CCmdUI* ui) {
    ui->Enable(m_rows > 0);
    ui->SetCheck(m_rows > 1);
  }
  int m_rows = 0;

 protected:
  const fw::RouteMap* GetRouteMap() const override {
    using namespace fw::Route;
    static const fw::RouteEntry common[] = {Command<&FakeView::OnShared>(kIdShared)};
    static const fw::RouteEntry list[] = {
        Command<&FakeView::OnListOnly>(kIdListOnly),
        Update<&FakeView::OnUpdateListOnly>(kIdListOnly),
        CommandRange<&FakeView::OnRange>(kIdRange, kIdRange + 3),
    };
    static const fw::RouteMap base{common, nullptr};
    static const fw::RouteMap derived{list, &base};
    return m_list ? &derived : &base;
  }

 private:
  std::string m_name;
  bool m_list;
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
  }
  bool Run(UINT id) { return frame.OnCmdMsg(id, fw::CN_COMMAND, nullptr, nullptr); }
  shell::CKolbrinDoc doc;
  FakeView tree{"tree", false}, files{"files", true}, dirs{"dirs", true};
  Frame frame;
};

TEST_F(Routing, ActiveViewFirstThenOthersInViewOrderSkippingActive) {
  frame.SetActiveView(&dirs);
  EXPECT_TRUE(Run(kIdShared));
  EXPECT_TRUE(Run(kIdListOnly));
  frame.SetActiveView(&tree);
  EXPECT_TRUE(Run(kIdListOnly));  // the tree lacks it: the file list, first in view order
  EXPECT_EQ(g_log, (std::vector<std::string>{"dirs:shared", "dirs:list", "files:list"}));
}

TEST_F(Routing, NoActiveViewOffersEveryViewAndRangesPassTheId) {
  EXPECT_TRUE(Run(kIdRange + 2));
  EXPECT_EQ(g_log, std::vector<std::string>{"files:range512"});
  EXPECT_FALSE(Run(kIdNobody));
}

TEST_F(Routing, UpdateFollowsTheViewThatWouldExecute) {
  files.m_rows = 0;
  dirs.m_rows = 5;
  frame.SetActiveView(&dirs);
  CCmdUI ui(kIdListOnly);
  ui.DoUpdate(&frame, true);
  EXPECT_TRUE(ui.m_bEnabled);
  EXPECT_EQ(ui.m_nCheck, 1);
  frame.SetActiveView(&tree);  // now the empty file list decides
  CCmdUI ui2(kIdListOnly);
  ui2.DoUpdate(&frame, true);
  EXPECT_FALSE(ui2.m_bEnabled);
  EXPECT_EQ(ui2.m_nCheck, 0);
  EXPECT_TRUE(g_log.empty()) << "an update must not execute the command";
}

TEST_F(Routing, CommandWithoutHandlerIsDisabledOneWithHandlerEnabled) {
  CCmdUI none(kIdNobody);
  none.DoUpdate(&frame, true);
  EXPECT_FALSE(none.m_bEnabled);
  CCmdUI shared(kIdShared);  // no update handler, but a command handler
  shared.DoUpdate(&frame, true);
  EXPECT_TRUE(shared.m_bEnabled);
  EXPECT_TRUE(g_log.empty());
}

TEST_F(Routing, UpdateAllViewsSkipsSenderAndAnEmptyDocumentRoutesNothing) {
  doc.UpdateAllViews(&tree, fw::UpdateHint("/d"));
  EXPECT_EQ(g_log, (std::vector<std::string>{"files:update /d", "dirs:update /d"}));
  shell::CKolbrinDoc empty;
  EXPECT_FALSE(empty.RouteCommandToViews(nullptr, kIdShared, fw::CN_COMMAND, nullptr, nullptr));
}

}  // namespace
