// The drive tree's logic, free of widgets: the drives at start, lazy
// listing of subdirectories behind placeholder children, full paths of
// items, and the expansion notification that may refuse an expansion.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/JobRunner.h"
#include "platform/FileSystem.h"
#include "platform/WorkCrew.h"
#include "tree/TreeControl.h"

namespace tree {

// Indexes into the tree's image strip.
enum TreeImage : int {
  kImageHardDisk = 0,  // fixed, network and RAM drives
  kImageFloppy = 1,    // removable drives
  kImageCdRom = 2,
  kImageFolder = 3,  // directories and placeholders
  kImageOpenFolder = 4,  // selected directories
};

// One listing as the tree reads it: the subdirectories of a directory in
// listing order, each probed once for a subdirectory of its own. Read in
// one piece, so that it can run away from the window. The probes of many
// subdirectories are shared among a few threads: each waits on the disk
// for little, and many at once keep it busy.
struct SubdirListing {
  enum class Outcome { kListed, kNotListed, kGaveUp };
  struct Subdir {
    std::string name;
    bool hasSubdirs = false;
  };
  Outcome outcome = Outcome::kNotListed;
  std::vector<Subdir> subdirs;

  // threads: how many probe at once, the calling one included.
  static SubdirListing Read(platform::FileSystem& fs, platform::Job& job, const std::string& path,
                            unsigned threads = platform::WorkCrew::ForListing());
};

class CDriveTree {
 public:
  CDriveTree(CTreeControl& tree, platform::FileSystem& fs) : m_tree(tree), m_fs(fs) {}

  // How the listings are read; at once unless set. runner must outlive
  // the tree.
  void SetRunner(fw::JobRunner& runner) { m_runner = &runner; }

  // Inserts every drive; returns how many AddDrive accepted. Only the first
  // fixed drive is read: a drive that stops answering must not keep the
  // window from coming up.
  int AddDrives();
  // Inserts one drive by its type; true in every case.
  bool AddDrive(const std::string& root);
  // The first fixed drive's item, which opens at start; null when there is
  // none.
  HTREEITEM FirstFixedDrive() const { return m_firstFixedDrive; }

  // Adds a placeholder under item when path has a subdirectory; the search
  // stops at the first one. One the user gave up waiting for keeps its
  // placeholder too, so that it can be tried again.
  bool AddPlaceholderIfSubdirs(HTREEITEM item, const std::string& path);
  // Lists the subdirectories of path under item, each probed once; returns
  // how many were inserted. A listing the user gave up waiting for inserts
  // nothing and keeps the item's button.
  int AddSubdirectories(HTREEITEM item, const std::string& path);

  // The full path of item as exact bytes: a drive gives its root, every
  // other item the path without a trailing separator.
  std::string GetItemPath(HTREEITEM item) const;

  void DeleteFirstChild(HTREEITEM item);
  void DeleteAllChildren(HTREEITEM item);

  // Runs before an item opens or closes. Returns true to refuse an
  // expansion that found no subdirectory.
  bool OnItemExpanding(HTREEITEM item, ExpandAction action);

 private:
  HTREEITEM AddPlaceholder(HTREEITEM item);
  SubdirListing ReadListing(const std::string& path);
  // Whether path has a subdirectory; empty when the user gave up.
  std::optional<bool> Probe(const std::string& path);

  CTreeControl& m_tree;
  platform::FileSystem& m_fs;
  fw::JobRunner* m_runner = &fw::RunAtOnce();
  // Only the first fixed drive opens at start.
  HTREEITEM m_firstFixedDrive = nullptr;
};

}  // namespace tree
