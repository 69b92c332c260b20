#include "tree/qt/DriveView.h"

#include <QApplication>
#include <QBitmap>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QScopedValueRollback>

#include "framework/CmdUI.h"
#include "framework/CommandFailure.h"
#include "framework/PathDocument.h"
#include "framework/qt/CommandActions.h"
#include "framework/qt/ModalWait.h"
#include "framework/qt/Text.h"
#include "res/Templates.h"
#include "tree/TreePath.h"
#include "tree/qt/DriveTreeModel.h"
#include "tree/qt/TreeLinesStyle.h"

namespace tree::qt {

namespace {

// Bitmap 132: five 16-pixel images, magenta is transparent.
std::vector<QIcon> LoadTreeImages() {
  QPixmap strip(QStringLiteral(":/res/bitmap132.xpm"));
  std::vector<QIcon> images;
  if (strip.isNull()) return images;
  strip.setMask(strip.createMaskFromColor(QColor(255, 0, 255), Qt::MaskInColor));
  constexpr int kImageWidth = 16;
  for (int x = 0; x + kImageWidth <= strip.width(); x += kImageWidth) {
    images.emplace_back(strip.copy(x, 0, kImageWidth, strip.height()));
  }
  return images;
}

}  // namespace

CDriveView::CDriveView(fw::CPathDocument& doc, fw::JobRunner& runner, QWidget* parent)
    : tree::CDriveView(doc, runner), QTreeView(parent), m_model(new DriveTreeModel(this)) {
  setAccessibleName(fw::qt::ResString(IDS_NAME_DRIVE_TREE));
  setHeaderHidden(true);
  setUniformRowHeights(true);
  setRootIsDecorated(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // The view must never open an item on its own; see ExpandItem.
  setItemsExpandable(false);
  setExpandsOnDoubleClick(false);
  setAnimated(false);
  auto* lines = new TreeLinesStyle;
  lines->setParent(this);
  setStyle(lines);
  m_model->SetImages(LoadTreeImages());
  m_model->SetViewRoads({
      [this](HTREEITEM item) { ExpandItem(m_model->IndexOf(item)); },
      [this](HTREEITEM item) { return isExpanded(m_model->IndexOf(item)); },
      [this](HTREEITEM item) {
        const QModelIndex index = m_model->IndexOf(item);
        setCurrentIndex(index);
        scrollTo(index);
      },
      [this] { return DriveTreeModel::ItemOf(currentIndex()); },
  });
  setModel(m_model);
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { OnCurrentChanged(current); });
  connect(this, &QTreeView::expanded, this, [this](const QModelIndex& i) { OnExpandedElsewhere(i); });
  connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& i) { OnCollapsedElsewhere(i); });
  Start(*m_model);
}

CDriveView::~CDriveView() {
  m_model->SetViewRoads({});
  selectionModel()->disconnect(this);
  disconnect(this, nullptr, this, nullptr);
}

void CDriveView::Invalidate() { viewport()->update(); }

std::string CDriveView::GetItemPath(const QModelIndex& index) const {
  return Tree().GetItemPath(DriveTreeModel::ItemOf(index));
}

bool CDriveView::ExpandItem(const QModelIndex& index) {
  if (!index.isValid() || isExpanded(index) || !m_model->hasChildren(index)) return false;
  const HTREEITEM item = DriveTreeModel::ItemOf(index);
  if (OnItemExpanding(item, ExpandAction::kExpand)) return false;  // stays closed
  const QScopedValueRollback own(m_ownExpansion, true);
  expand(m_model->IndexOf(item));
  return true;
}

void CDriveView::CollapseItem(const QModelIndex& index) {
  if (!index.isValid() || !isExpanded(index)) return;
  const QPersistentModelIndex item(index);
  // One selection change to the closing item, not one per deleted child.
  if (IsBelow(item, currentIndex())) setCurrentIndex(item);
  {
    const QScopedValueRollback own(m_ownExpansion, true);
    collapse(item);
  }
  OnItemExpanding(DriveTreeModel::ItemOf(item), ExpandAction::kCollapse);
}

void CDriveView::ToggleItem(const QModelIndex& index) {
  if (isExpanded(index)) {
    CollapseItem(index);
  } else {
    ExpandItem(index);
  }
}

bool CDriveView::IsBelow(const QModelIndex& ancestor, const QModelIndex& index) const {
  for (QModelIndex up = index.parent(); up.isValid(); up = up.parent()) {
    if (up == ancestor) return true;
  }
  return false;
}

// Anyone calling expand() directly still takes the one road.
void CDriveView::OnExpandedElsewhere(const QModelIndex& index) {
  if (m_ownExpansion) return;
  const QPersistentModelIndex item(index);
  {
    const QScopedValueRollback own(m_ownExpansion, true);
    collapse(item);
  }
  ExpandItem(item);
}

void CDriveView::OnCollapsedElsewhere(const QModelIndex& index) {
  if (m_ownExpansion) return;
  const QPersistentModelIndex item(index);
  if (IsBelow(item, currentIndex())) setCurrentIndex(item);
  OnItemExpanding(DriveTreeModel::ItemOf(item), ExpandAction::kCollapse);
}

