// The drive tree's logic, free of widgets: the drives at start, lazy
// listing of subdirectories behind placeholder children, full paths of
// items, and the expansion notification that may refuse an expansion.
#pragma once

#include <string>

#include "platform/FileSystem.h"
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

class CDriveTree {
 public:
  CDriveTree(CTreeControl& tree, platform::FileSystem& fs) : m_tree(tree), m_fs(fs) {}

  // Inserts every drive; returns how many AddDrive accepted.
  int AddDrives();
  // Inserts one drive by its type; true in every case.
  bool AddDrive(const std::string& root);

  // Adds a placeholder under item when path has a subdirectory; the search
  // stops at the first one.
  bool AddPlaceholderIfSubdirs(HTREEITEM item, const std::string& path);
  // Lists the subdirectories of path under item, each probed once; returns
  // how many were inserted.
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
  static bool IsListedDirectory(const platform::FindData& entry);
  HTREEITEM AddPlaceholder(HTREEITEM item);

  CTreeControl& m_tree;
  platform::FileSystem& m_fs;
  // Only the first fixed drive opens at start.
  bool m_bFirstFixedDrive = true;
};

}  // namespace tree
