// Menus, toolbar buttons and accelerators as QActions that send command ids
// into the frame's routing, and keep their enabled state and check marks
// from update-UI: a menu when it opens, everything else when the
// application goes idle.
#pragma once

#include <QObject>
#include <QPixmap>
#include <functional>
#include <map>
#include <span>
#include <vector>

#include "framework/CmdTarget.h"
#include "res/ResourceTypes.h"

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace fw::qt {

class CModalWait;

class CommandActions : public QObject {
 public:
  // route receives every command; it is the frame's OnCmdMsg target. While
  // wait runs, no command runs and no update-UI handler is asked.
  CommandActions(QWidget* owner, CCmdTarget* route, const CModalWait& wait);

  void BuildMenuBar(const res::MenuTemplate& menu, QMenuBar* bar);
  // A popup menu of its own (for a context menu); the caller owns it.
  QMenu* BuildPopup(const res::MenuPopup& popup, QWidget* parent);
  // Strip: one image per button, buttonWidth wide; colour key is transparent.
  void BuildToolBar(const res::ToolbarTemplate& tb, const QPixmap& strip, QColor key, QToolBar* bar);
  void AddAccelerators(std::span<const res::Accelerator> accels);

  // The main action of a command: the toolbar button's and the key's, run
  // at once. Menu items have actions of their own, whose commands are
  // posted. Null when the command has none.
  QAction* Action(UINT id) const;

  // Runs update-UI for the given actions, or for every main action.
  void UpdateActions(const QList<QAction*>& actions);
  void UpdateAll();

  // Sends a command into the routing; false when nobody handled it. A
  // command that throws is reported to the user and counts as handled.
  bool Execute(UINT id);

 private:
  enum class Dispatch { kDirect, kPosted };
  QAction* MakeAction(const res::MenuItem& item, QObject* parent, Dispatch dispatch);
  QAction* MainAction(const res::MenuItem& item);
  void WatchMenu(QMenu* menu);

  QWidget* m_owner;
  CCmdTarget* m_route;
  const CModalWait& m_wait;
  std::map<UINT, QAction*> m_main;
  bool m_updating = false;
};

}  // namespace fw::qt
