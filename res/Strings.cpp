#include "res/Strings.h"

namespace res {

namespace {
// Prompt strings carry the status-bar text, then after "\n" the tooltip.
constexpr StringEntry kStrings[] = {
    {IDS_DOCSTRING, "Kolbrin\n\nKolbri\n\n\nKolbrin.Document\nKolbri Document"},
    {IDS_EXCEL_FAILED, "Excel kann nicht ausgeführt werden."},
    {IDS_APP_TITLE, "Kolbrin"},
    {IDS_FILE_ERROR, "Dateifehler: %s"},
    {IDS_EXPORT_ALL, "Alle Datensätzen  (Anzahl = %d)"},
    {IDS_EXPORT_SELECTED, "Alle markierten Datensätze  (Anzahl = %d)"},
    {AFX_IDS_APP_TITLE, "Kolbrin"},
    {AFX_IDS_IDLEMESSAGE, "Bereit"},
    {IDS_OUT_OF_MEMORY, "nicht genug Speicher"},
    {IDS_INDICATOR_CAPS, "UF"},
    {IDS_INDICATOR_NUM, "NUM"},
    {IDS_INDICATOR_SCRL, "RF"},
    {IDS_NO_DISPLAY,
     "Kolbrin braucht eine grafische Anzeige: keine gefunden (DISPLAY bzw. WAYLAND_DISPLAY ist nicht gesetzt)."},
    {IDS_EXPORT_FILTER, "Textdatei (*.txt)"},
    {IDS_NAME_DRIVE_TREE, "Laufwerke und Verzeichnisse"},
    {IDS_NAME_FILE_LIST, "Dateien"},
    {IDS_NAME_DIR_LIST, "Verzeichnisinformation"},
    {IDS_NAME_TOOLBAR, "Symbolleiste"},
    {IDS_NAME_STATUSBAR, "Statusleiste"},
    {IDS_PRINT_PAGE, "Seite: %2d"},
    {IDS_PRINT_FAILED, "Der Druckvorgang konnte nicht gestartet werden."},
    {IDS_WAITING_FOR, "Warte auf „%s“ – Esc bricht ab."},

    {ID_VIEW_DIRSCAN, "Bestimmen der Verzeichnisinformationen (z.B. Verzeichnisgröße)\nVerzeichnisinformation"},
    {ID_VIEW_DRIVEINFO, "Fenster zum Anzeigen von Laufwerksinformationen\nLaufwerksinformation"},
    {ID_EXPORT_FILE, "Alle markierten Datensätze in eine Datei exportieren\nExport in eine Datei"},
    {ID_EXPORT_EXCEL, "Alle markierten Datensätze nach Excel exportieren\nExport nach Excel"},
    {ID_VIEW_LARGEICON, "Zeigt Objekte mit großen Symbolen an"},
    {ID_VIEW_SMALLICON, "Zeigt Objekte mit kleinen Symbolen an"},
    {ID_VIEW_LIST, "Zeigt Objekte in Listenform an"},
    {ID_VIEW_DETAILS, "Zeigt Informationen über die Objekte im Fenster an"},
    {ID_FILE_PRINT, "Druckt das aktive Dokument.\nDrucken"},
    {ID_FILE_PRINT_PREVIEW, "Zeigt ganze Seiten an.\nSeitenansicht"},
    {ID_FILE_PRINT_SETUP, "Ändert den Drucker und die Druckoptionen.\nDruckereinrichtung"},
    {ID_APP_EXIT, "Verläßt die Anwendung\nProgrammende"},
    {ID_APP_ABOUT, "Zeigt Programm-, Versions- und Copyrightinformationen an.\nInfo"},
    {ID_VIEW_TOOLBAR, "Blendet die Symbolleiste ein oder aus.\nSymbolleiste ein-/ausschalten"},
    {ID_VIEW_STATUS_BAR, "Blendet die Statusleiste ein oder aus.\nStatusleiste ein-/ausschalten"},
    {ID_NEXT_PANE, "Wechselt zum nächsten Fensterausschnitt.\nNächster Ausschnitt"},
    {ID_PREV_PANE, "Springt zum vorherigen Fensterausschnitt zurück.\nVorheriger Ausschnitt"},
    {AFX_IDS_PREVIEW_CLOSE, "Beendet die Seitenansicht.\nSeitenansicht beenden"},

    {IDS_DRIVETYPE_BASE + 0, "unbekannt"},
    {IDS_DRIVETYPE_BASE + 1, "Root-Verzeichnis nicht vorhanden"},
    {IDS_DRIVETYPE_BASE + 2, "austauschbar"},
    {IDS_DRIVETYPE_BASE + 3, "Festplattenlaufwerk"},
    {IDS_DRIVETYPE_BASE + 4, "Netzlaufwerk"},
    {IDS_DRIVETYPE_BASE + 5, "CD-ROM-Laufwerk"},
    {IDS_DRIVETYPE_BASE + 6, "RAM-Disk"},
    {IDS_FSFLAG_CASE_SENSITIVE, "Unterscheidet Dateinamen mit Groß- und Kleinschreibung\r\n"},
    {IDS_FSFLAG_CASE_PRESERVED, "Speichert Dateinamen mit Groß- und Kleinschreibung\r\n"},
    {IDS_FSFLAG_UNICODE, "Speichert Dateinamen mit Unicode\r\n"},
    {IDS_FSFLAG_ACLS, "Speichert und erzwingt Zugriffskontroll-Listen\r\n"},
    {IDS_FSFLAG_FILE_COMPRESSION, "Unterstützt Komprimierung auf Dateiebene\r\n"},
    {IDS_FSFLAG_VOLUME_COMPRESSION, "Unterstützt Komprimierung auf Laufwerksebene\r\n"},

    {IDS_FILECOL_BASE + 0, "Dateiname"},
    {IDS_FILECOL_BASE + 1, "Dateigröße"},
    {IDS_FILECOL_BASE + 2, "Attribute"},
    {IDS_FILECOL_BASE + 3, "Letzte Änderung"},
    {IDS_FILECOL_BASE + 4, "Hergestellt"},
    {IDS_FILECOL_BASE + 5, "Letzter Zugriff"},
    {IDS_DIRCOL_BASE + 0, "Verzeichnis"},
    {IDS_DIRCOL_BASE + 1, "Unterverzeichnisse"},
    {IDS_DIRCOL_BASE + 2, "Größe einschl. aller Unterverz."},
    {IDS_DIRCOL_BASE + 3, "Dateianzahl einschl. aller Unterverz"},
    {IDS_DIRCOL_BASE + 4, "Größe ohne Unterverzeichnisse"},
    {IDS_DIRCOL_BASE + 5, "Dateianzahl ohne Unterverzeichnisse"},
};
}  // namespace

std::span<const StringEntry> StringTable() { return kStrings; }

}  // namespace res
