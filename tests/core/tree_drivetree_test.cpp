// The drive tree's logic against a plain tree control and an in-memory file
// system: which drives appear and which are read, lazy listing, refusal of
// empty expansions, and the paths that selections put into the document.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "tests/support/FakeFileSystem.h"
#include "tree/DriveTree.h"
#include "tree/TreePath.h"

namespace {

using test_support::NativePath;
using tree::ExpandAction;
using tree::HTREEITEM;
using Texts = std::vector<std::string>;

// A tree control as plain nodes; Expand asks the logic first, like the view.
class FakeTreeControl : public tree::CTreeControl {
 public:
  struct Node {
    Node* parent = nullptr;
    std::string text;
    int image = -1, selectedImage = -1;
    bool expanded = false;
    std::vector<std::unique_ptr<Node>> children;
  };
  static Node* N(HTREEITEM item) { return reinterpret_cast<Node*>(item); }
  static HTREEITEM H(Node* node) { return reinterpret_cast<HTREEITEM>(node); }
  Node* Of(HTREEITEM item) { return item ? N(item) : &root; }

  HTREEITEM InsertItem(std::string_view text, int image, int selectedImage, HTREEITEM parent,
                       tree::InsertAt where) override {
    auto& siblings = Of(parent)->children;
    auto at = where == tree::InsertAt::kLast ? siblings.end()
                                             : std::upper_bound(siblings.begin(), siblings.end(), text,
                                                                [](auto t, const auto& n) { return t < n->text; });
    return H(siblings.insert(at, std::make_unique<Node>(Node{Of(parent), std::string(text), image, selectedImage, false, {}}))->get());
  }
  void DeleteItem(HTREEITEM item) override {
    std::erase_if(N(item)->parent->children, [&](const auto& n) { return n.get() == N(item); });
  }
  HTREEITEM GetParentItem(HTREEITEM item) const override { return N(item)->parent == &root ? nullptr : H(N(item)->parent); }
  HTREEITEM GetChildItem(HTREEITEM item) const override {
    const auto& children = item ? N(item)->children : root.children;
    return children.empty() ? nullptr : H(children.front().get());
  }
  HTREEITEM GetNextSiblingItem(HTREEITEM item) const override {
    const auto& siblings = N(item)->parent->children;
    for (std::size_t i = 0; i + 1 < siblings.size(); ++i)
      if (siblings[i].get() == N(item)) return H(siblings[i + 1].get());
    return nullptr;
  }
  std::string GetItemText(HTREEITEM item) const override { return N(item)->text; }
  void Expand(HTREEITEM item) override {
    if (N(item)->children.empty() || N(item)->expanded) return;
    if (!logic->OnItemExpanding(item, ExpandAction::kExpand)) N(item)->expanded = true;
  }
  void Collapse(HTREEITEM item) {
    N(item)->expanded = false;
    logic->OnItemExpanding(item, ExpandAction::kCollapse);
  }

  HTREEITEM Top(std::size_t i) { return H(root.children.at(i).get()); }
  static HTREEITEM Child(HTREEITEM item, std::size_t i) { return H(N(item)->children.at(i).get()); }
  Texts Children(HTREEITEM item) {
    Texts out;
    for (const auto& c : Of(item)->children) out.push_back(c->text);
    return out;
  }
  bool HasPlaceholderOnly(HTREEITEM item) { return Children(item) == Texts{""} && N(item)->children[0]->children.empty(); }

