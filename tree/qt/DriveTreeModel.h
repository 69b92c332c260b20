// The drive tree's items for Qt's tree view. Each item keeps its name as
// exact bytes (shown through DisplayText) and its two image indexes; the
// item that is the tree's caret shows its selected image. Sorted insertion
// orders siblings as a file manager does: locale-aware, case-insensitive,
// numbers by value, exact bytes as the last word.
#pragma once

#include <QAbstractItemModel>
#include <QCollator>
#include <QIcon>
#include <functional>
#include <memory>
#include <vector>

#include "tree/TreeControl.h"

namespace tree::qt {

class DriveTreeModel : public QAbstractItemModel, public CTreeControl {
 public:
  // The item's name bytes as a QByteArray.
  static constexpr int kNameBytesRole = Qt::UserRole + 1;

  explicit DriveTreeModel(QObject* parent = nullptr);
  ~DriveTreeModel() override;

  // The images by index, in the order of the tree's image strip.
  void SetImages(std::vector<QIcon> images) { m_images = std::move(images); }
  const std::vector<QIcon>& Images() const { return m_images; }
  // What the view does for the tree: open an item (running the expansion
  // notification), tell whether one is open, select one, tell the selected.
  struct ViewRoads {
    std::function<void(HTREEITEM)> expand;
    std::function<bool(HTREEITEM)> isExpanded;
    std::function<void(HTREEITEM)> select;
    std::function<HTREEITEM()> selected;
  };
  void SetViewRoads(ViewRoads roads) { m_roads = std::move(roads); }
  // The item that shows its selected image.
  void SetCaret(HTREEITEM item);

  QModelIndex IndexOf(HTREEITEM item) const;
  static HTREEITEM ItemOf(const QModelIndex& index);

  // CTreeControl
  HTREEITEM InsertItem(std::string_view text, int image, int selectedImage, HTREEITEM parent,
                       InsertAt where) override;
  void InsertSortedChildren(HTREEITEM parent, const std::vector<NewChild>& children, int image, int selectedImage,
                            int placeholderImage) override;
  void DeleteItem(HTREEITEM item) override;
  HTREEITEM GetParentItem(HTREEITEM item) const override;
  HTREEITEM GetChildItem(HTREEITEM item) const override;
  HTREEITEM GetNextSiblingItem(HTREEITEM item) const override;
  std::string GetItemText(HTREEITEM item) const override;
  void Expand(HTREEITEM item) override;
  bool IsExpanded(HTREEITEM item) const override { return m_roads.isExpanded && m_roads.isExpanded(item); }
  void SelectItem(HTREEITEM item) override {
    if (m_roads.select) m_roads.select(item);
  }
  HTREEITEM GetSelectedItem() const override { return m_roads.selected ? m_roads.selected() : nullptr; }

  // QAbstractItemModel
  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  bool hasChildren(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  struct Node;

  Node* NodeOf(HTREEITEM item) const;
  static HTREEITEM Handle(Node* node);
  static int RowOf(const Node* node);
  std::unique_ptr<Node> MakeNode(Node* parent, std::string_view text, int image, int selectedImage) const;
  int SortedRow(const Node& parent, const Node& node) const;

  std::unique_ptr<Node> m_root;
  QCollator m_collator;
  std::vector<QIcon> m_images;
  ViewRoads m_roads;
  Node* m_caret = nullptr;
};

}  // namespace tree::qt
