// The drive tree's logic against a plain tree control and an in-memory file
// system: which drives appear and which are read, lazy listing, refusal of
// empty expansions, and the paths that selections put into the document.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/PathDocument.h"
#include "tests/support/FakeFileSystem.h"
#include "tests/support/GivingUp.h"
#include "tree/DriveTree.h"
#include "tree/DriveView.h"
#include "tree/TreePath.h"

namespace {

using test_support::NativePath;
using tree::ExpandAction;
using tree::HTREEITEM;
using Texts = std::vector<std::string>;

// The fixture is the tree control, as plain nodes; Expand asks the logic
// first, like the view. Drive roots reach the tree as they are given, so the
// tests give them in the system's spelling, as the real drive list would.
class DriveTree : public ::testing::Test, public tree::CTreeControl {
 protected:
  struct Node {
    Node* parent;
    std::string text;
    int image, selectedImage;
    bool expanded = false;
    std::vector<std::unique_ptr<Node>> children = {};
  };
  static Node* N(HTREEITEM item) { return reinterpret_cast<Node*>(item); }
  static HTREEITEM H(const std::unique_ptr<Node>& node) { return reinterpret_cast<HTREEITEM>(node.get()); }
  Node* Of(HTREEITEM item) const { return item ? N(item) : const_cast<Node*>(&m_root); }
  HTREEITEM InsertItem(std::string_view text, int image, int selImage, HTREEITEM parent, tree::InsertAt at) override {
    auto& kids = Of(parent)->children;
    const auto byText = [](std::string_view t, const auto& n) { return t < n->text; };
    const auto place =
        at == tree::InsertAt::kLast ? kids.end() : std::upper_bound(kids.begin(), kids.end(), text, byText);
    return H(*kids.insert(place, std::make_unique<Node>(Node{Of(parent), std::string(text), image, selImage})));
  }
  void DeleteItem(HTREEITEM item) override {
    std::erase_if(N(item)->parent->children, [&](const auto& n) { return n.get() == N(item); });
  }
  HTREEITEM GetParentItem(HTREEITEM item) const override {
    return N(item)->parent == &m_root ? nullptr : H(N(item)->parent);
  }
  HTREEITEM GetChildItem(HTREEITEM item) const override {
    return Of(item)->children.empty() ? nullptr : H(Of(item)->children.front());
  }
  HTREEITEM GetNextSiblingItem(HTREEITEM item) const override {
    const auto& kids = N(item)->parent->children;
    const auto it = std::find_if(kids.begin(), kids.end(), [&](const auto& n) { return n.get() == N(item); });
    return it + 1 == kids.end() ? nullptr : H(*(it + 1));
  }
  std::string GetItemText(HTREEITEM item) const override { return N(item)->text; }
  void Expand(HTREEITEM item) override {
    Node& node = *N(item);
    if (!node.children.empty() && !node.expanded) node.expanded = !expanding(item, ExpandAction::kExpand);
  }
  bool IsExpanded(HTREEITEM item) const override { return N(item)->expanded; }
  void SelectItem(HTREEITEM item) override {
    selected = item;
    if (view) view->OnSelChanged(item);
  }
  HTREEITEM GetSelectedItem() const override { return selected; }
  void Collapse(HTREEITEM item) {
    N(item)->expanded = false;
    logic.OnItemExpanding(item, ExpandAction::kCollapse);
  }
  static HTREEITEM H(Node* node) { return reinterpret_cast<HTREEITEM>(node); }
  // The item reached by child indexes from the top.
  HTREEITEM At(std::initializer_list<std::size_t> indexes) const {
    HTREEITEM item = nullptr;
    for (std::size_t i : indexes) item = H(Of(item)->children.at(i));
    return item;
  }
  Texts Kids(HTREEITEM item) const {
    Texts out;
    for (const auto& c : Of(item)->children) out.push_back(c->text);
    return out;
  }
  bool PlaceholderOnly(HTREEITEM item) const {
    return Kids(item) == Texts{""} && N(item)->children[0]->children.empty();
  }
  void AddDrives(std::initializer_list<std::pair<const char*, platform::DriveType>> drives) {
    for (const auto& [root, type] : drives) fs.AddDrive(NativePath(root), type);
  }
  Node m_root{nullptr, "", -1, -1};
  test_support::FakeFileSystem fs;
  tree::CDriveTree logic{*this, fs};
  // Who is asked before an item opens: the tree's logic, or a whole view.
  std::function<bool(HTREEITEM, ExpandAction)> expanding = [this](HTREEITEM i, ExpandAction a) {
    return logic.OnItemExpanding(i, a);
  };
  HTREEITEM selected = nullptr;
  tree::CDriveView* view = nullptr;
};

TEST_F(DriveTree, DrivesInOrderOnlyTheFirstFixedOneRead) {
  using namespace platform;
  AddDrives({{"/media/stick/", kDriveRemovable}, {"/", kDriveFixed}, {"/mnt/disk2/", kDriveFixed},
             {"/proc/", kDriveUnknown}, {"/media/cd/", kDriveCdRom}, {"/mnt/net/", kDriveRemote}});
  for (const char* dir : {"/media/stick/in", "/media/cd/in", "/usr/lib", "/mnt/disk2/docs", "/mnt/net/x"})
    fs.AddDirectory(dir);
  fs.AddFile("/etc.txt", 1);
  fs.FailListing("/mnt");  // cannot be probed: no button
  EXPECT_EQ(logic.AddDrives(), 6);
  ASSERT_EQ(Kids(nullptr), (Texts{NativePath("/media/stick/"), NativePath("/"), NativePath("/mnt/disk2/"),
                                  NativePath("/media/cd/"), NativePath("/mnt/net/")}));
  using namespace tree;
  const int images[] = {kImageFloppy, kImageHardDisk, kImageHardDisk, kImageCdRom, kImageHardDisk};
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(N(At({i}))->image, images[i]) << i;
  // Only "/" is open, with its directories and not its files; no other
  // drive is read before the user opens it: one that does not answer must
  // not keep the window from coming up.
  EXPECT_TRUE(N(At({1}))->expanded);
  EXPECT_EQ(Kids(At({1})), (Texts{"media", "mnt", "usr"}));
  for (std::size_t i : {0u, 2u, 3u, 4u}) EXPECT_TRUE(PlaceholderOnly(At({i}))) << i;
  EXPECT_TRUE(PlaceholderOnly(At({1, 0})) && Kids(At({1, 1})).empty());
  EXPECT_EQ(fs.TotalFindFirstCalls(), 5);  // "/" probed and listed, a probe of each of its directories
  // Directory items: closed folder, open folder when selected.
  EXPECT_EQ((std::vector{N(At({1, 2}))->image, N(At({1, 2}))->selectedImage}),
            (std::vector<int>{tree::kImageFolder, tree::kImageOpenFolder}));
}

TEST_F(DriveTree, ExpandingListsAfreshWithOneFullListingAndOneProbePerChild) {
  AddDrives({{"/", platform::kDriveRemovable}});
  for (const char* name : {"c", "a", "b"}) fs.AddDirectory(std::string("/d/") + name + "/deeper/x");
  fs.AddDirectory("/d/leaf");
  fs.AddFile("/d/file", 3);
  logic.AddDrives();
  Expand(At({0}));
  const HTREEITEM d = At({0, 0});
  fs.ResetCounts();
  Expand(d);
  EXPECT_EQ(Kids(d), (Texts{"a", "b", "c", "leaf"}));
  EXPECT_EQ(fs.FullListings("/d"), 1);
  for (const char* name : {"a", "b", "c"}) EXPECT_EQ(fs.PartialListings(std::string("/d/") + name + "/"), 1);
  EXPECT_EQ(fs.FindFirstCalls("/d/leaf"), 1);
  EXPECT_EQ(fs.TotalFindFirstCalls(), 5);
  EXPECT_TRUE(PlaceholderOnly(At({0, 0, 0})) && Kids(At({0, 0, 3})).empty());
  // Collapsing probes again: "a" lost its last subdirectory while open and
  // becomes a leaf; "d" throws its subtree away and the next expansion reads.
  const HTREEITEM a = At({0, 0, 0});
  Expand(a);
  fs.AddFile("/d/a/deeper", 0);
  Collapse(a);
  EXPECT_TRUE(Kids(a).empty());
  Collapse(d);
  EXPECT_TRUE(PlaceholderOnly(d));
  Expand(d);
  EXPECT_EQ(fs.FullListings("/d"), 2);
  EXPECT_EQ(Kids(d).size(), 4u);
}

TEST_F(DriveTree, EmptyExpansionsAreRefused) {
  AddDrives({{"/", platform::kDriveFixed}, {"/media/floppy/", platform::kDriveRemovable}});
  fs.AddDirectory("/gone/only");
  fs.AddFile("/media/floppy/readme.txt", 5);
  logic.AddDrives();
  const HTREEITEM gone = At({0, 0}), floppy = At({1});
  ASSERT_TRUE(PlaceholderOnly(gone));
  // The only subdirectory went away after the probe: refused, now a leaf.
  fs.AddFile("/gone/only", 0);
  EXPECT_TRUE(logic.OnItemExpanding(gone, ExpandAction::kExpand) && Kids(gone).empty());
  // A drive whose listing cannot start gets its placeholder back; with a
  // medium that holds files only, the button goes for good.
  fs.FailListing("/media/floppy");
  EXPECT_TRUE(logic.OnItemExpanding(floppy, ExpandAction::kExpand) && PlaceholderOnly(floppy));
  fs.FailListing("/media/floppy", false);
  EXPECT_TRUE(logic.OnItemExpanding(floppy, ExpandAction::kExpand) && Kids(floppy).empty());
  // A directory whose listing cannot start loses its button.
  fs.AddDirectory("/locked/inner");
  Collapse(At({0}));
  EXPECT_TRUE(PlaceholderOnly(At({0})));
  EXPECT_EQ(fs.FindFirstCalls("/"), 2);  // a drive is not probed when it closes
  Expand(At({0}));
  const HTREEITEM locked = At({0, 1});
  ASSERT_EQ(N(locked)->text, "locked");
  fs.FailListing("/locked");
  EXPECT_TRUE(logic.OnItemExpanding(locked, ExpandAction::kExpand) && Kids(locked).empty());
}

// Listings and probes the user gave up waiting for keep the buttons, so
// that they can be tried again.
TEST_F(DriveTree, WhatTheUserGaveUpOnKeepsItsButton) {
  AddDrives({{"/", platform::kDriveFixed}});
  fs.AddDirectory("/a/b");
  fs.AddDirectory("/leaf");
  test_support::GivingUp givingUp;
  logic.SetRunner(givingUp);
  logic.AddDrives();
  EXPECT_TRUE(PlaceholderOnly(At({0})));
  EXPECT_EQ(fs.TotalFindFirstCalls(), 0);
  logic.SetRunner(fw::RunAtOnce());
  Expand(At({0}));
  Expand(At({0, 0}));
  logic.SetRunner(givingUp);
  Collapse(At({0, 0}));
  EXPECT_TRUE(PlaceholderOnly(At({0, 0})) && Kids(At({0, 1})).empty());
  EXPECT_TRUE(logic.OnItemExpanding(At({0, 1}), ExpandAction::kExpand));  // nothing to show yet
  EXPECT_TRUE(PlaceholderOnly(At({0, 1})));
}

// The probes of a large folder are shared among threads: every number of
// them gives the listing of one, each subdirectory probed once.
TEST(DriveTreeListing, AnyNumberOfProbingThreadsGivesTheListingOfOne) {
  test_support::FakeFileSystem fs;
  for (int i = 0; i < 300; ++i) {
    const std::string dir = "/big/d" + std::to_string((i * 7919) % 1000);  // not in name order
    fs.AddDirectory(dir);
    if (i % 3 == 0) fs.AddDirectory(dir + "/inner");
    if (i % 5 == 0) fs.AddFile(dir + "/file", 1);
    if (i % 11 == 0) fs.FailListing(dir);
  }
  fs.AddFile("/big/plain", 1);
  using Listed = std::vector<std::pair<std::string, bool>>;
  const auto read = [&fs](unsigned threads) {
    fs.ResetCounts();
    platform::Job job(fs);
    const tree::SubdirListing listing = tree::SubdirListing::Read(fs, job, NativePath("/big"), threads);
    EXPECT_EQ(listing.outcome, tree::SubdirListing::Outcome::kListed);
    Listed out;
    for (const auto& s : listing.subdirs) out.emplace_back(s.name, s.hasSubdirs);
    return out;
  };
  const Listed one = read(1);
  ASSERT_EQ(one.size(), 300u);
  EXPECT_EQ(std::count_if(one.begin(), one.end(), [](const auto& s) { return s.second; }), 100 - 10);
  for (const unsigned threads : {2u, 8u}) {
    EXPECT_EQ(read(threads), one) << threads;
    EXPECT_EQ(fs.TotalFindFirstCalls(), 301) << threads;
  }
}

TEST_F(DriveTree, NamesKeepTheirBytesAndPathsUseSingleSeparators) {
  AddDrives({{"/", platform::kDriveFixed}, {"/mnt/data/", platform::kDriveRemote}});
  const std::string latin1 = "M\xfcll";  // not valid UTF-8
  for (const std::string& name : {std::string("/.x"), std::string("/..x"), "/" + latin1, std::string("/a;b\tc")})
    fs.AddDirectory(name);
  fs.AddDirectory("/.hidden", platform::kAttrDirectory | platform::kAttrHidden);
  fs.AddDirectory("/name/sub/deep");
  fs.AddDirectory("/mnt/data/sub");
  logic.AddDrives();
  EXPECT_EQ(Kids(At({0})), (Texts{"..x", ".hidden", ".x", latin1, "a;b\tc", "mnt", "name"}));
  Expand(At({0, 6}));
  Expand(At({0, 6, 0}));
  Expand(At({1}));
  const std::pair<HTREEITEM, std::string> paths[] = {{At({0}), "/"}, {At({0, 3}), "/" + latin1}, {At({0, 6}), "/name"},
                                                     {At({0, 6, 0, 0}), "/name/sub/deep"}, {At({1}), "/mnt/data/"},
                                                     {At({1, 0}), "/mnt/data/sub"}};
  for (const auto& [item, path] : paths) EXPECT_EQ(logic.GetItemPath(item), NativePath(path));
}

// The view selects the first fixed drive, opens the way to a start
// directory one level at a time as the user would, stops above a directory
// it cannot list, and selects what it reached; the selection puts the
// item's path in the document.
TEST_F(DriveTree, TheViewOpensTheWayToAPathAndTheSelectionReachesTheDocument) {
  AddDrives({{"/media/stick/", platform::kDriveRemovable}, {"/", platform::kDriveFixed},
             {"/mnt/x/", platform::kDriveFixed}});
  fs.AddDirectory("/a/b/c");
  fs.AddDirectory("/mnt/x/y");
  fs.FailListing("/a/b");
  fw::CPathDocument doc(fs);
  tree::CDriveView treeView(doc, fw::RunAtOnce());
  view = &treeView;
  expanding = [&treeView](HTREEITEM i, ExpandAction a) { return treeView.OnItemExpanding(i, a); };
  treeView.Start(*this);
  treeView.ReselectCurrent();  // the first fixed drive
  EXPECT_EQ(doc.Path(), NativePath("/"));
  treeView.ReselectCurrent();  // something is selected: nothing changes
  EXPECT_EQ(selected, At({1}));
  EXPECT_TRUE(treeView.SelectPath(NativePath("/a/b/c")));
  EXPECT_EQ(doc.Path(), NativePath("/a/b"));  // "b" cannot be listed: it is as far as the way goes
  EXPECT_TRUE(treeView.SelectPath(NativePath("/mnt/x/y")));
  EXPECT_EQ(std::pair(doc.Path(), N(selected)->text), std::pair(NativePath("/mnt/x/y"), std::string("y")));
  EXPECT_FALSE(treeView.SelectPath("relative"));
}

// A directory to open at start is reached from the drive with the longest
// root that holds it, one name per level.
TEST(DriveTreePath, PathToOpenStartsAtTheInnermostDrive) {
  const Texts roots = {NativePath("/"), NativePath("/home/")};
  using Way = std::pair<std::size_t, Texts>;
  for (const auto& [path, way] : {std::pair<const char*, Way>{"/home/user/x", {1, {"user", "x"}}}, {"/home", {1, {}}},
                                  {"/homework", {0, {"homework"}}}, {"/usr//share/", {0, {"usr", "share"}}}}) {
    const auto found = tree::SplitTreePath(NativePath(path), roots);
    ASSERT_TRUE(found.has_value()) << path;
    EXPECT_EQ(Way(found->drive, found->names), way) << path;
  }
  EXPECT_FALSE(tree::SplitTreePath("relative/path", roots).has_value());
}

}  // namespace
