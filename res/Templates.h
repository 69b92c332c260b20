// Menus, accelerators, toolbar and dialog templates of Kolbrin.
#pragma once

#include <span>

#include "framework/ResourceTypes.h"

namespace res {

const fw::MenuTemplate& MainMenu();     // menu 128
const fw::MenuTemplate& TreeContextMenu();  // menu 133
std::span<const fw::Accelerator> MainAccelerators();  // accelerators 128
const fw::ToolbarTemplate& MainToolbar();  // toolbar 128
const fw::DialogTemplate* FindDialog(Id id);  // dialogs 100, 134, 135
std::span<const Id> StatusIndicators();   // string ids of the status-bar panes

}  // namespace res
