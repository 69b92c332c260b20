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

// A tree control as plain nodes; Expand asks the logic first, like the view.
class FakeTreeControl : public tree::CTreeControl {
 public:
  struct Node {
    Node* parent = nullptr;
    std::vector<std::unique_ptr<Node>> children;
    std::string text;
    int image = -1, selectedImage = -1;
    bool expanded = false;
  };

  tree::CDriveTree* logic = nullptr;
  Node root;

  static Node* N(HTREEITEM item) { return reinterpret_cast<Node*>(item); }
  Node* Of(HTREEITEM item) const { return item ? N(item) : const_cast<Node*>(&root); }
  static HTREEITEM H(Node* node) { return reinterpret_cast<HTREEITEM>(node); }

  HTREEITEM InsertItem(std::string_view text, int image, int selectedImage, HTREEITEM parent,
                       tree::InsertAt where) override {
    Node* p = Of(parent);
    auto node = std::make_unique<Node>(Node{p, {}, std::string(text), image, selectedImage, false});
    auto at = p->children.end();
    if (where == tree::InsertAt::kSort) {
      at = std::upper_bound(p->children.begin(), p->children.end(), node->text,
                            [](const std::string& t, const auto& n) { return t < n->text; });
    }
    return H(p->children.insert(at, std::move(node))->get());
  }
  void DeleteItem(HTREEITEM item) override {
    auto& siblings = N(item)->parent->children;
    std::erase_if(siblings, [&](const auto& n) { return n.get() == N(item); });
  }
  HTREEITEM GetParentItem(HTREEITEM item) const override {
    Node* p = N(item)->parent;
    return p == &root ? nullptr : H(p);
  }
  HTREEITEM GetChildItem(HTREEITEM item) const override {
    Node* n = Of(item);
    return n->children.empty() ? nullptr : H(n->children.front().get());
  }
  HTREEITEM GetNextSiblingItem(HTREEITEM item) const override {
    auto& siblings = N(item)->parent->children;
    for (size_t i = 0; i + 1 < siblings.size(); ++i)
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

  std::vector<std::string> TopTexts() { return Texts(H(&root)); }
  HTREEITEM Top(size_t i) const { return H(root.children.at(i).get()); }
  static HTREEITEM Child(HTREEITEM item, size_t i) { return H(N(item)->children.at(i).get()); }
  static std::vector<std::string> Texts(HTREEITEM item) {
    std::vector<std::string> out;
    for (const auto& c : N(item)->children) out.push_back(c->text);
    return out;
  }
  static bool HasPlaceholderOnly(HTREEITEM item) {
    const Node* n = N(item);
    return n->children.size() == 1 && n->children[0]->text.empty() && n->children[0]->children.empty();
  }
};

// The fake file system with a drive whose medium can be taken out. Drive
// roots reach the tree as they are given, so the tests give them in the
// system's spelling (NativePath), as the real drive list would.
class MediumFileSystem : public test_support::FakeFileSystem {
 public:
  std::string noMedium;  // a pattern that cannot be listed while set
  std::unique_ptr<platform::FindHandle> FindFirst(std::string_view pattern, platform::FindData& first,
                                                  platform::FindLevel level) override {
    if (!noMedium.empty() && pattern == noMedium) return nullptr;
    return FakeFileSystem::FindFirst(pattern, first, level);
  }
};

using T = FakeTreeControl;

struct Fixture {
  MediumFileSystem fs;
  FakeTreeControl control;
  tree::CDriveTree logic{control, fs};
  Fixture() { control.logic = &logic; }
};

TEST(DriveTree, DrivesInOrderOnlyTheFirstFixedOneRead) {
  Fixture f;
  f.fs.AddDrive(NativePath("/media/stick/"), platform::kDriveRemovable);
  f.fs.AddDrive(NativePath("/"), platform::kDriveFixed);
  f.fs.AddDrive(NativePath("/mnt/disk2/"), platform::kDriveFixed);
  f.fs.AddDrive(NativePath("/proc/"), platform::kDriveUnknown);
  f.fs.AddDrive(NativePath("/media/cd/"), platform::kDriveCdRom);
  f.fs.AddDirectory("/media/stick/inside");
  f.fs.AddDirectory("/media/cd/inside");
  f.fs.AddDirectory("/usr/lib");
  f.fs.AddDirectory("/mnt/disk2/docs");
  f.fs.AddFile("/etc.txt", 1);

  EXPECT_EQ(f.logic.AddDrives(), 5);
  ASSERT_EQ(f.control.TopTexts(),
            (std::vector<std::string>{NativePath("/media/stick/"), NativePath("/"), NativePath("/mnt/disk2/"),
                                      NativePath("/media/cd/")}));
  const int images[] = {tree::kImageFloppy, tree::kImageHardDisk, tree::kImageHardDisk, tree::kImageCdRom};
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(T::N(f.control.Top(i))->image, images[i]) << i;

  // Only "/" is open, with its directories and not its files.
  EXPECT_TRUE(T::N(f.control.Top(1))->expanded);
  EXPECT_EQ(T::Texts(f.control.Top(1)), (std::vector<std::string>{"media", "mnt", "usr"}));
  EXPECT_FALSE(T::N(f.control.Top(2))->expanded);
  for (size_t i : {0u, 2u, 3u}) EXPECT_TRUE(T::HasPlaceholderOnly(f.control.Top(i))) << i;
  EXPECT_EQ(f.fs.FindFirstCalls("/media/stick/*.*"), 0);
  EXPECT_EQ(f.fs.FindFirstCalls("/media/cd/*.*"), 0);
  // Nor is any other drive read before the user opens it: one that does
  // not answer must not keep the window from coming up.
  EXPECT_EQ(f.fs.FindFirstCalls("/mnt/disk2/*.*"), 0);

  // Directory items: closed folder, open folder when selected.
  const auto* usr = T::N(T::Child(f.control.Top(1), 2));
  ASSERT_EQ(usr->text, "usr");
  EXPECT_EQ(usr->image, tree::kImageFolder);
  EXPECT_EQ(usr->selectedImage, tree::kImageOpenFolder);
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
  EXPECT_EQ(T::Texts(d), (std::vector<std::string>{"a", "b", "c", "leaf"}));
  EXPECT_EQ(f.fs.FullListings("/d/*.*"), 1);
  for (const char* name : {"a", "b", "c"})
    EXPECT_EQ(f.fs.PartialListings(std::string("/d/") + name + "/*.*"), 1) << name;
  EXPECT_EQ(f.fs.FindFirstCalls("/d/leaf/*.*"), 1);
  EXPECT_EQ(f.fs.TotalFindFirstCalls(), 5);
  EXPECT_TRUE(T::HasPlaceholderOnly(T::Child(d, 0)));
  EXPECT_TRUE(T::N(T::Child(d, 3))->children.empty());

  // Collapsing probes again: "a" lost its last subdirectory while open and
  // becomes a leaf; "d" throws its subtree away and the next expansion reads.
  const HTREEITEM a = T::Child(d, 0);
  f.control.Expand(a);
  f.fs.AddFile("/d/a/deeper", 0);
  f.control.Collapse(a);
  EXPECT_TRUE(T::N(a)->children.empty());
  f.control.Collapse(d);
  EXPECT_TRUE(T::HasPlaceholderOnly(d));
  f.control.Expand(d);
  EXPECT_EQ(f.fs.FullListings("/d/*.*"), 2);
  EXPECT_EQ(T::Texts(d).size(), 4u);
}

TEST(DriveTree, EmptyExpansionsAreRefused) {
  Fixture f;
  f.fs.AddDrive(NativePath("/"), platform::kDriveFixed);
  f.fs.AddDrive(NativePath("/media/floppy/"), platform::kDriveRemovable);
  f.fs.AddDirectory("/gone/only");
  f.fs.AddDirectory("/media/floppy");
  f.fs.AddFile("/media/floppy/readme.txt", 5);
  f.logic.AddDrives();
  const HTREEITEM gone = T::Child(f.control.Top(0), 0);
  ASSERT_TRUE(T::HasPlaceholderOnly(gone));

  // The only subdirectory went away after the probe: refused, now a leaf.
  f.fs.AddFile("/gone/only", 0);
  EXPECT_TRUE(f.logic.OnItemExpanding(gone, ExpandAction::kExpand));
  EXPECT_TRUE(T::N(gone)->children.empty());

  // A drive whose listing cannot start gets its placeholder back.
  const HTREEITEM floppy = f.control.Top(1);
  f.fs.noMedium = NativePath("/media/floppy/*.*");
  EXPECT_TRUE(f.logic.OnItemExpanding(floppy, ExpandAction::kExpand));
  EXPECT_TRUE(T::HasPlaceholderOnly(floppy));
  // With a medium that holds files only, the button goes for good.
  f.fs.noMedium.clear();
  EXPECT_TRUE(f.logic.OnItemExpanding(floppy, ExpandAction::kExpand));
  EXPECT_TRUE(T::N(floppy)->children.empty());

  // A directory whose listing cannot start loses its button.
  f.fs.AddDirectory("/locked/inner");
  f.control.Collapse(f.control.Top(0));
  EXPECT_TRUE(T::HasPlaceholderOnly(f.control.Top(0)));
  EXPECT_EQ(f.fs.FindFirstCalls("/*.*"), 2);  // a drive is not probed when it closes
  f.control.Expand(f.control.Top(0));
  const HTREEITEM locked = T::Child(f.control.Top(0), 1);
  ASSERT_EQ(T::N(locked)->text, "locked");
  f.fs.FailListing("/locked");
  EXPECT_TRUE(f.logic.OnItemExpanding(locked, ExpandAction::kExpand));
  EXPECT_TRUE(T::N(locked)->children.empty());
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
  const HTREEITEM root = f.control.Top(0);
  EXPECT_EQ(T::Texts(root),
            (std::vector<std::string>{"..x", ".hidden", ".x", latin1, "a;b\tc", "mnt", "name"}));
  EXPECT_EQ(f.logic.GetItemPath(T::Child(root, 3)), NativePath("/" + latin1));
  EXPECT_EQ(f.logic.GetItemPath(root), NativePath("/"));
  const HTREEITEM name = T::Child(root, 6);
  EXPECT_EQ(f.logic.GetItemPath(name), NativePath("/name"));
  f.control.Expand(name);
  const HTREEITEM sub = T::Child(name, 0);
  f.control.Expand(sub);
  EXPECT_EQ(f.logic.GetItemPath(T::Child(sub, 0)), NativePath("/name/sub/deep"));

  const HTREEITEM data = f.control.Top(1);
  EXPECT_EQ(f.logic.GetItemPath(data), NativePath("/mnt/data/"));
  f.control.Expand(data);
  EXPECT_EQ(f.logic.GetItemPath(T::Child(data, 0)), NativePath("/mnt/data/sub"));
}

// A directory to open at start is reached from the drive with the longest
// root that holds it, one name per level.
TEST(DriveTree, PathToOpenStartsAtTheInnermostDrive) {
  const std::vector<std::string> roots = {NativePath("/"), NativePath("/home/")};
  using Way = std::pair<std::size_t, std::vector<std::string>>;
  for (const auto& [path, way] : {std::pair<const char*, Way>{"/home/user/x", {1, {"user", "x"}}},
                                  {"/home", {1, {}}}, {"/homework", {0, {"homework"}}},
                                  {"/usr//share/", {0, {"usr", "share"}}}}) {
    const auto found = tree::SplitTreePath(NativePath(path), roots);
    ASSERT_TRUE(found.has_value()) << path;
    EXPECT_EQ(Way(found->drive, found->names), way) << path;
  }
  EXPECT_FALSE(tree::SplitTreePath("relative/path", roots).has_value());
}

}  // namespace
