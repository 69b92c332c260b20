#include "tree/qt/DriveTreeModel.h"

#include <QByteArray>
#include <algorithm>
#include <optional>

#include "framework/qt/Text.h"

namespace tree::qt {

struct DriveTreeModel::Node {
  Node* parent = nullptr;
  std::vector<std::unique_ptr<Node>> children;
  std::string name;
  QString display;
  std::optional<QCollatorSortKey> key;  // made once, for sorted insertion
  int image = 0;
  int selectedImage = 0;
  mutable int row = 0;  // a hint: the position among the siblings when last seen
};

DriveTreeModel::DriveTreeModel(QObject* parent)
    : QAbstractItemModel(parent),
      m_root(std::make_unique<Node>()),
      m_collator(QLocale(QLocale::German, QLocale::Germany)) {
  m_collator.setCaseSensitivity(Qt::CaseInsensitive);
  m_collator.setNumericMode(true);
}

DriveTreeModel::~DriveTreeModel() = default;

DriveTreeModel::Node* DriveTreeModel::NodeOf(HTREEITEM item) const {
  return item == nullptr ? m_root.get() : reinterpret_cast<Node*>(item);
}

HTREEITEM DriveTreeModel::Handle(Node* node) { return reinterpret_cast<HTREEITEM>(node); }

HTREEITEM DriveTreeModel::ItemOf(const QModelIndex& index) {
  return index.isValid() ? Handle(static_cast<Node*>(index.internalPointer())) : nullptr;
}

int DriveTreeModel::RowOf(const Node* node) {
  const auto& siblings = node->parent->children;
  const int n = static_cast<int>(siblings.size());
  // Insertions and deletions move a sibling by one at a time: look there first.
  for (const int guess : {node->row, node->row - 1, node->row + 1}) {
    if (guess >= 0 && guess < n && siblings[static_cast<size_t>(guess)].get() == node) {
      return node->row = guess;
    }
  }
  for (int i = 0; i < n; ++i) {
    if (siblings[static_cast<size_t>(i)].get() == node) return node->row = i;
  }
  return -1;
}

QModelIndex DriveTreeModel::IndexOf(HTREEITEM item) const {
  Node* node = NodeOf(item);
  if (node == m_root.get()) return {};
  return createIndex(RowOf(node), 0, node);
}

int DriveTreeModel::SortedRow(const Node& parent, const Node& node) const {
  // After the last sibling that sorts before or equal to the new one.
  size_t lo = 0;
  size_t hi = parent.children.size();
  while (lo < hi) {
    const size_t mid = lo + (hi - lo) / 2;
    const Node& other = *parent.children[mid];
    int c = other.key->compare(*node.key);
    if (c == 0) c = other.name.compare(node.name);
    if (c <= 0) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return static_cast<int>(lo);
}

std::unique_ptr<DriveTreeModel::Node> DriveTreeModel::MakeNode(Node* parent, std::string_view text, int image,
                                                              int selectedImage) const {
  auto node = std::make_unique<Node>();
  node->parent = parent;
  node->name.assign(text);
  node->display = fw::qt::DisplayText(text);
  node->key = m_collator.sortKey(node->display);
  node->image = image;
  node->selectedImage = selectedImage;
  return node;
}

HTREEITEM DriveTreeModel::InsertItem(std::string_view text, int image, int selectedImage,
                                     HTREEITEM parentItem, InsertAt where) {
  Node* parent = NodeOf(parentItem);
  auto node = MakeNode(parent, text, image, selectedImage);
  const int row = where == InsertAt::kSort ? SortedRow(*parent, *node)
                                           : static_cast<int>(parent->children.size());
  node->row = row;
  Node* raw = node.get();
  beginInsertRows(IndexOf(parentItem), row, row);
  parent->children.insert(parent->children.begin() + row, std::move(node));
  endInsertRows();
  return Handle(raw);
}

// Into an item without children, all in one step: sorted once, and one
// insertion for the view instead of one each (a folder of 10,000 opens in
// two thirds of the time).
void DriveTreeModel::InsertSortedChildren(HTREEITEM parentItem, const std::vector<NewChild>& children, int image,
                                          int selectedImage, int placeholderImage) {
  Node* parent = NodeOf(parentItem);
  if (!parent->children.empty() || children.empty()) {
    CTreeControl::InsertSortedChildren(parentItem, children, image, selectedImage, placeholderImage);
    return;
  }
  std::vector<std::unique_ptr<Node>> made;
  made.reserve(children.size());
  for (const NewChild& child : children) {
    auto node = MakeNode(parent, child.text, image, selectedImage);
    if (child.withPlaceholder) node->children.push_back(MakeNode(node.get(), {}, placeholderImage, placeholderImage));
    made.push_back(std::move(node));
  }
  // The order of one insertion after another: by key, then by bytes, and
  // equals in the order given.
  std::stable_sort(made.begin(), made.end(), [](const auto& a, const auto& b) {
    const int c = a->key->compare(*b->key);
    return c != 0 ? c < 0 : a->name < b->name;
  });
  for (std::size_t i = 0; i < made.size(); ++i) made[i]->row = static_cast<int>(i);
  beginInsertRows(IndexOf(parentItem), 0, static_cast<int>(made.size()) - 1);
  parent->children = std::move(made);
  endInsertRows();
}

void DriveTreeModel::DeleteItem(HTREEITEM item) {
  Node* node = NodeOf(item);
  if (node == m_root.get()) return;
  for (const Node* up = m_caret; up != nullptr; up = up->parent) {
    if (up == node) m_caret = nullptr;
  }
  const int row = RowOf(node);
  beginRemoveRows(IndexOf(Handle(node->parent)), row, row);
  auto& siblings = node->parent->children;
  siblings.erase(siblings.begin() + row);
  endRemoveRows();
}

HTREEITEM DriveTreeModel::GetParentItem(HTREEITEM item) const {
  Node* node = NodeOf(item);
  return node->parent == m_root.get() ? nullptr : Handle(node->parent);
}

HTREEITEM DriveTreeModel::GetChildItem(HTREEITEM item) const {
  const Node* node = NodeOf(item);
  return node->children.empty() ? nullptr : Handle(node->children.front().get());
}

HTREEITEM DriveTreeModel::GetNextSiblingItem(HTREEITEM item) const {
  const Node* node = NodeOf(item);
  if (node->parent == nullptr) return nullptr;
  const size_t next = static_cast<size_t>(RowOf(node)) + 1;
  const auto& siblings = node->parent->children;
  return next < siblings.size() ? Handle(siblings[next].get()) : nullptr;
}

std::string DriveTreeModel::GetItemText(HTREEITEM item) const { return NodeOf(item)->name; }

void DriveTreeModel::Expand(HTREEITEM item) {
  if (m_roads.expand) m_roads.expand(item);
}

void DriveTreeModel::SetCaret(HTREEITEM item) {
  Node* old = m_caret;
  m_caret = item == nullptr ? nullptr : NodeOf(item);
  for (Node* changed : {old, m_caret}) {
    if (changed == nullptr) continue;
    const QModelIndex index = IndexOf(Handle(changed));
    emit dataChanged(index, index, {Qt::DecorationRole});
  }
}

QModelIndex DriveTreeModel::index(int row, int column, const QModelIndex& parent) const {
  const Node* node = NodeOf(ItemOf(parent));
  if (row < 0 || column != 0 || row >= static_cast<int>(node->children.size())) return {};
  return createIndex(row, 0, node->children[static_cast<size_t>(row)].get());
}

QModelIndex DriveTreeModel::parent(const QModelIndex& child) const {
  if (!child.isValid()) return {};
  return IndexOf(GetParentItem(ItemOf(child)));
}

int DriveTreeModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  return static_cast<int>(NodeOf(ItemOf(parent))->children.size());
}

int DriveTreeModel::columnCount(const QModelIndex&) const { return 1; }

bool DriveTreeModel::hasChildren(const QModelIndex& parent) const {
  return parent.column() <= 0 && !NodeOf(ItemOf(parent))->children.empty();
}

QVariant DriveTreeModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const Node* node = NodeOf(ItemOf(index));
  switch (role) {
    case Qt::DisplayRole:
      return node->display;
    case Qt::DecorationRole: {
      const size_t image = static_cast<size_t>(node == m_caret ? node->selectedImage : node->image);
      return image < m_images.size() ? QVariant(m_images[image]) : QVariant();
    }
    case kNameBytesRole:
      return QByteArray(node->name.data(), static_cast<qsizetype>(node->name.size()));
    default:
      return {};
  }
}

Qt::ItemFlags DriveTreeModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace tree::qt
