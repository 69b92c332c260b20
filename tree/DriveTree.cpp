#include "tree/DriveTree.h"

#include "platform/PathStyle.h"

namespace tree {

int CDriveTree::AddDrives() {
  int count = 0;
  for (const std::string& root : m_fs.LogicalDriveStrings()) {
    if (AddDrive(root)) ++count;
  }
  return count;
}

bool CDriveTree::AddDrive(const std::string& root) {
  HTREEITEM item = nullptr;
  switch (m_fs.GetDriveType(root)) {
    case platform::kDriveRemovable:
      // Never read a medium that may not be there; the expansion will tell.
      AddPlaceholder(m_tree.InsertItem(root, kImageFloppy, kImageFloppy, TVI_ROOT, InsertAt::kLast));
      break;
    case platform::kDriveCdRom:
      AddPlaceholder(m_tree.InsertItem(root, kImageCdRom, kImageCdRom, TVI_ROOT, InsertAt::kLast));
      break;
    case platform::kDriveFixed:
      item = m_tree.InsertItem(root, kImageHardDisk, kImageHardDisk, TVI_ROOT, InsertAt::kLast);
      AddPlaceholderIfSubdirs(item, root);
      if (m_bFirstFixedDrive) {
        m_tree.Expand(item);
        m_bFirstFixedDrive = false;
      }
      break;
    case platform::kDriveRemote:
    case platform::kDriveRamDisk:
      item = m_tree.InsertItem(root, kImageHardDisk, kImageHardDisk, TVI_ROOT, InsertAt::kLast);
      AddPlaceholderIfSubdirs(item, root);
      break;
    default:
      break;  // unknown drives and drives without a root are left out
  }
  return true;
}

HTREEITEM CDriveTree::AddPlaceholder(HTREEITEM item) {
  return m_tree.InsertItem({}, kImageFolder, kImageFolder, item, InsertAt::kLast);
}

bool CDriveTree::IsListedDirectory(const platform::FindData& entry) {
  return (entry.attributes & platform::kAttrDirectory) != 0 && !platform::IsDotOrDotDot(entry.name);
}

bool CDriveTree::AddPlaceholderIfSubdirs(HTREEITEM item, const std::string& path) {
  platform::FindData entry;
  auto find = m_fs.FindFirst(platform::SearchPattern(path), entry, platform::FindLevel::kNamesAndType);
  if (!find) return false;
  bool found = false;
  do {
    found = IsListedDirectory(entry);
  } while (!found && find->Next(entry));
  if (found) AddPlaceholder(item);
  return found;  // the enumeration closes with find
}

int CDriveTree::AddSubdirectories(HTREEITEM item, const std::string& path) {
  platform::FindData entry;
  auto find = m_fs.FindFirst(platform::SearchPattern(path), entry, platform::FindLevel::kNamesAndType);
  if (!find) {
    // A drive without a readable medium keeps its button for another try.
    if (m_tree.GetParentItem(item) == nullptr) AddPlaceholder(item);
    return 0;
  }
  int count = 0;
  do {
    if (!IsListedDirectory(entry)) continue;
    HTREEITEM child = m_tree.InsertItem(entry.name, kImageFolder, kImageOpenFolder, item, InsertAt::kSort);
    AddPlaceholderIfSubdirs(child, platform::ChildPath(path, entry.name));
    ++count;
  } while (find->Next(entry));
  return count;
}

std::string CDriveTree::GetItemPath(HTREEITEM item) const {
  std::string path = m_tree.GetItemText(item);
  for (HTREEITEM up = m_tree.GetParentItem(item); up != nullptr; up = m_tree.GetParentItem(up)) {
    std::string prefix = m_tree.GetItemText(up);
    if (prefix.empty() || prefix.back() != platform::kPathSeparator) prefix += platform::kPathSeparator;
    path.insert(0, prefix);
  }
  return path;
}

void CDriveTree::DeleteFirstChild(HTREEITEM item) {
  if (HTREEITEM child = m_tree.GetChildItem(item)) m_tree.DeleteItem(child);
}

void CDriveTree::DeleteAllChildren(HTREEITEM item) {
  HTREEITEM child = m_tree.GetChildItem(item);
  while (child != nullptr) {
    HTREEITEM next = m_tree.GetNextSiblingItem(child);
    m_tree.DeleteItem(child);
    child = next;
  }
}

bool CDriveTree::OnItemExpanding(HTREEITEM item, ExpandAction action) {
  const std::string path = GetItemPath(item);
  if (action == ExpandAction::kExpand) {
    DeleteFirstChild(item);
    return AddSubdirectories(item, path) == 0;
  }
  DeleteAllChildren(item);
  if (m_tree.GetParentItem(item) == nullptr) {
    AddPlaceholder(item);  // a drive is not read again until it is expanded
  } else {
    AddPlaceholderIfSubdirs(item, path);
  }
  return false;
}

}  // namespace tree
