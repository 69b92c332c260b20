// What the drive tree needs from a tree control: items with a name, an image
// and a selected image, navigation by parent, first child and next sibling,
// deletion with the subtree, an expansion that asks the tree first, and the
// selected item. The widget implements it; tests put a plain structure
// behind it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tree {

struct TreeItemTag;
// An item of the control; null stands for the invisible root.
using HTREEITEM = TreeItemTag*;
inline constexpr HTREEITEM kRootItem = nullptr;

// Where a new item goes among its siblings.
enum class InsertAt { kLast, kSort };

// What an expansion notification announces.
enum class ExpandAction { kExpand, kCollapse };

class CTreeControl {
 public:
  virtual ~CTreeControl() = default;

  // text is the item's name as exact bytes.
  virtual HTREEITEM InsertItem(std::string_view text, int image, int selectedImage,
                               HTREEITEM parent, InsertAt where) = 0;
  // A child to insert: its name as exact bytes, and whether it gets a
  // placeholder child of its own (and so its button).
  struct NewChild {
    std::string_view text;
    bool withPlaceholder = false;
  };
  // Inserts the children under parent, each sorted into its place, with
  // the given images; placeholders show placeholderImage. One by one here;
  // a control that can take many at once does it in one step.
  virtual void InsertSortedChildren(HTREEITEM parent, const std::vector<NewChild>& children, int image,
                                    int selectedImage, int placeholderImage) {
    for (const NewChild& child : children) {
      const HTREEITEM item = InsertItem(child.text, image, selectedImage, parent, InsertAt::kSort);
      if (child.withPlaceholder) InsertItem({}, placeholderImage, placeholderImage, item, InsertAt::kLast);
    }
  }
  // Deletes the item with its whole subtree.
  virtual void DeleteItem(HTREEITEM item) = 0;

  // Null when there is none.
  virtual HTREEITEM GetParentItem(HTREEITEM item) const = 0;
  virtual HTREEITEM GetChildItem(HTREEITEM item) const = 0;
  virtual HTREEITEM GetNextSiblingItem(HTREEITEM item) const = 0;
  virtual std::string GetItemText(HTREEITEM item) const = 0;

  // Opens the item as a user would: the expansion notification comes first
  // and may refuse it.
  virtual void Expand(HTREEITEM item) = 0;
  virtual bool IsExpanded(HTREEITEM item) const = 0;

  // Selects the item and brings it into sight; the selection notification
  // follows. Null when nothing is selected.
  virtual void SelectItem(HTREEITEM item) = 0;
  virtual HTREEITEM GetSelectedItem() const = 0;
};

}  // namespace tree
