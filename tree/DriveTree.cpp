#include "tree/DriveTree.h"

#include <memory>
#include <vector>

#include "platform/PathStyle.h"

namespace tree {

namespace {

bool IsListedDirectory(const platform::FindData& entry) {
  return (entry.attributes & platform::kAttrDirectory) != 0 && !platform::IsDotOrDotDot(entry.name);
}

// Whether path lists a subdirectory; the listing stops at the first. Empty
// when it cannot be listed.
std::optional<bool> HasSubdirectory(platform::FileSystem& fs, platform::Job& job, const std::string& path) {
  platform::FindData entry;
  auto find = fs.FindFirst(job, path, entry, platform::FindLevel::kNamesAndType);
  if (!find) return std::nullopt;
  do {
    if (IsListedDirectory(entry)) return true;
  } while (find->Next(entry));
  return false;  // the enumeration closes with find
}

}  // namespace

SubdirListing SubdirListing::Read(platform::FileSystem& fs, platform::Job& job, const std::string& path,
                                  unsigned threads) {
  SubdirListing listing;
  platform::FindData entry;
  auto find = fs.FindFirst(job, path, entry, platform::FindLevel::kNamesAndType);
  if (!find) return listing;
  listing.outcome = Outcome::kListed;
  do {
    if (IsListedDirectory(entry)) listing.subdirs.push_back({entry.name, false});
  } while (find->Next(entry));
  find.reset();  // closed before its subdirectories are probed
  const auto probe = [&](std::size_t i) {
    Subdir& subdir = listing.subdirs[i];
    // One on a drive that stops answering keeps its button for a later try.
    const std::string child = platform::ChildPath(path, subdir.name);
    subdir.hasSubdirs = HasSubdirectory(fs, job, child).value_or(!job.GivenUp() && job.Stuck().Refuses(child));
  };
  // A few probes are done before threads would be woken.
  constexpr std::size_t kShareFrom = 16;
  if (listing.subdirs.size() < kShareFrom) threads = 1;
  platform::WorkCrew(threads).Run(listing.subdirs.size(), probe, job.StopToken());
  return listing;
}

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
      AddPlaceholder(m_tree.InsertItem(root, kImageFloppy, kImageFloppy, kRootItem, InsertAt::kLast));
      break;
    case platform::kDriveCdRom:
      AddPlaceholder(m_tree.InsertItem(root, kImageCdRom, kImageCdRom, kRootItem, InsertAt::kLast));
      break;
    case platform::kDriveFixed:
    case platform::kDriveRemote:
    case platform::kDriveRamDisk:
      item = m_tree.InsertItem(root, kImageHardDisk, kImageHardDisk, kRootItem, InsertAt::kLast);
      if (m_fs.GetDriveType(root) == platform::kDriveFixed && m_firstFixedDrive == nullptr) {
        m_firstFixedDrive = item;
        AddPlaceholderIfSubdirs(item, root);
        m_tree.Expand(item);
      } else {
        AddPlaceholder(item);  // read when the user opens it
      }
      break;
    default:
      break;  // unknown drives and drives without a root are left out
  }
  return true;
}

HTREEITEM CDriveTree::AddPlaceholder(HTREEITEM item) {
  return m_tree.InsertItem({}, kImageFolder, kImageFolder, item, InsertAt::kLast);
}

SubdirListing CDriveTree::ReadListing(const std::string& path) {
  auto result = std::make_shared<SubdirListing>();
  auto job = std::make_shared<platform::Job>(m_fs);
  platform::FileSystem* fs = &m_fs;
  if (!m_runner->Run(job, [fs, job, path, result] { *result = SubdirListing::Read(*fs, *job, path); })) {
    SubdirListing gaveUp;
    gaveUp.outcome = SubdirListing::Outcome::kGaveUp;
    return gaveUp;
  }
  return std::move(*result);
}

std::optional<bool> CDriveTree::Probe(const std::string& path) {
  auto found = std::make_shared<bool>(false);
  auto job = std::make_shared<platform::Job>(m_fs);
  platform::FileSystem* fs = &m_fs;
  if (!m_runner->Run(job, [fs, job, path, found] { *found = HasSubdirectory(*fs, *job, path).value_or(false); })) {
    return std::nullopt;
  }
  return *found;
}

bool CDriveTree::AddPlaceholderIfSubdirs(HTREEITEM item, const std::string& path) {
  const bool found = Probe(path).value_or(true);
  if (found) AddPlaceholder(item);
  return found;
}

int CDriveTree::AddSubdirectories(HTREEITEM item, const std::string& path) {
  const SubdirListing listing = ReadListing(path);
  // A drive without a readable medium keeps its button for another try, as
  // does anything the user gave up waiting for.
  const bool keepButton = listing.outcome == SubdirListing::Outcome::kGaveUp ||
                          (listing.outcome == SubdirListing::Outcome::kNotListed &&
                           m_tree.GetParentItem(item) == nullptr);
  if (keepButton) AddPlaceholder(item);
  std::vector<CTreeControl::NewChild> children;
  children.reserve(listing.subdirs.size());
  for (const SubdirListing::Subdir& subdir : listing.subdirs) children.push_back({subdir.name, subdir.hasSubdirs});
  m_tree.InsertSortedChildren(item, children, kImageFolder, kImageOpenFolder, kImageFolder);
  return static_cast<int>(children.size());
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

// From the last child to the first: a control that keeps its items in an
// array then moves none of them, and closing a folder of 10,000 stays cheap.
void CDriveTree::DeleteAllChildren(HTREEITEM item) {
  std::vector<HTREEITEM> children;
  for (HTREEITEM child = m_tree.GetChildItem(item); child != nullptr; child = m_tree.GetNextSiblingItem(child))
    children.push_back(child);
  for (auto it = children.rbegin(); it != children.rend(); ++it) m_tree.DeleteItem(*it);
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
