#include "res/Templates.h"

namespace res {

namespace {

constexpr MenuItem kActionItems[] = {
    {"&Drucken...\tStrg+P", ID_FILE_PRINT},
    {"Sei&tenansicht", ID_FILE_PRINT_PREVIEW},
    {"Drucker&einrichtung...", ID_FILE_PRINT_SETUP},
    {"", ID_SEPARATOR},
    {"Export nach Excel ...", ID_EXPORT_EXCEL},
    {"Export in eine Datei ...", ID_EXPORT_FILE},
    {"", ID_SEPARATOR},
    {"&Beenden", ID_APP_EXIT},
};

constexpr MenuItem kViewItems[] = {
    {"Große Symbole", ID_VIEW_LARGEICON},
    {"Kleine Symbole", ID_VIEW_SMALLICON},
    {"Liste", ID_VIEW_LIST},
    {"Details", ID_VIEW_DETAILS},
    {"", ID_SEPARATOR},
    {"Verzeichnisinformation", ID_VIEW_DIRSCAN},
    {"Laufwerksinformation", ID_VIEW_DRIVEINFO},
    {"", ID_SEPARATOR},
    {"&Symbolleiste", ID_VIEW_TOOLBAR},
    {"S&tatusleiste", ID_VIEW_STATUS_BAR},
};

constexpr MenuItem kHelpItems[] = {
    {"Inf&o über Kolbrin...", ID_APP_ABOUT},
};

constexpr MenuPopup kMainPopups[] = {
    {"Aktion", kActionItems},
    {"&Ansicht", kViewItems},
    {"&?", kHelpItems},
};

constexpr MenuItem kContextItems[] = {
    {"Verzeichnisinformation", ID_VIEW_DIRSCAN},
    {"", ID_SEPARATOR},
    {"Beenden", ID_APP_EXIT},
};

constexpr MenuPopup kContextPopups[] = {
    {"1", kContextItems},
};

constexpr MenuTemplate kMainMenu{IDR_MAINFRAME, kMainPopups};
constexpr MenuTemplate kContextMenu{IDR_TREE_CONTEXT, kContextPopups};

constexpr Accelerator kAccelerators[] = {
    {'P', kCtrl, ID_FILE_PRINT},
    {kFunctionKeyBase + 6, kNoModifier, ID_NEXT_PANE},
    {kFunctionKeyBase + 6, kShift, ID_PREV_PANE},
};

constexpr Id kToolbarButtons[] = {
    ID_FILE_PRINT, ID_VIEW_DIRSCAN, ID_VIEW_DRIVEINFO, ID_SEPARATOR,
    ID_APP_EXIT,   ID_SEPARATOR,    ID_APP_ABOUT,
};

constexpr ToolbarTemplate kToolbar{IDB_TOOLBAR, 16, 15, kToolbarButtons};

constexpr Id kIndicators[] = {ID_SEPARATOR, IDS_INDICATOR_CAPS, IDS_INDICATOR_NUM,
                              IDS_INDICATOR_SCRL};
}  // namespace

const MenuTemplate& MainMenu() { return kMainMenu; }
const MenuTemplate& TreeContextMenu() { return kContextMenu; }
std::span<const Accelerator> MainAccelerators() { return kAccelerators; }
const ToolbarTemplate& MainToolbar() { return kToolbar; }
std::span<const Id> StatusIndicators() { return kIndicators; }

}  // namespace res
