#include "res/Templates.h"

namespace res {

namespace {

constexpr DialogControl kAboutControls[] = {
    {IDC_UNNAMED, ControlKind::kIcon, "", 11, 17, 20, 20},
    {IDC_UNNAMED, ControlKind::kLabelNoPrefix, "Kolbrin, Version 1,0,0,5", 40, 10, 119, 8},
    {IDC_UNNAMED, ControlKind::kLabel, "Copyright (C) Ostrana", 40, 25, 119, 8},
    {IDC_OK, ControlKind::kDefPushButton, "OK", 178, 7, 32, 14, kGroupStart | kTabStop},
};

constexpr unsigned kRo = kReadOnly | kTabStop | kHScroll;

constexpr DialogControl kDriveInfoControls[] = {
    {IDC_UNNAMED, ControlKind::kGroupBox, "Laufwerk", 3, 4, 216, 66},
    {IDC_UNNAMED, ControlKind::kLabel, "Bezeichnung", 9, 12, 43, 8},
    {IDC_UNNAMED, ControlKind::kLabel, "Typ", 89, 12, 41, 8},
    {IDC_LIST_DRIVES, ControlKind::kListBox, "", 10, 23, 206, 43,
     kSorted | kVScroll | kTabStop},
    {IDC_UNNAMED, ControlKind::kGroupBox, "Datenträger", 3, 74, 216, 117},
    {IDC_UNNAMED, ControlKind::kLabel, "Name", 9, 83, 52, 8},
    {IDC_EDIT_VOLUMENAME, ControlKind::kEdit, "", 72, 81, 144, 14, kRo},
    {IDC_UNNAMED, ControlKind::kLabel, "Seriennummer", 9, 98, 52, 8},
    {IDC_EDIT_SERIAL, ControlKind::kEdit, "", 72, 96, 144, 14, kRo},
    {IDC_UNNAMED, ControlKind::kLabel, "Filesystem", 9, 113, 52, 8},
    {IDC_EDIT_FILESYSTEM, ControlKind::kEdit, "", 72, 111, 144, 14, kRo},
    {IDC_UNNAMED, ControlKind::kLabel, "Max. Länge der Verzeichnis- und Dateinamen", 9, 128, 148, 8},
    {IDC_EDIT_MAXNAMELEN, ControlKind::kEdit, "", 169, 126, 47, 14, kRo},
    {IDC_UNNAMED, ControlKind::kLabel, "Eigenschaften", 9, 140, 52, 8},
    {IDC_EDIT_FLAGS, ControlKind::kEditMultiline, "", 8, 149, 208, 39, kRo | kVScroll},
    {IDC_UNNAMED, ControlKind::kGroupBox, "Freier Speicher und Clusterangaben", 3, 196, 216, 73},
    {IDC_UNNAMED, ControlKind::kLabel, "Sektoren / Cluster", 9, 208, 58, 8},
    {IDC_EDIT_SECTORS, ControlKind::kEdit, "", 72, 206, 144, 14, kRo},
    {IDC_UNNAMED, ControlKind::kLabel, "Bytes / Sektor", 9, 223, 58, 8},
    {IDC_EDIT_BYTES, ControlKind::kEdit, "", 72, 221, 144, 14, kRo},
    {IDC_UNNAMED, ControlKind::kLabel, "Freie Cluster", 9, 238, 58, 8},
    {IDC_EDIT_FREECLUSTERS, ControlKind::kEdit, "", 72, 236, 144, 14, kRo},
    {IDC_UNNAMED, ControlKind::kLabel, "Cluster gesamt", 9, 253, 58, 8},
    {IDC_EDIT_TOTALCLUSTERS, ControlKind::kEdit, "", 72, 251, 144, 14, kRo},
};

constexpr DialogControl kExportSelectControls[] = {
    // Wide enough for counts of eight digits in either caption.
    {IDC_UNNAMED, ControlKind::kGroupBox, "Welche Datensätze sollen exportiert werden ?", 7, 7, 186, 43},
    {IDC_RADIO_ALLE, ControlKind::kRadioButton, "", 13, 18, 171, 10, kGroupStart | kTabStop},
    {IDC_RADIO_SEL, ControlKind::kRadioButton, "", 13, 32, 171, 10},
    {IDC_OK, ControlKind::kDefPushButton, "OK", 7, 58, 50, 14, kGroupStart | kTabStop},
    {IDC_CANCEL, ControlKind::kPushButton, "Abbrechen", 143, 58, 50, 14, kTabStop},
};

constexpr DialogTemplate kDialogs[] = {
    {IDD_ABOUTBOX, "Info über Kolbrin", 217, 55, "MS Sans Serif", 8, false, kAboutControls},
    {IDD_DRIVEINFO, "Laufwerksinformation", 223, 274, "MS Sans Serif", 8, true, kDriveInfoControls},
    {IDD_EXPORT_SELECT, "Datensatzauswahl", 200, 79, "MS Sans Serif", 8, false, kExportSelectControls},
};
}  // namespace

const DialogTemplate* FindDialog(Id id) {
  for (const auto& d : kDialogs) {
    if (d.id == id) return &d;
  }
  return nullptr;
}

}  // namespace res