void CDriveView::OnCurrentChanged(const QModelIndex& current) {
  const HTREEITEM item = DriveTreeModel::ItemOf(current);
  m_model->SetCaret(item);
  OnSelChanged(item);
}

bool CDriveView::HandleExpansionKey(int key, bool keypad) {
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return false;
  switch (key) {
    case Qt::Key_Plus:
    case Qt::Key_Asterisk:  // one level: a lazy tree of a whole drive would never end
      if (!keypad) return false;
      ExpandItem(current);
      return true;
    case Qt::Key_Minus:
      if (!keypad) return false;
      CollapseItem(current);
      return true;
    case Qt::Key_Right:
      if (!isExpanded(current)) {
        ExpandItem(current);
      } else if (const QModelIndex child = m_model->index(0, 0, current); child.isValid()) {
        setCurrentIndex(child);
      }
      return true;
    case Qt::Key_Left:
      if (isExpanded(current)) {
        CollapseItem(current);
      } else if (current.parent().isValid()) {
        setCurrentIndex(current.parent());
      }
      return true;
    default:
      return false;
  }
}

void CDriveView::keyPressEvent(QKeyEvent* event) {
  const bool plain = (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
  if (plain && HandleExpansionKey(event->key(), (event->modifiers() & Qt::KeypadModifier) != 0)) {
    event->accept();
    return;
  }
  if (plain && !event->text().isEmpty() && event->text().front().isPrint()) {
    SearchTyped(*event);
    event->accept();
    return;
  }
  QTreeView::keyPressEvent(event);
}

// The open items in the order they are shown, searched from the current
// one by the time the keys were typed.
void CDriveView::SearchTyped(const QKeyEvent& event) {
  std::vector<QModelIndex> shown;
  for (QModelIndex i = m_model->index(0, 0); i.isValid(); i = indexBelow(i)) shown.push_back(i);
  const auto current = std::find(shown.begin(), shown.end(), currentIndex());
  const bool hasCurrent = current != shown.end();
  const fw::CIncrementalSearch::Step step =
      m_search.Type(event.text().toStdU16String(), fw::qt::CModalWait::KeyTime(event),
                    static_cast<std::uint64_t>(QApplication::keyboardInputInterval()), hasCurrent);
  const QString text = QString::fromStdU16String(step.text);
  const int start = hasCurrent ? static_cast<int>(current - shown.begin()) + (step.fromNext ? 1 : 0) : 0;
  const int found = fw::CIncrementalSearch::FindFrom(static_cast<int>(shown.size()), start, [&](int i) {
    return shown[static_cast<std::size_t>(i)].data().toString().startsWith(text, Qt::CaseInsensitive);
  });
  if (found < 0) return;
  const QModelIndex item = shown[static_cast<std::size_t>(found)];
  setCurrentIndex(item);
  scrollTo(item);
}

// The expand button left of an item's image.
QRect CDriveView::ButtonRect(const QModelIndex& index) const {
  const QRect item = visualRect(index);
  return QRect(item.left() - indentation(), item.top(), indentation(), item.height());
}

void CDriveView::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::RightButton) {
    OnRButtonDown(pos);  // the item under the mouse is not selected
    event->accept();
    return;
  }
  const QModelIndex index = indexAt(pos);
  if (event->button() == Qt::LeftButton && index.isValid() && m_model->hasChildren(index) &&
      ButtonRect(index).contains(pos)) {
    ToggleItem(index);
    event->accept();
    return;
  }
  QTreeView::mousePressEvent(event);
}

void CDriveView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->accept();
    return;
  }
  const QPoint pos = event->position().toPoint();
  const QPersistentModelIndex index(indexAt(pos));
  const bool onButton = index.isValid() && ButtonRect(index).contains(pos);
  QTreeView::mouseDoubleClickEvent(event);
  if (index.isValid() && !onButton && m_model->hasChildren(index)) ToggleItem(index);
}

void CDriveView::contextMenuEvent(QContextMenuEvent* event) {
  // The mouse's menu came with the button press; the keyboard's comes here.
  if (event->reason() != QContextMenuEvent::Mouse) {
    const QRect item = visualRect(currentIndex());
    ShowContextMenu(viewport()->mapToGlobal(item.isValid() ? item.center() : QPoint()));
  }
  event->accept();
}

QItemSelectionModel::SelectionFlags CDriveView::selectionCommand(const QModelIndex& index,
                                                                 const QEvent* event) const {
  // The selected item is always the current one; Ctrl+click does not clear it.
  const auto flags = QTreeView::selectionCommand(index, event);
  if (flags & QItemSelectionModel::Deselect) return QItemSelectionModel::ClearAndSelect;
  return flags;
}

void CDriveView::OnRButtonDown(const QPoint& point) { ShowContextMenu(viewport()->mapToGlobal(point)); }

void CDriveView::ShowContextMenu(const QPoint& globalPos) {
  const auto popups = res::TreeContextMenu().popups;
  if (m_actions == nullptr || popups.empty()) return;
  // Commands go through the frame's routing, which reaches every view.
  QMenu* menu = m_actions->BuildPopup(popups.front(), this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->setObjectName(QStringLiteral("treeContextMenu"));
  const QSize size = menu->sizeHint();
  menu->popup(QPoint(globalPos.x() - size.width() / 2, globalPos.y()));  // centred on the point
}

}  // namespace tree::qt
