// Menus, accelerators, toolbar and dialog templates of Kolbrin.
#pragma once

#include <span>

#include "res/ResourceTypes.h"

namespace res {

const MenuTemplate& MainMenu();     // menu 128
const MenuTemplate& TreeContextMenu();  // menu 133
std::span<const Accelerator> MainAccelerators();  // accelerators 128
const ToolbarTemplate& MainToolbar();  // toolbar 128
const DialogTemplate* FindDialog(Id id);  // dialogs 100, 134, 135
std::span<const Id> StatusIndicators();   // string ids of the status-bar panes

}  // namespace res