  tree::CDriveTree* logic = nullptr;
  Node root;
};

using T = FakeTreeControl;

// Drive roots reach the tree as they are given, so the tests give them in
// the system's spelling, as the real drive list would.
struct Fixture {
  Fixture() { control.logic = &logic; }
  test_support::FakeFileSystem fs;
  FakeTreeControl control;
  tree::CDriveTree logic{control, fs};
};

TEST(DriveTree, DrivesInOrderOnlyTheFirstFixedOneRead) {
  Fixture f;
  f.fs.AddDrive(NativePath("/media/stick/"), platform::kDriveRemovable);
  f.fs.AddDrive(NativePath("/"), platform::kDriveFixed);
  f.fs.AddDrive(NativePath("/mnt/disk2/"), platform::kDriveFixed);
  f.fs.AddDrive(NativePath("/proc/"), platform::kDriveUnknown);
  f.fs.AddDrive(NativePath("/media/cd/"), platform::kDriveCdRom);
  f.fs.AddDrive(NativePath("/mnt/net/"), platform::kDriveRemote);
  for (const char* dir : {"/media/stick/in", "/media/cd/in", "/usr/lib", "/mnt/disk2/docs", "/mnt/net/x"})
    f.fs.AddDirectory(dir);
  f.fs.AddFile("/etc.txt", 1);
  f.fs.FailListing("/mnt");  // cannot be probed: no button

  EXPECT_EQ(f.logic.AddDrives(), 6);
  ASSERT_EQ(f.control.Children(nullptr), (Texts{NativePath("/media/stick/"), NativePath("/"), NativePath("/mnt/disk2/"),
                                         NativePath("/media/cd/"), NativePath("/mnt/net/")}));
  const int images[] = {tree::kImageFloppy, tree::kImageHardDisk, tree::kImageHardDisk, tree::kImageCdRom,
                        tree::kImageHardDisk};
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(T::N(f.control.Top(i))->image, images[i]) << i;
  // Only "/" is open, with its directories and not its files; no other
  // drive is read before the user opens it: one that does not answer must
  // not keep the window from coming up.
  EXPECT_TRUE(T::N(f.control.Top(1))->expanded);
  EXPECT_EQ(f.control.Children(f.control.Top(1)), (Texts{"media", "mnt", "usr"}));
  for (std::size_t i : {0u, 2u, 3u, 4u}) EXPECT_TRUE(f.control.HasPlaceholderOnly(f.control.Top(i))) << i;
  EXPECT_TRUE(f.control.HasPlaceholderOnly(T::Child(f.control.Top(1), 0)));
  EXPECT_TRUE(f.control.Children(T::Child(f.control.Top(1), 1)).empty());
  EXPECT_EQ(f.fs.TotalFindFirstCalls(), 5);  // "/" probed and listed, a probe of each of its directories
  // Directory items: closed folder, open folder when selected.
  const auto* usr = T::N(T::Child(f.control.Top(1), 2));
  EXPECT_EQ((std::vector{usr->image, usr->selectedImage}), (std::vector<int>{tree::kImageFolder, tree::kImageOpenFolder}));
}

TEST(DriveTree, ExpandingListsAfreshWithOneFullListingAndOneProbePerChild) {
  Fixture f;
  f.fs.AddDrive(NativePath("/"), platform::kDriveRemovable);
  for (const char* name : {"c", "a", "b"}) f.fs.AddDirectory(std::string("/d/") + name + "/deeper/x");
  f.fs.AddDirectory("/d/leaf");
  f.fs.AddFile("/d/file", 3);
  f.logic.AddDrives();
  f.control.Expand(f.control.Top(0));
  const HTREEITEM d = T::Child(f.control.Top(0), 0);
  f.fs.ResetCounts();

  f.control.Expand(d);
  EXPECT_EQ(f.control.Children(d), (Texts{"a", "b", "c", "leaf"}));
  EXPECT_EQ(f.fs.FullListings("/d/*.*"), 1);
  for (const char* name : {"a", "b", "c"}) EXPECT_EQ(f.fs.PartialListings(std::string("/d/") + name + "/*.*"), 1);
  EXPECT_EQ(f.fs.FindFirstCalls("/d/leaf/*.*"), 1);
  EXPECT_EQ(f.fs.TotalFindFirstCalls(), 5);
  EXPECT_TRUE(f.control.HasPlaceholderOnly(T::Child(d, 0)));
  EXPECT_TRUE(f.control.Children(T::Child(d, 3)).empty());

  // Collapsing probes again: "a" lost its last subdirectory while open and
  // becomes a leaf; "d" throws its subtree away and the next expansion reads.
  const HTREEITEM a = T::Child(d, 0);
  f.control.Expand(a);
  f.fs.AddFile("/d/a/deeper", 0);
  f.control.Collapse(a);
  EXPECT_TRUE(f.control.Children(a).empty());
  f.control.Collapse(d);
  EXPECT_TRUE(f.control.HasPlaceholderOnly(d));
  f.control.Expand(d);
  EXPECT_EQ(f.fs.FullListings("/d/*.*"), 2);
  EXPECT_EQ(f.control.Children(d).size(), 4u);
}

TEST(DriveTree, EmptyExpansionsAreRefused) {
  Fixture f;
  f.fs.AddDrive(NativePath("/"), platform::kDriveFixed);
  f.fs.AddDrive(NativePath("/media/floppy/"), platform::kDriveRemovable);
  f.fs.AddDirectory("/gone/only");
  f.fs.AddFile("/media/floppy/readme.txt", 5);
  f.logic.AddDrives();
  const HTREEITEM gone = T::Child(f.control.Top(0), 0);
  ASSERT_TRUE(f.control.HasPlaceholderOnly(gone));

  // The only subdirectory went away after the probe: refused, now a leaf.
  f.fs.AddFile("/gone/only", 0);
  EXPECT_TRUE(f.logic.OnItemExpanding(gone, ExpandAction::kExpand));
  EXPECT_TRUE(f.control.Children(gone).empty());

  // A drive whose listing cannot start gets its placeholder back; with a
  // medium that holds files only, the button goes for good.
  const HTREEITEM floppy = f.control.Top(1);
  f.fs.FailListing("/media/floppy");
  EXPECT_TRUE(f.logic.OnItemExpanding(floppy, ExpandAction::kExpand));
  EXPECT_TRUE(f.control.HasPlaceholderOnly(floppy));
  f.fs.FailListing("/media/floppy", false);
  EXPECT_TRUE(f.logic.OnItemExpanding(floppy, ExpandAction::kExpand));
  EXPECT_TRUE(f.control.Children(floppy).empty());

  // A directory whose listing cannot start loses its button.
  f.fs.AddDirectory("/locked/inner");
  f.control.Collapse(f.control.Top(0));
  EXPECT_TRUE(f.control.HasPlaceholderOnly(f.control.Top(0)));
  EXPECT_EQ(f.fs.FindFirstCalls("/*.*"), 2);  // a drive is not probed when it closes
  f.control.Expand(f.control.Top(0));
  const HTREEITEM locked = T::Child(f.control.Top(0), 1);
  ASSERT_EQ(T::N(locked)->text, "locked");
  f.fs.FailListing("/locked");
  EXPECT_TRUE(f.logic.OnItemExpanding(locked, ExpandAction::kExpand));
  EXPECT_TRUE(f.control.Children(locked).empty());
}

// Listings and probes the user gave up waiting for keep the buttons, so
// that they can be tried again.
TEST(DriveTree, WhatTheUserGaveUpOnKeepsItsButton) {
  Fixture f;
  f.fs.AddDrive(NativePath("/"), platform::kDriveFixed);
  f.fs.AddDirectory("/a/b");
  f.fs.AddDirectory("/leaf");
  f.logic.SetRunner([](const std::function<void()>&) { return false; });
  f.logic.AddDrives();
  EXPECT_TRUE(f.control.HasPlaceholderOnly(f.control.Top(0)));
  EXPECT_EQ(f.fs.TotalFindFirstCalls(), 0);
  f.logic.SetRunner(fw::RunAtOnce);
  f.control.Expand(f.control.Top(0));
  const HTREEITEM a = T::Child(f.control.Top(0), 0), leaf = T::Child(f.control.Top(0), 1);
  f.control.Expand(a);
  f.logic.SetRunner([](const std::function<void()>&) { return false; });
  f.control.Collapse(a);
  EXPECT_TRUE(f.control.HasPlaceholderOnly(a));
  EXPECT_TRUE(f.control.Children(leaf).empty());
  EXPECT_TRUE(f.logic.OnItemExpanding(leaf, ExpandAction::kExpand));  // nothing to show yet
  EXPECT_TRUE(f.control.HasPlaceholderOnly(leaf));
}

TEST(DriveTree, NamesKeepTheirBytesAndPathsUseSingleSeparators) {
  Fixture f;
  f.fs.AddDrive(NativePath("/"), platform::kDriveFixed);
  f.fs.AddDrive(NativePath("/mnt/data/"), platform::kDriveRemote);
  const std::string latin1 = "M\xfcll";  // not valid UTF-8
  for (const std::string& name : {std::string(".x"), std::string("..x"), latin1, std::string("a;b\tc")})
    f.fs.AddDirectory("/" + name);
  f.fs.AddDirectory("/.hidden", platform::kAttrDirectory | platform::kAttrHidden);
  f.fs.AddDirectory("/name/sub/deep");
  f.fs.AddDirectory("/mnt/data/sub");
  f.logic.AddDrives();
  const HTREEITEM root = f.control.Top(0), name = T::Child(root, 6), data = f.control.Top(1);
  EXPECT_EQ(f.control.Children(root), (Texts{"..x", ".hidden", ".x", latin1, "a;b\tc", "mnt", "name"}));
  f.control.Expand(name);
  f.control.Expand(T::Child(name, 0));
  f.control.Expand(data);
  const std::pair<HTREEITEM, std::string> paths[] = {
      {root, "/"}, {T::Child(root, 3), "/" + latin1}, {name, "/name"}, {T::Child(T::Child(name, 0), 0), "/name/sub/deep"},
      {data, "/mnt/data/"}, {T::Child(data, 0), "/mnt/data/sub"}};
  for (const auto& [item, path] : paths) EXPECT_EQ(f.logic.GetItemPath(item), NativePath(path));
}

// A directory to open at start is reached from the drive with the longest
// root that holds it, one name per level.
TEST(DriveTree, PathToOpenStartsAtTheInnermostDrive) {
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
