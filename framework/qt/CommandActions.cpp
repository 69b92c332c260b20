#include "framework/qt/CommandActions.h"

#include <QAction>
#include <QBitmap>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>

#include "framework/CommandFailure.h"
#include "framework/StringTable.h"
#include "framework/qt/ActionCmdUI.h"
#include "framework/qt/ModalWait.h"
#include "framework/qt/Text.h"

namespace fw::qt {

namespace {
constexpr char kIdProperty[] = "commandId";

UINT IdOf(const QAction* a) { return a->property(kIdProperty).toUInt(); }

QKeySequence KeyOf(const res::Accelerator& acc) {
  int key = acc.key >= res::kFunctionKeyBase ? Qt::Key_F1 + (acc.key - res::kFunctionKeyBase - 1) : acc.key;
  if (acc.modifiers & res::kCtrl) key |= Qt::CTRL;
  if (acc.modifiers & res::kShift) key |= Qt::SHIFT;
  if (acc.modifiers & res::kAlt) key |= Qt::ALT;
  return QKeySequence(key);
}
}  // namespace

CommandActions::CommandActions(QWidget* owner, CCmdTarget* route, const CModalWait& wait)
    : QObject(owner), m_owner(owner), m_route(route), m_wait(wait) {}

QAction* CommandActions::MakeAction(const res::MenuItem& item, QObject* parent, Dispatch dispatch) {
  auto* a = new QAction(ToQ(item.text), parent);
  a->setProperty(kIdProperty, item.id);
  a->setStatusTip(ToQ(PromptText(item.id)));
  const QString tip = ToQ(TooltipText(item.id));
  if (!tip.isEmpty()) a->setToolTip(tip);
  a->setMenuRole(QAction::NoRole);
  const UINT id = item.id;
  if (dispatch == Dispatch::kPosted) {
    // A menu's command runs once the menu has closed and its own handlers
    // have returned: a popup deletes itself on closing, and a command that
    // waits for a long job must not have it on the stack.
    connect(a, &QAction::triggered, this,
            [this, id] { QMetaObject::invokeMethod(this, [this, id] { Execute(id); }, Qt::QueuedConnection); });
  } else {
    connect(a, &QAction::triggered, this, [this, id] { Execute(id); });
  }
  return a;
}

QAction* CommandActions::MainAction(const res::MenuItem& item) {
  if (QAction* a = Action(item.id)) return a;
  return m_main.emplace(item.id, MakeAction(item, m_owner, Dispatch::kDirect)).first->second;
}

void CommandActions::WatchMenu(QMenu* menu) {
  connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateActions(menu->actions()); });
}

void CommandActions::BuildMenuBar(const res::MenuTemplate& menu, QMenuBar* bar) {
  for (const res::MenuPopup& popup : menu.popups) {
    QMenu* m = bar->addMenu(ToQ(popup.title));
    for (const res::MenuItem& item : popup.items) {
      if (item.id == ID_SEPARATOR) {
        m->addSeparator();
        continue;
      }
      MainAction(item);  // for the toolbar button and the key of the same command
      m->addAction(MakeAction(item, m, Dispatch::kPosted));
    }
    WatchMenu(m);
  }
}

QMenu* CommandActions::BuildPopup(const res::MenuPopup& popup, QWidget* parent) {
  auto* m = new QMenu(ToQ(popup.title), parent);
  for (const res::MenuItem& item : popup.items) {
    if (item.id == ID_SEPARATOR) {
      m->addSeparator();
    } else {
      m->addAction(MakeAction(item, m, Dispatch::kPosted));
    }
  }
  WatchMenu(m);
  return m;
}

void CommandActions::BuildToolBar(const res::ToolbarTemplate& tb, const QPixmap& strip, QColor key,
                                  QToolBar* bar) {
  QPixmap images = strip;
  images.setMask(images.createMaskFromColor(key, Qt::MaskInColor));
  int index = 0;
  for (const res::Id id : tb.buttons) {
    if (id == ID_SEPARATOR) {
      bar->addSeparator();
      continue;
    }
    QAction* a = MainAction({"", id});
    a->setIcon(QIcon(images.copy(index * tb.buttonWidth, 0, tb.buttonWidth, tb.buttonHeight)));
    bar->addAction(a);
    ++index;
  }
}

void CommandActions::AddAccelerators(std::span<const res::Accelerator> accels) {
  for (const res::Accelerator& acc : accels) {
    QAction* a = MainAction({"", acc.id});
    auto keys = a->shortcuts();
    keys.append(KeyOf(acc));
    a->setShortcuts(keys);
    a->setShortcutContext(Qt::WindowShortcut);
    if (!m_owner->actions().contains(a)) m_owner->addAction(a);
  }
}

QAction* CommandActions::Action(UINT id) const {
  const auto it = m_main.find(id);
  return it == m_main.end() ? nullptr : it->second;
}

void CommandActions::UpdateActions(const QList<QAction*>& actions) {
  // An update handler must not start another round, nor run while a long
  // job is waited for.
  if (m_updating || m_wait.Active()) return;
  m_updating = true;
  for (QAction* a : actions) {
    if (a->isSeparator() || a->menu() != nullptr) continue;
    ActionCmdUI ui(IdOf(a), a);
    ui.DoUpdate(m_route, true);
    if (ui.m_nCheck == 0 && a->isCheckable()) a->setChecked(false);
  }
  m_updating = false;
}

void CommandActions::UpdateAll() {
  QList<QAction*> list;
  for (const auto& [id, a] : m_main) list.append(a);
  UpdateActions(list);
}

bool CommandActions::Execute(UINT id) {
  // While a long job is waited for, nothing else of the window reacts.
  if (m_wait.Active()) return false;
  // Re-check first: a key may arrive before the idle update caught up.
  if (QAction* a = Action(id)) UpdateActions({a});
  if (QAction* a = Action(id); a != nullptr && !a->isEnabled()) return false;
  bool handled = true;
  RunReported([&] { handled = m_route->OnCmdMsg(id, CN_COMMAND, nullptr, nullptr); });
  return handled;
}

}  // namespace fw::qt
