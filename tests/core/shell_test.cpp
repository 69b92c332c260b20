// The framework and the shell without widgets: command routing and update,
// message boxes, dialog units and the window placement.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "framework/AppMessageBox.h"
#include "framework/CmdUI.h"
#include "framework/DialogUnits.h"
#include "framework/FrameWnd.h"
#include "shell/KolbrinDoc.h"
#include "shell/WindowPlacement.h"
#include "tests/core/export_fakes.h"

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
  void OnUpdate(fw::CView*, const fw::UpdateHint& h) override {
    const auto* doc = static_cast<const fw::CPathDocument*>(GetDocument());
    g_log.push_back(m_name + ":update " + (h.IsRepaintOnly() ? std::string() : doc->Path()));
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
  void OnApp() { g_log.emplace_back("app"); }
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

TEST_F(Routing, ActiveViewFirstThenTheApplicationThenOtherViewsInViewOrderAndUpdatesSkipTheSender) {
  EXPECT_TRUE(Run(kIdRange + 2));  // no active view: every view in order; a range passes the id
  frame.SetActiveView(&dirs);
  for (UINT id : {kIdShared, kIdListOnly, kIdApp}) EXPECT_TRUE(Run(id)) << id;
  frame.SetActiveView(&tree);
  EXPECT_TRUE(Run(kIdListOnly));  // the tree lacks it: the file list, first in view order
  EXPECT_FALSE(Run(kIdNobody));
  EXPECT_EQ(g_log, (Log{"files:range512", "dirs:shared", "dirs:list", "app", "files:list"}));
  EXPECT_FALSE(shell::CKolbrinDoc().RouteCommandToViews(nullptr, kIdShared, fw::CN_COMMAND, nullptr, nullptr));
  g_log.clear();
  doc.SetPath(&tree, "/d");  // every view but the sender
  EXPECT_EQ(g_log, (Log{"files:update /d", "dirs:update /d"}));
}

// The update asks the view that would execute the command; a command
// without an update handler is enabled when some target would execute it.
TEST_F(Routing, UpdateFollowsTheViewThatWouldExecuteAndExecutesNothing) {
  dirs.m_rows = 5;
  frame.SetActiveView(&dirs);
  EXPECT_EQ(State(kIdListOnly), std::pair(true, 1));
  frame.SetActiveView(&tree);  // now the empty file list decides
  EXPECT_EQ((std::vector{State(kIdListOnly), State(kIdShared), State(kIdApp), State(kIdNobody)}),
            (std::vector<std::pair<bool, int>>{{false, 0}, {true, 0}, {true, 0}, {false, 0}}));
  EXPECT_TRUE(g_log.empty());
}

using shell::WindowRect;

class MapProfile : public shell::CProfile {
 public:
  std::int32_t GetProfileInt(std::string_view s, std::string_view k, std::int32_t d) override {
    const auto it = values.find(std::string(s) + "/" + std::string(k));
    return it == values.end() ? d : it->second;
  }
  void WriteProfileInt(std::string_view s, std::string_view k, std::int32_t v) override {
    values[std::string(s) + "/" + std::string(k)] = v;
    order.push_back(std::string(k));
  }
  std::map<std::string, std::int32_t> values;
  std::vector<std::string> order;
};

TEST(WindowPlacement, FirstStartCoversTheMiddleEightyPercentAndSavingWritesFiveValues) {
  MapProfile p;
  const auto wp = shell::RestoreWindowPlacement(p, 1920, 1080);
  EXPECT_EQ(wp.rcNormal, (WindowRect{192, 108, 1728, 972}));
  EXPECT_EQ(wp.showCmd, shell::ShowCmd::kNormal);
  EXPECT_TRUE(p.order.empty()) << "restoring writes nothing";
  const auto s = shell::InitialSplitterSizes(1000, 800);  // 32 pixels each for toolbar and status bar
  EXPECT_EQ(std::pair(s.treeWidth, s.listHeight), std::pair(250, 368));
  // Saved: five values, minimised as normal, maximised as three, and back.
  shell::SaveWindowPlacement(p, {{1, 2, 3, 4}, shell::ShowCmd::kMinimized});
  EXPECT_EQ(p.order, (std::vector<std::string>{"X0", "Y0", "X1", "Y1", "SHOW"}));
  EXPECT_EQ(p.values["POSITION/SHOW"], 1);
  shell::SaveWindowPlacement(p, {{10, 20, 630, 440}, shell::ShowCmd::kMaximized});
  const auto back = shell::RestoreWindowPlacement(p, 1000, 800);
  EXPECT_EQ(back.showCmd, 3);
  EXPECT_EQ(back.rcNormal, (WindowRect{10, 20, 630, 440}));
}

TEST(WindowPlacement, GuardKeepsVisibleRectsAndReplacesLostOnes) {
  const struct { WindowRect stored; bool kept; } cases[] = {
      {{-500, 10, 400, 500}, true},   // left of the screen but reaching into it
      {{10, 10, 5000, 4000}, true},   // larger than the screen
      {{949, 749, 1200, 900}, true},  // one short of the 50-pixel edges
      {{950, 10, 1200, 500}, false},  // starts within 50 pixels of the right edge
      {{10, 750, 300, 900}, false},   // within 50 pixels of the bottom edge
      {{-300, -300, 1, 1}, true},     // one pixel on the screen
      {{-900, 10, 0, 500}, false},    // wholly left of the screen
      {{10, -700, 300, 0}, false},    // wholly above the screen
      {{300, 10, 300, 500}, false},   // no width
      {{300, 400, 600, 400}, false},  // no height
      {{300, 400, 600, 100}, false}}; // bottom above top
  for (const auto& c : cases) {
    MapProfile p;
    p.values = {{"POSITION/X0", c.stored.left}, {"POSITION/Y0", c.stored.top}, {"POSITION/X1", c.stored.right},
                {"POSITION/Y1", c.stored.bottom}, {"POSITION/SHOW", 3}};
    const auto wp = shell::RestoreWindowPlacement(p, 1000, 800);
    EXPECT_EQ(wp.rcNormal, c.kept ? c.stored : (WindowRect{100, 80, 900, 720})) << c.stored.left << c.stored.right;
    EXPECT_EQ(wp.showCmd, 3) << "the show command is used in either case";
  }
}

TEST(AppMessageBox, KindsChooseIconAndButtonsUnderTheAppTitleUnknownOnesShowNothing) {
  using fw::MsgButtons, fw::MsgIcon;
  const struct { int kind; res::Id text; const char* shown; MsgIcon icon; MsgButtons buttons; } cases[] = {
      {fw::MSG_ERROR, IDS_FILE_ERROR, "Dateifehler: Zugriff verweigert", MsgIcon::kStop, MsgButtons::kOk},
      {fw::MSG_WARNING, 0, "", MsgIcon::kExclamation, MsgButtons::kOk},
      {fw::MSG_INFO, 99999, "", MsgIcon::kInformation, MsgButtons::kOk},  // no such string
      {fw::MSG_YESNO, 0, "", MsgIcon::kQuestion, MsgButtons::kYesNo},
      {fw::MSG_YESNOCANCEL, 0, "", MsgIcon::kQuestion, MsgButtons::kYesNoCancel}};
  exporttest::MessageCatcher messages;
  for (const auto& c : cases) {
    messages.boxes.clear();
    EXPECT_EQ(fw::AppMessageBox(nullptr, c.kind, c.text, "Zugriff verweigert"), fw::IDRESULT_OK) << c.kind;
    ASSERT_EQ(messages.boxes.size(), 1u) << c.kind;
    const fw::MessageBoxRequest& box = messages.boxes[0];
    EXPECT_EQ(std::tuple(box.text, box.title, box.icon, box.buttons),
              std::tuple(c.shown, "Kolbrin", c.icon, c.buttons));
  }
  messages.boxes.clear();
  for (int kind : {0, 3, 7, -1}) EXPECT_EQ(fw::AppMessageBox(nullptr, kind, IDS_FILE_ERROR, "x"), 0) << kind;
  EXPECT_TRUE(messages.boxes.empty());
}

TEST(DialogUnits, ScaleByQuarterWidthAndEighthHeightRounded) {
  const fw::DialogBaseUnits base{7, 13};
  // The about box: 217 x 55 units.
  EXPECT_EQ(fw::DialogRectToPixels(178, 7, 32, 14, base), (fw::PixelRect{312, 11, 56, 23}));
  EXPECT_EQ(fw::DialogXToPixels(217, base), 380);  // 379.75 rounds up
  EXPECT_EQ(fw::DialogYToPixels(55, base), 89);    // 89.375 rounds down
  EXPECT_EQ(fw::DialogXToPixels(-4, base), -7);
  // An unrounded average width: controls meeting in units meet in pixels.
  const fw::DialogBaseUnits scalable{6.41, 12.5};
  const fw::PixelRect left = fw::DialogRectToPixels(1, 1, 1, 1, scalable);
  const fw::PixelRect right = fw::DialogRectToPixels(2, 2, 1, 1, scalable);
  EXPECT_EQ(left, (fw::PixelRect{2, 2, 1, 1}));  // 1.6 to 3.2 across, 1.56 to 3.13 down
  EXPECT_EQ(left.x + left.width, right.x);
  EXPECT_EQ(left.y + left.height, right.y);
}

}  // namespace
